#include "platform/FileSystem.h"
#include "platform/WindowsError.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace fs = std::filesystem;

// windows.h names a function of its own ReplaceFile.
#undef ReplaceFile

namespace platform {

namespace {

std::error_code LastError() {
    return LastWindowsError();
}

HANDLE Handle(const File& file) {
    return reinterpret_cast<HANDLE>(file.handle());
}

EntryKind KindOf(DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return EntryKind::Folder;
    if (attributes & FILE_ATTRIBUTE_DEVICE)
        return EntryKind::Other;
    return EntryKind::File;
}

// Windows keeps no permission bits; read-only is the one that counts.
fs::perms PermissionsOf(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_READONLY)
               ? fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read
               : NewDocumentPermissions();
}

} // namespace

void MakeStandardOutputBinary() {
    _setmode(_fileno(stdout), _O_BINARY);
}

bool StandardErrorIsTerminal() {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

bool SystemTextIsUtf8() {
    return ::GetACP() == CP_UTF8;
}

fs::path PathFromText(std::string_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return fs::path(wide);
}

std::string TextOfPath(const fs::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    std::string text(
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, text.data(), static_cast<int>(text.size()),
                          nullptr, nullptr);
    return text;
}

EntryStatus StatusOf(const fs::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return {};
    return {KindOf(data.dwFileAttributes), PermissionsOf(data.dwFileAttributes),
            (static_cast<std::uintmax_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
}

std::error_code File::close() {
    const BOOL closed = ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = Closed;
    return closed ? std::error_code() : LastError();
}

std::error_code OpenForReading(const fs::path& path, File& file) {
    HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return LastError();
    file.reset(reinterpret_cast<std::intptr_t>(handle));
    return {};
}

std::error_code ReadSome(File& file, char* buffer, std::size_t size, std::size_t& count) {
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!::ReadFile(Handle(file), buffer, wanted, &read, nullptr)) {
        if (::GetLastError() == ERROR_BROKEN_PIPE) {
            count = 0;
            return {};
        }
        return LastError();
    }
    count = read;
    return {};
}

std::error_code CreateUniqueFile(const fs::path& folder, std::string_view prefix, File& file,
                                 fs::path& created) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = folder / PathFromText(RandomName(prefix));
        HANDLE handle = ::CreateFileW(candidate.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            file.reset(reinterpret_cast<std::intptr_t>(handle));
            created = candidate;
            return {};
        }
        if (::GetLastError() != ERROR_FILE_EXISTS)
            return LastError();
    }
    return std::make_error_code(std::errc::file_exists);
}

std::error_code WriteAll(File& file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!::WriteFile(Handle(file), bytes.data(), chunk, &written, nullptr))
            return LastError();
        bytes.remove_prefix(written);
    }
    return {};
}

std::error_code FlushToDisk(File& file) {
    return ::FlushFileBuffers(Handle(file)) ? std::error_code() : LastError();
}

void StartFlushToDisk(File&) {
    // Windows has no such call; FlushFilesToDisk does all the work.
}

std::error_code SetPermissions(File&, fs::perms) {
    // The replaced file's read-only attribute is refused before, so there is nothing to carry.
    return {};
}

fs::perms NewDocumentPermissions() {
    return fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
           fs::perms::group_write | fs::perms::others_read | fs::perms::others_write;
}

std::error_code CheckWritable(const fs::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return LastError();
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return {ERROR_ACCESS_DENIED, WindowsErrorCategory()};
    return {};
}

std::error_code FlushFilesToDisk(const std::vector<fs::path>& files) {
    // Flushing a whole volume needs the administrator's rights, so each file is flushed.
    for (const auto& file : files) {
        HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return LastError();
        const bool flushed = ::FlushFileBuffers(handle);
        const std::error_code error = flushed ? std::error_code() : LastError();
        ::CloseHandle(handle);
        if (error)
            return error;
    }
    return {};
}

std::string ComparableFileName(const fs::path& path) {
    // Each name loses its trailing dots and blanks, as Windows drops them when it opens a file.
    std::wstring normal = path.lexically_normal().make_preferred().native();
    std::wstring trimmed;
    std::size_t start = 0;
    while (start <= normal.size()) {
        std::size_t end = normal.find(L'\\', start);
        if (end == std::wstring::npos)
            end = normal.size();
        std::wstring name = normal.substr(start, end - start);
        if (name != L"." && name != L"..")
            while (!name.empty() && (name.back() == L'.' || name.back() == L' '))
                name.pop_back();
        trimmed += name;
        if (end < normal.size())
            trimmed += L'\\';
        start = end + 1;
    }
    // Letter case the way NTFS compares names: upper case without regard to the user's locale.
    std::wstring upper(trimmed.size(), L'\0');
    if (!trimmed.empty())
        ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, trimmed.data(),
                        static_cast<int>(trimmed.size()), upper.data(),
                        static_cast<int>(upper.size()), nullptr, nullptr, 0);
    const int size = static_cast<int>(upper.size());
    std::string text(
        ::WideCharToMultiByte(CP_UTF8, 0, upper.data(), size, nullptr, 0, nullptr, nullptr), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, upper.data(), size, text.data(),
                          static_cast<int>(text.size()), nullptr, nullptr);
    return text;
}

std::error_code ReplaceFile(const fs::path& from, const fs::path& to) {
    return ::MoveFileExW(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? std::error_code()
               : LastError();
}

std::error_code FlushFolderToDisk(const fs::path&) {
    // ReplaceFile writes the rename through.
    return {};
}

std::error_code LockExclusively(File& file) {
    OVERLAPPED whole{};
    return ::LockFileEx(Handle(file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                        MAXDWORD, MAXDWORD, &whole)
               ? std::error_code()
               : LastError();
}

bool IsFileAt(const File&, const fs::path&) {
    // CreateUniqueFile shares its file with nobody, so nobody can delete or replace it while open.
    return true;
}

std::optional<std::string> FileIdentity(const fs::path& path) {
    // No access asked for: the identity is readable even where the contents are not.
    HANDLE handle =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = ::GetFileInformationByHandle(handle, &information) != 0;
    ::CloseHandle(handle);
    if (!known)
        return std::nullopt;
    return std::to_string(information.dwVolumeSerialNumber) + ":" +
           std::to_string((static_cast<unsigned long long>(information.nFileIndexHigh) << 32) |
                          information.nFileIndexLow);
}

void RemoveFile(const fs::path& path) {
    ::DeleteFileW(path.c_str());
}

std::vector<FolderEntry> ListFolder(const fs::path& folder, std::error_code& error) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((folder / L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        error = LastError();
        return entries;
    }
    error.clear();
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const bool hidden =
            found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        entries.push_back({TextOfPath(name), KindOf(found.dwFileAttributes), hidden});
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return entries;
}

fs::path RunningProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), path.size());
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return fs::path(path);
        }
        path.resize(path.size() * 2);
    }
}

} // namespace platform
