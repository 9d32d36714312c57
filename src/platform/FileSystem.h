#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// What the core asks of the file system. Each call is a thin translation of the system's own;
// errors come back as the system's error codes, whose message() is the system's reason.
namespace platform {

enum class EntryKind { Missing, File, Folder, Other };

struct EntryStatus {
    EntryKind kind = EntryKind::Missing;
    std::filesystem::perms permissions = std::filesystem::perms::none;
    std::uintmax_t size = 0;
};

// True when the system's 8-bit texts are UTF-8 (Linux); false for an ANSI code page.
bool SystemTextIsUtf8();

// Standard output passes bytes unchanged (no line-end translation).
void MakeStandardOutputBinary();

// True when standard error is a terminal that a person watches.
bool StandardErrorIsTerminal();

// A path from a text of the model (the system's 8-bit encoding), and the text of a path.
std::filesystem::path PathFromText(std::string_view text);
std::string TextOfPath(const std::filesystem::path& path);

// Kind, permission bits and size of what Path names, links followed.
EntryStatus StatusOf(const std::filesystem::path& path);

// An open file, closed when it goes out of scope.
class File {
  public:
    File() = default;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    bool isOpen() const { return handle_ != Closed; }
    std::intptr_t handle() const { return handle_; }
    void reset(std::intptr_t handle);
    // Closes now, so that a failing close can be reported.
    std::error_code close();

    static constexpr std::intptr_t Closed = -1;

  private:
    std::intptr_t handle_ = Closed;
};

// Opens a file for reading without ever waiting (a FIFO with no writer does not block).
std::error_code OpenForReading(const std::filesystem::path& path, File& file);

// Reads up to Size bytes; Count 0 means the end of the file.
std::error_code ReadSome(File& file, char* buffer, std::size_t size, std::size_t& count);

// Appends the rest of the file's bytes to Bytes.
std::error_code ReadRest(File& file, std::string& bytes);

// Prefix and six random letters and digits: a name to try for a new file or folder where the
// system makes no such names itself.
std::string RandomName(std::string_view prefix);

// Creates and opens a new file in Folder whose name is Prefix and a few random characters.
std::error_code CreateUniqueFile(const std::filesystem::path& folder, std::string_view prefix,
                                 File& file, std::filesystem::path& created);

// Writes all bytes; a file-size limit makes it fail rather than end the program.
std::error_code WriteAll(File& file, std::string_view bytes);

// Puts the file's bytes on the disk.
std::error_code FlushToDisk(File& file);

// Sets the permission bits of an open file.
std::error_code SetPermissions(File& file, std::filesystem::perms permissions);

// The permission bits a new document gets: read and write for all, less the user's mask.
std::filesystem::perms NewDocumentPermissions();

// Fails with the system's reason when the user may not write to the existing file.
std::error_code CheckWritable(const std::filesystem::path& path);

// Starts putting the file's bytes on the disk without waiting for them.
void StartFlushToDisk(File& file);

// Puts on the disk the bytes of files written and closed before; for many files this waits for
// the disk once rather than once a file.
std::error_code FlushFilesToDisk(const std::vector<std::filesystem::path>& files);

// A text that is the same for two paths exactly when the system takes them for the same file:
// letter case and trailing dots and blanks do not count on Windows. Links are not followed.
std::string ComparableFileName(const std::filesystem::path& path);

// Moves From over To, replacing To in one step.
std::error_code ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Puts the folder's own entries (names just added, renamed or removed) on the disk, so that a
// power cut cannot take back a rename. Nothing to do where a rename is written through.
std::error_code FlushFolderToDisk(const std::filesystem::path& folder);

// Takes the file's lock without waiting; fails when another process holds it. The system lets
// go of it when the process ends, however it ends.
std::error_code LockExclusively(File& file);

// True when Path still names the open file (nobody deleted or replaced it meanwhile).
bool IsFileAt(const File& file, const std::filesystem::path& path);

// The identity of the file or folder Path names, links followed: equal for two paths exactly
// when they name the same one, whatever the spelling. Nothing when Path names nothing.
std::optional<std::string> FileIdentity(const std::filesystem::path& path);

// Deletes a file; a failure is not reported.
void RemoveFile(const std::filesystem::path& path);

struct FolderEntry {
    std::string name;
    EntryKind kind;
    bool hidden;
};

// The entries of a folder, links followed, without "." and "..".
std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder, std::error_code& error);

// The path of the running program.
std::filesystem::path RunningProgramPath();

} // namespace platform
