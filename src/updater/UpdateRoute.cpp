#include "updater/UpdateRoute.h"

#include "platform/Process.h"
#include "platform/UserFolders.h"
#include "updater/SystemInstall.h"
#include "util/files/FileHelpers.h"
#include "util/policies/UserDataFolders.h"

bool InstalledBySystemInstaller(const std::filesystem::path& programFolder) {
    // A copied program folder keeps the marker, but its user can write it: the installer would
    // update another copy than this.
    return FileExists(programFolder / InstalledCopyMarker) &&
           (!platform::CanWriteFolder(programFolder) || platform::RunsAsAdministrator());
}

UpdateRoute ChooseUpdateRoute(const std::filesystem::path& programFolder,
                              std::string_view publicKey) {
    const std::string downloadIt = "\nPlease download the new version from the download page.";
    if (publicKey.empty())
        return {false, "This copy of Affiliate Vantor was built without an update key, so it "
                       "cannot check that an update comes from its maker." +
                           downloadIt};
    if (!InstalledBySystemInstaller(programFolder))
        return {false, "This copy of Affiliate Vantor was not installed by " +
                           SystemInstallerName() + ", so the updater cannot replace it." +
                           downloadIt};
    return {true, {}};
}

std::filesystem::path InstalledProgram(const std::filesystem::path& programFolder) {
    return programFolder / ("affiliate-vantor" VANTOR_EXECUTABLE_SUFFIX);
}
