#include "platform/TemporaryFolder.h"

#include <cerrno>
#include <stdlib.h>
#include <string>
#include <system_error>

namespace platform {

std::filesystem::path TemporaryFolder() {
    return std::filesystem::temp_directory_path();
}

std::filesystem::path CreatePrivateFolder(const std::filesystem::path& parent,
                                          std::string_view prefix) {
    // mkdtemp makes the folder with mode 0700, whatever the umask.
    std::string name = (parent / std::string(prefix)).string() + "XXXXXX";
    if (!::mkdtemp(name.data()))
        throw std::system_error(errno, std::generic_category(), "mkdtemp");
    return name;
}

} // namespace platform
