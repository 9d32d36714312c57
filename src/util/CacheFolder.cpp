#include "util/CacheFolder.h"

#include "platform/UserFolders.h"

std::filesystem::path CacheFolder(const std::filesystem::path& appDir) {
    if (CanWriteFolder(appDir))
        return appDir;
    const std::filesystem::path userCache = UserCacheFolder();
    if (userCache.empty())
        return appDir;
    std::filesystem::path folder = userCache / "affiliate-vantor";
    std::error_code ignored; // a folder that cannot be made fails the download itself
    std::filesystem::create_directories(folder, ignored);
    return folder;
}
