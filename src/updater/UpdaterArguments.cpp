#include "updater/UpdaterArguments.h"

#include "update/UpdateCheck.h"
#include "update/Url.h"
#include "util/AppError.h"
#include "util/files/FileHelpers.h"

namespace {

constexpr std::string_view ProgramFolderOption = "--program-folder";

[[noreturn]] void Refuse(const std::string& why) {
    throw AppError("The updater was started with wrong arguments: " + why +
                   "\nIt is started by Affiliate Vantor's \"Check Updates\"; please use that.");
}

} // namespace

UpdaterArguments ReadUpdaterArguments(const std::vector<std::string>& arguments,
                                      std::string_view decimalSeparator) {
    const bool copied = arguments.size() == 5 && arguments[3] == ProgramFolderOption;
    if (arguments.size() != 3 && !copied)
        Refuse("it takes the update folder's address, the version and the application code.");
    UpdaterArguments read;
    read.baseUrl = arguments[0];
    try {
        ParseUrl(read.baseUrl);
    } catch (const AppError& error) {
        Refuse("\"" + read.baseUrl + "\" is not an http or https address. " + error.what());
    }
    if (!read.baseUrl.ends_with('/'))
        Refuse("the update folder's address \"" + read.baseUrl + "\" does not end with \"/\".");
    read.versionText = arguments[1];
    read.runningVersion = ParseVersionNumber(read.versionText, decimalSeparator);
    // Any offer would look newer than a version that is no number.
    if (read.runningVersion <= 0)
        Refuse("\"" + read.versionText + "\" is not a version number.");
    if (arguments[2] != AppCode)
        Refuse("\"" + arguments[2] + "\" is not the code of Affiliate Vantor (\"" + AppCode +
               "\").");
    if (copied)
        read.programFolder = PathOf(arguments[4]);
    return read;
}

std::vector<std::string> CopyArguments(const UpdaterArguments& arguments,
                                       const std::filesystem::path& programFolder) {
    return {arguments.baseUrl, arguments.versionText, AppCode, std::string(ProgramFolderOption),
            PathText(programFolder)};
}
