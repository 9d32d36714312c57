#include "platform/UserFolders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace platform {

namespace {

std::filesystem::path HomeFolder() {
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) {
        const passwd* user = ::getpwuid(::getuid());
        home = user ? user->pw_dir : nullptr;
    }
    return home && home[0] ? std::filesystem::path(home) : std::filesystem::path();
}

// A relative value is invalid and ignored, as the XDG base-directory rules say.
std::filesystem::path XdgFolder(const char* variable, const char* belowHome) {
    if (const char* value = std::getenv(variable); value && value[0] == '/')
        return value;
    const std::filesystem::path home = HomeFolder();
    return home.empty() ? home : home / belowHome;
}

} // namespace

bool CanWriteFolder(const std::filesystem::path& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

std::filesystem::path UserCacheFolder() {
    return XdgFolder("XDG_CACHE_HOME", ".cache");
}

std::filesystem::path UserDataFolder() {
    return XdgFolder("XDG_DATA_HOME", ".local/share");
}

std::filesystem::path UserStateFolder() {
    return XdgFolder("XDG_STATE_HOME", ".local/state");
}

std::filesystem::path UserConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}

} // namespace platform
