#pragma once

#include "platform/FileSystem.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// True for an existing plain file (a folder does not count).
bool FileExists(const std::filesystem::path& path);

// True for an existing folder (a file does not count).
bool DirectoryExists(const std::filesystem::path& path);

// The system's reason why Path is not an existing plain file ("No such file or directory",
// "Is a directory", "Not a regular file"), or empty when it is one.
std::string WhyNotAFile(const std::filesystem::path& path);

// The same for a folder ("No such file or directory", "Not a directory").
std::string WhyNotAFolder(const std::filesystem::path& path);

// "Cannot open file "%s". %s" and "Cannot create file "%s". %s".
std::string CannotOpenFileText(const std::filesystem::path& path, std::string_view reason);
std::string CannotCreateFileText(const std::filesystem::path& path, std::string_view reason);

// All bytes of a plain file; throws AppError "Cannot open file ..." when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);

// Who may read a file written: as a document (a replaced file keeps its permission bits, a new
// one gets the usual ones), or the user alone.
enum class FileAccess { Document, Private };

// Creates or replaces a file through a temporary file and a rename, so that a failed write
// leaves the previous file intact; the new name is put on the disk too. A file the user may not
// write is left alone. Throws AppError "Cannot create file ...".
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         FileAccess access = FileAccess::Document);

// The first half of WriteFileAtomically: the bytes in a new temporary file beside Path, after
// the same checks, flushed to the disk when Flush is set. Returns the temporary's path.
std::filesystem::path WriteTemporaryBeside(const std::filesystem::path& path,
                                           std::string_view bytes, bool flush,
                                           FileAccess access = FileAccess::Document);

// Moves a temporary file written beside Path over it, and the new name onto the disk.
std::error_code MoveIntoPlace(const std::filesystem::path& temporary,
                              const std::filesystem::path& path);

// A plain file of a folder, as listed.
struct ListedFile {
    std::string name;
    bool hidden;
};

// The plain files of a folder (folders and other entries skipped); a missing folder lists none.
std::vector<ListedFile> PlainFilesIn(const std::filesystem::path& folder);

// The entry of Folder whose name equals Name without regard to letter case; an exact match wins.
std::optional<std::filesystem::path> FindInFolderIgnoringCase(const std::filesystem::path& folder,
                                                              std::string_view name);

// The folder of the running program.
std::filesystem::path RunningProgramFolder();

// A path as the user sees it, with its bytes unchanged.
inline std::string PathText(const std::filesystem::path& path) {
    return platform::TextOfPath(path);
}

// A path from a text of the model or the command line, with its bytes unchanged.
inline std::filesystem::path PathOf(std::string_view text) {
    return platform::PathFromText(text);
}

// A path as the program's own files keep it: UTF-8 whatever the system's code page, so that no
// name is lost on Windows.
inline std::string Utf8TextOfPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

inline std::filesystem::path PathOfUtf8Text(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}
