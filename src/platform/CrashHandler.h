#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Reports of crashes the program cannot go on from: faults, aborts, uncaught exceptions.
namespace platform {

struct CrashReportSettings {
    // Where the reports go; made when missing.
    std::filesystem::path folder;
    // The program's name and version, as the report names them.
    std::string program;
    std::string version;
    // Runs inside the handler before the report is written; tests make the handler fault here.
    void (*whileReporting)() = nullptr;
};

// Installs the handlers, so that a crash leaves one text report in the folder (and a minidump
// beside it on Windows) and then ends the process by the system's default action (a core dump,
// Windows Error Reporting; a stack overflow on Windows ends it at once, with its exception code).
// Throws std::system_error when the folder cannot be made.
void InstallCrashHandler(const CrashReportSettings& settings);

// Held by every thread the program starts, for the thread's life, so that a crash on it is
// reported too: a stack overflow leaves no room on the thread's own stack, so on POSIX the
// handler runs on a stack of the thread's own. On Windows the thread keeps room at the end of its
// stack, enough to hand the overflow to a thread of the handler's own, which writes its report.
class ThreadCrashStack {
  public:
    ThreadCrashStack();
    ~ThreadCrashStack();
    ThreadCrashStack(const ThreadCrashStack&) = delete;
    ThreadCrashStack& operator=(const ThreadCrashStack&) = delete;

  private:
    void* stack_ = nullptr;
};

// A short reason that the next report names, such as a fatal message of a library.
void NoteCrashReason(std::string_view reason);

} // namespace platform
