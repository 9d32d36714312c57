#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

// Starts a program found on PATH with an argument vector, never through a shell, and does not
// wait for it. Returns false when it could not be started.
bool StartProgram(const std::string& program, const std::vector<std::string>& arguments);

// Runs a program found on PATH with an argument vector and returns what it wrote to its standard
// output; nothing when it could not be started or did not finish within the time limit (it is
// killed then).
std::optional<std::string> ReadProgramOutput(const std::string& program,
                                             const std::vector<std::string>& arguments,
                                             int timeLimitMilliseconds);

// Runs a program found on PATH with an argument vector, never through a shell, and waits for it
// to end. Its exit status (128 + the signal's number for one ended by a signal), or nothing when
// it could not be started.
std::optional<int> RunProgramAndWait(const std::string& program,
                                     const std::vector<std::string>& arguments);

// Asks the desktop to open an address or file with its default program.
bool ShellOpen(const std::string& address);

// True when the program runs with the administrator's rights (root).
bool RunsAsAdministrator();

// Lets a setup program see, for as long as this process lives, that a copy of the program runs:
// on Windows a named mutex in the global namespace; elsewhere, where packages replace running
// programs safely, nothing.
void AnnounceRunningCopy(const std::string& name);

} // namespace platform
