#include "platform/FileSystem.h"
#include "platform/TemporaryFolder.h"
#include "platform/WindowsError.h"

#include <random>
#include <string>
#include <system_error>
#include <windows.h>

namespace platform {

std::filesystem::path TemporaryFolder() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH)
        throw std::system_error(LastWindowsError(), "GetTempPathW");
    return std::filesystem::path(std::wstring(buffer, length));
}

std::filesystem::path CreatePrivateFolder(const std::filesystem::path& parent,
                                          std::string_view prefix) {
    static const char Letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name(prefix);
        for (int i = 0; i < 6; ++i)
            name += Letters[random() % (sizeof Letters - 1)];
        const std::filesystem::path candidate = parent / PathFromText(name);
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
