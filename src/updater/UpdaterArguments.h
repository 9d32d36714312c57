#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// What the wizard passes to the updater: "Updater BASE_URL VERSION CODE".
struct UpdaterArguments {
    // The update folder's address, ending with "/".
    std::string baseUrl;
    // The running version's text, with the user's decimal separator.
    std::string versionText;
    // The running version, as the update check reads it.
    float runningVersion = 0;
    // Set when this is a copy that the updater started from outside the program folder
    // (--program-folder FOLDER after the three): the folder of the copy to update.
    std::filesystem::path programFolder;
};

// Reads the updater's arguments; the version with the user's DecimalSeparator. Throws AppError
// with a text for the user when they are not the wizard's: the count, an address that is not
// http or https or does not end with "/", a version that is no number, an application code
// other than this application's.
UpdaterArguments ReadUpdaterArguments(const std::vector<std::string>& arguments,
                                      std::string_view decimalSeparator);

// The arguments that start a copy of the updater for ProgramFolder.
std::vector<std::string> CopyArguments(const UpdaterArguments& arguments,
                                       const std::filesystem::path& programFolder);
