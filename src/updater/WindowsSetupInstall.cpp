#include "platform/WindowsElevation.h"
#include "updater/SystemInstall.h"
#include "util/files/FileHelpers.h"

std::string SystemInstallerName() {
    return "its setup program";
}

bool UpdaterRunsFromCopy() {
    // The setup's upgrade deletes Updater.exe by name, which Windows refuses while it runs.
    return true;
}

void InstallUpdateFile(const std::filesystem::path& file, const InstallerPrograms& programs) {
    const std::string unchanged = "\nThe installed version stays as it was.";
    // The setup refuses to replace the files of a running wizard.
    if (!platform::WaitUntilRunningCopiesEnd(programs.runningCopyName, programs.wizardEndWait))
        throw AppError("Affiliate Vantor is still running, so the update cannot be installed. "
                       "Please close it, then start the update again from \"Check Updates\"." +
                       unchanged);
    const platform::ElevatedRun run = platform::RunElevatedAndWait(PathText(file), {"/S"});
    switch (run.outcome) {
    case platform::ElevatedRun::Outcome::Refused:
        throw AppError("The administrator's permission was not given, so the update was not "
                       "installed." +
                       unchanged);
    case platform::ElevatedRun::Outcome::NotStarted:
        throw AppError("The setup program " + PathText(file) +
                       " could not be started: " + AsSentence(run.reason) + unchanged);
    case platform::ElevatedRun::Outcome::Finished:
        break;
    }
    if (run.exitCode != 0)
        throw AppError("The setup program failed with exit code " + std::to_string(run.exitCode) +
                       ", so the update was not installed.");
}
