#include "util/ProcessLauncher.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
    // Children are never waited for; let the system reap them.
    std::signal(SIGCHLD, SIG_IGN);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    return posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
}

bool ShellOpen(const std::string& address) {
    // xdg-open takes no "--"; an address that looks like an option is no address at all.
    if (address.starts_with('-'))
        return false;
    return StartProgram("xdg-open", {address});
}
