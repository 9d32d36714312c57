#pragma once

#include <chrono>
#include <string>
#include <vector>

// What the Windows updater asks of the system to run a setup program; Windows only.
namespace platform {

// How a program run with the administrator's rights ended.
struct ElevatedRun {
    enum class Outcome { Finished, Refused, NotStarted };
    Outcome outcome = Outcome::NotStarted;
    // The program's exit code, when it finished.
    unsigned long exitCode = 0;
    // The system's reason, when it did not start.
    std::string reason;
};

// Runs Program with its arguments (each arriving whole) after the system's administrator prompt
// ("runas"), and waits for it to end. A prompt the user declines is Refused.
ElevatedRun RunElevatedAndWait(const std::string& program,
                               const std::vector<std::string>& arguments);

// Waits until no process holds the running-copy mutex that AnnounceRunningCopy made under Name;
// false when one still does after Limit.
bool WaitUntilRunningCopiesEnd(const std::string& name, std::chrono::milliseconds limit);

} // namespace platform
