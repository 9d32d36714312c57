#pragma once

#include <string>
#include <vector>

// Starts a program found on PATH with an argument vector, never through a shell, and does not
// wait for it. Returns false when it could not be started.
bool StartProgram(const std::string& program, const std::vector<std::string>& arguments);

// Asks the desktop to open an address or file with its default program.
bool ShellOpen(const std::string& address);
