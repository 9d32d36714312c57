#pragma once

#include <filesystem>
#include <vector>

// The projects of a folder: its ".vantor" and ".dat" files (letter case aside), hidden ones
// left out, sorted by name so that a batch runs in the same order every time. Throws AppError
// "Cannot use the project folder ..." when Folder is no folder.
std::vector<std::filesystem::path> ProjectFilesIn(const std::filesystem::path& folder);
