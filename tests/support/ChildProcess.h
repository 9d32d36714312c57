#pragma once

#include <filesystem>
#include <functional>
#include <grp.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// Runs Body in a forked child and gives its exit status, or a description of how it ended.
// Body returns the child's exit status; what it changes in the process stays in the child.
inline std::string RunInChild(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0)
        _exit(body());
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFSIGNALED(status))
        return "killed by signal " + std::to_string(WTERMSIG(status));
    return "exit " + std::to_string(WEXITSTATUS(status));
}

// Drops root's rights for good, handing Folder and its entries to the user "nobody" first.
// False when the process cannot become an ordinary user; true at once for one who is already.
inline bool BecomeOrdinaryUser(const std::filesystem::path& folder) {
    if (geteuid() != 0)
        return true;
    constexpr uid_t Nobody = 65534;
    bool handedOver = chown(folder.c_str(), Nobody, Nobody) == 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        handedOver = handedOver && chown(entry.path().c_str(), Nobody, Nobody) == 0;
    return handedOver && setgroups(0, nullptr) == 0 && setgid(Nobody) == 0 && setuid(Nobody) == 0 &&
           geteuid() != 0;
}
