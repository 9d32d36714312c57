#include "platform/FileSystem.h"
#include "platform/TemporaryFolder.h"
#include "platform/WindowsError.h"

#include <system_error>
#include <windows.h>

namespace platform {

std::filesystem::path TemporaryFolder() {
    // The answer is at most MAX_PATH + 1 characters long, its final backslash included.
    wchar_t buffer[MAX_PATH + 2];
    const DWORD length = ::GetTempPathW(MAX_PATH + 2, buffer);
    if (length == 0)
        throw std::system_error(LastWindowsError(), "GetTempPathW");
    if (length >= MAX_PATH + 2)
        throw std::system_error(std::make_error_code(std::errc::filename_too_long), "GetTempPathW");
    return std::filesystem::path(std::wstring(buffer, length));
}

std::filesystem::path CreatePrivateFolder(const std::filesystem::path& parent,
                                          std::string_view prefix) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate = parent / PathFromText(RandomName(prefix));
        // No security attributes: the folder inherits the access list of the user's own
        // temporary folder, which others cannot enter.
        if (::CreateDirectoryW(candidate.c_str(), nullptr))
            return candidate;
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::system_error(LastWindowsError(), "CreateDirectoryW");
    }
    throw std::system_error(std::make_error_code(std::errc::file_exists), "CreateDirectoryW");
}

} // namespace platform
