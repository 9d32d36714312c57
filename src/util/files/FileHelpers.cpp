#include "util/files/FileHelpers.h"

#include "platform/FileSystem.h"
#include "util/AppError.h"
#include "util/text/CaseFolding.h"

namespace fs = std::filesystem;

namespace {

using platform::EntryKind;

// A short name of its own, so that a target name of any legal length still works.
constexpr std::string_view TemporaryPrefix = ".vantor-";

constexpr std::string_view NotARegularFile = "Not a regular file";

std::string ReasonOf(std::errc error) {
    return std::make_error_code(error).message();
}

[[noreturn]] void ThrowCannotOpen(const fs::path& path, std::string_view reason) {
    throw FileError(CannotOpenFileText(path, reason), AsSentence(reason));
}

[[noreturn]] void ThrowCannotCreate(const fs::path& path, std::string_view reason) {
    throw FileError(CannotCreateFileText(path, reason), AsSentence(reason));
}

// The system's reason why Path is not the kind of entry wanted, or empty when it is.
std::string WhyNotA(EntryKind wanted, const fs::path& path) {
    const EntryKind kind = platform::StatusOf(path).kind;
    if (kind == wanted)
        return {};
    if (kind == EntryKind::Missing)
        return ReasonOf(std::errc::no_such_file_or_directory);
    if (wanted == EntryKind::Folder)
        return ReasonOf(std::errc::not_a_directory);
    return kind == EntryKind::Folder ? ReasonOf(std::errc::is_a_directory)
                                     : std::string(NotARegularFile);
}

fs::path FolderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

} // namespace

bool FileExists(const fs::path& path) {
    return platform::StatusOf(path).kind == EntryKind::File;
}

bool DirectoryExists(const fs::path& path) {
    return platform::StatusOf(path).kind == EntryKind::Folder;
}

std::string WhyNotAFile(const fs::path& path) {
    return WhyNotA(EntryKind::File, path);
}

std::string WhyNotAFolder(const fs::path& path) {
    return WhyNotA(EntryKind::Folder, path);
}

std::string CannotOpenFileText(const fs::path& path, std::string_view reason) {
    return "Cannot open file \"" + PathText(path) + "\". " + AsSentence(reason);
}

std::string CannotCreateFileText(const fs::path& path, std::string_view reason) {
    return "Cannot create file \"" + PathText(path) + "\". " + AsSentence(reason);
}

std::string ReadFileBytes(const fs::path& path) {
    const platform::EntryStatus status = platform::StatusOf(path);
    if (status.kind == EntryKind::Folder || status.kind == EntryKind::Other)
        ThrowCannotOpen(path, WhyNotAFile(path));
    platform::File file;
    if (auto error = platform::OpenForReading(path, file))
        ThrowCannotOpen(path, error.message());
    // Read straight into the text, sized from the file, so its bytes are copied once.
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(status.size) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() * 2);
        std::size_t count = 0;
        if (auto error =
                platform::ReadSome(file, bytes.data() + filled, bytes.size() - filled, count))
            ThrowCannotOpen(path, error.message());
        if (count == 0)
            break;
        filled += count;
    }
    bytes.resize(filled);
    return bytes;
}

fs::path WriteTemporaryBeside(const fs::path& path, std::string_view bytes, bool flush,
                              FileAccess access) {
    const platform::EntryStatus target = platform::StatusOf(path);
    if (target.kind == EntryKind::Folder || target.kind == EntryKind::Other)
        ThrowCannotCreate(path, WhyNotAFile(path));
    // The rename would replace a write-protected file without asking its permissions.
    if (target.kind == EntryKind::File)
        if (auto error = platform::CheckWritable(path))
            ThrowCannotCreate(path, error.message());

    platform::File file;
    fs::path temporary;
    if (auto error = platform::CreateUniqueFile(FolderOf(path), TemporaryPrefix, file, temporary))
        ThrowCannotCreate(path, error.message());
    std::error_code error = platform::WriteAll(file, bytes);
    if (!error && flush)
        error = platform::FlushToDisk(file);
    else if (!error)
        platform::StartFlushToDisk(file);
    if (!error)
        error = platform::SetPermissions(
            file, access == FileAccess::Private    ? fs::perms::owner_read | fs::perms::owner_write
                  : target.kind == EntryKind::File ? target.permissions
                                                   : platform::NewDocumentPermissions());
    if (auto closeError = file.close(); !error)
        error = closeError;
    if (error) {
        platform::RemoveFile(temporary);
        ThrowCannotCreate(path, error.message());
    }
    return temporary;
}

std::error_code MoveIntoPlace(const fs::path& temporary, const fs::path& path) {
    if (auto error = platform::ReplaceFile(temporary, path))
        return error;
    // The file is in place whatever comes of this; some file systems cannot flush a folder.
    platform::FlushFolderToDisk(FolderOf(path));
    return {};
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes, FileAccess access) {
    const fs::path temporary = WriteTemporaryBeside(path, bytes, true, access);
    if (auto error = MoveIntoPlace(temporary, path)) {
        platform::RemoveFile(temporary);
        ThrowCannotCreate(path, error.message());
    }
}

std::vector<ListedFile> PlainFilesIn(const fs::path& folder) {
    std::error_code ignored;
    std::vector<ListedFile> files;
    for (const auto& entry : platform::ListFolder(folder, ignored))
        if (entry.kind == EntryKind::File)
            files.push_back({entry.name, entry.hidden});
    return files;
}

std::optional<fs::path> FindInFolderIgnoringCase(const fs::path& folder, std::string_view name) {
    const fs::path exact = folder / PathOf(name);
    if (platform::StatusOf(exact).kind != EntryKind::Missing)
        return exact;
    const std::string wanted = FoldCase(name);
    std::error_code ignored;
    for (const auto& entry : platform::ListFolder(folder, ignored))
        if (FoldCase(entry.name) == wanted)
            return folder / entry.name;
    return std::nullopt;
}

fs::path RunningProgramFolder() {
    const fs::path program = platform::RunningProgramPath();
    return program.empty() ? fs::current_path() : program.parent_path();
}
