#include "util/policies/UserDataFolders.h"

#include "platform/UserFolders.h"
#include "util/files/FileHelpers.h"

namespace {

std::filesystem::path OwnFolderIn(const std::filesystem::path& userFolder,
                                  const std::filesystem::path& programFolder) {
    // Without a home of the user's, writing into the program folder fails with its reason.
    if (userFolder.empty())
        return programFolder;
    std::filesystem::path folder = userFolder / "affiliate-vantor";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

} // namespace

UserDataFolders UserDataFoldersOf(const std::filesystem::path& programFolder) {
    // The marker matters where an installed program folder can be written after all (by an
    // administrator's elevated run): the user's files must not end up in two places.
    const bool installed = FileExists(programFolder / InstalledCopyMarker);
    if (!installed && platform::CanWriteFolder(programFolder))
        return {programFolder, programFolder, programFolder};
    return {programFolder, OwnFolderIn(platform::UserDataFolder(), programFolder),
            OwnFolderIn(platform::UserCacheFolder(), programFolder)};
}

std::filesystem::path ProgramStateFolder() {
    const std::filesystem::path folder = platform::UserStateFolder();
    return folder.empty() ? folder : folder / "affiliate-vantor";
}

std::filesystem::path ProgramConfigFolder() {
    const std::filesystem::path folder = platform::UserConfigFolder();
    return folder.empty() ? folder : folder / "affiliate-vantor";
}
