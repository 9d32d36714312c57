#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace fs = std::filesystem;

// True for an existing plain file (a folder does not count).
bool FileExists(const fs::path& path);

// True for an existing folder (a file does not count).
bool DirectoryExists(const fs::path& path);

// All bytes of a file; throws AppError "Cannot open file ..." when it cannot be read.
std::string ReadFileBytes(const fs::path& path);

// Creates or replaces a file through a temporary file and a rename, so that a failed write
// leaves the previous file intact; throws AppError "Cannot create file ...".
void WriteFileAtomically(const fs::path& path, std::string_view bytes);

// The entry of Folder whose name equals Name without regard to letter case; an exact match wins.
std::optional<fs::path> FindInFolderIgnoringCase(const fs::path& folder, std::string_view name);

// The folder of the running program.
fs::path RunningProgramFolder();

// A path as the user sees it, with its bytes unchanged.
inline std::string PathText(const fs::path& path) {
    return path.string();
}
