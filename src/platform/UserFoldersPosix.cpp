#include "platform/UserFolders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

bool CanWriteFolder(const std::filesystem::path& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

std::filesystem::path UserCacheFolder() {
    // A relative value is invalid and ignored, as the XDG base-directory rules say.
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && cache[0] == '/')
        return cache;
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) {
        const passwd* user = ::getpwuid(::getuid());
        home = user ? user->pw_dir : nullptr;
    }
    if (!home || !home[0])
        return {};
    return std::filesystem::path(home) / ".cache";
}
