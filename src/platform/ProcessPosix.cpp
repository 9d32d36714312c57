#include "platform/Process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {

std::vector<char*> ArgumentVector(const std::string& program,
                                  const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return argv;
}

} // namespace

bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
    // Children are never waited for; let the system reap them.
    std::signal(SIGCHLD, SIG_IGN);
    auto argv = ArgumentVector(program, arguments);
    pid_t child = 0;
    return posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
}

std::optional<std::string> ReadProgramOutput(const std::string& program,
                                             const std::vector<std::string>& arguments,
                                             int timeLimitMilliseconds) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    auto argv = ArgumentVector(program, arguments);
    pid_t child = 0;
    const bool started =
        posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (!started) {
        ::close(pipeEnds[0]);
        return std::nullopt;
    }

    std::string output;
    bool finished = false;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMilliseconds);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd wanted{pipeEnds[0], POLLIN, 0};
        const int ready = left.count() > 0 ? ::poll(&wanted, 1, int(left.count())) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char buffer[4096];
        const ssize_t count = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            finished = count == 0;
            break;
        }
        output.append(buffer, std::size_t(count));
    }
    ::close(pipeEnds[0]);
    if (!finished)
        ::kill(child, SIGKILL);
    // Fails harmlessly with ECHILD when StartProgram has told the system to reap children.
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    if (!finished)
        return std::nullopt;
    return output;
}

std::optional<int> RunProgramAndWait(const std::string& program,
                                     const std::vector<std::string>& arguments) {
    // A child must be reaped by its parent for its status to be read; StartProgram may have
    // told the system to reap them instead.
    std::signal(SIGCHLD, SIG_DFL);
    auto argv = ArgumentVector(program, arguments);
    pid_t child = 0;
    if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return std::nullopt;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return std::nullopt;
    }
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

bool ShellOpen(const std::string& address) {
    // xdg-open takes no "--"; an address that looks like an option is no address at all.
    if (address.starts_with('-'))
        return false;
    return StartProgram("xdg-open", {address});
}

bool RunsAsAdministrator() {
    return geteuid() == 0;
}

void AnnounceRunningCopy(const std::string&) {}

} // namespace platform
