#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Runs a program (found on PATH unless a path) with Arguments in Folder, its output thrown away;
// its exit status, or -1 when it could not be started or did not exit.
int RunQuietly(const std::filesystem::path& folder, std::vector<std::string> arguments);
