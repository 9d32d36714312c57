#pragma once

#include "model/UAffiliate.h"

#include <filesystem>
#include <vector>

// The projects of a folder: its ".vantor" and ".dat" files (letter case aside), hidden ones
// left out, sorted by name so that a batch runs in the same order every time. Throws AppError
// "Cannot use the project folder ..." when Folder is no folder.
std::vector<std::filesystem::path> ProjectFilesIn(const std::filesystem::path& folder);

// The project of a project file. Throws AppError "Cannot open file ..." when it cannot be read,
// and when it holds no tag of a project (another program's data file, say).
TAffManager LoadProjectFile(const std::filesystem::path& file);
