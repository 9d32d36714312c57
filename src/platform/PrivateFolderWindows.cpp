#include "platform/PrivateFolder.h"
#include "platform/WindowsError.h"

#include <system_error>
#include <windows.h>

namespace platform {

std::string PreparePrivateFolder(const std::filesystem::path& folder) {
    // Made in the user's own profile, a folder inherits an access list that others cannot enter.
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return error.message();
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return LastWindowsError().message();
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return "It is a link, not a folder of its own.";
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::make_error_code(std::errc::not_a_directory).message();
    return {};
}

} // namespace platform
