#include "platform/Process.h"
#include "updater/SystemInstall.h"
#include "util/files/FileHelpers.h"

namespace {

// pkexec's own statuses: the user dismissed the prompt, or was not allowed.
constexpr int PromptDismissed = 126;
constexpr int NotAuthorized = 127;

// Text for a shell, to be copied by the user: quoted unless it needs no quotes.
std::string ShellWord(const std::string& text) {
    const bool plain =
        !text.empty() && text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                "abcdefghijklmnopqrstuvwxyz"
                                                "0123456789/._-+=:,@%") == std::string::npos;
    if (plain)
        return text;
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

std::string SystemInstallerName() {
    return "its package";
}

bool UpdaterRunsFromCopy() {
    // dpkg replaces a running program's file by a rename; the running one keeps its own.
    return false;
}

void InstallUpdateFile(const std::filesystem::path& file, const InstallerPrograms& programs) {
    const std::string package = PathText(file);
    const auto status =
        platform::RunProgramAndWait(programs.pkexec, {programs.aptGet, "install", "-y", package});
    if (!status)
        throw InstallByHand("This system has no password prompt for programs (pkexec), so the "
                            "updater cannot install the update itself. The verified package "
                            "stays where it is; to install it, run in a terminal:\n\nsudo apt-get "
                            "install " +
                            ShellWord(package));
    const std::string unchanged = "\nThe installed version stays as it was.";
    switch (*status) {
    case 0:
        return;
    case PromptDismissed:
        throw AppError("The password prompt was closed, so the update was not installed." +
                       unchanged);
    case NotAuthorized:
        throw AppError(
            "The system did not allow the update to be installed (the password was "
            "not accepted, no password prompt could be shown, or this user may not install "
            "software)." +
            unchanged);
    default:
        throw AppError("The package tool (apt-get) failed with status " + std::to_string(*status) +
                       ", so the update was not installed.");
    }
}
