#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// How a copy of the program is updated.
struct UpdateRoute {
    // Installs the verified file with the system's installer; otherwise the download page.
    bool install = false;
    // Why the download page, for the user.
    std::string reason;
};

// True for a copy that the system's installer put in place: the installed-copy marker in its
// program folder, which the user may not change (an administrator may).
bool InstalledBySystemInstaller(const std::filesystem::path& programFolder);

// The updater installs only with a key to verify the update and into a copy the system's
// installer put in place; otherwise it points to the download page.
UpdateRoute ChooseUpdateRoute(const std::filesystem::path& programFolder,
                              std::string_view publicKey);

// The wizard of ProgramFolder.
std::filesystem::path InstalledProgram(const std::filesystem::path& programFolder);
