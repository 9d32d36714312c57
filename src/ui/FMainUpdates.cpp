#include "platform/Locale.h"
#include "ui/FMain.h"
#include "ui/TextBridge.h"
#include "update/DownloadFile.h"
#include "update/UpdateCheck.h"
#include "util/AppError.h"
#include "util/FileHelpers.h"

// The update check: the description from the maker's server, the questions, the updater.

bool TfrmMain::DownloadFile(const std::string& URL, const std::string& FileName,
                            std::string* failure) {
    if (IdHTTP1->Busy())
        return false;
    downloadCancelled_ = false;
    return ::DownloadFile(*IdHTTP1, URL, FileName, IdAntiFreeze1, failure);
}

void TfrmMain::CheckForUpdates(bool Silent) {
    if (IdHTTP1->Busy()) {
        if (!Silent)
            MessageDialog("An update check is already running. Please wait until it has finished.",
                          MessageKind::Information, MessageButtons::Ok);
        return;
    }
    const fs::path descriptionFile = Folders().cache / UpdateDescriptionFileName;
    const std::string descriptionURL = services_.updateBaseURL + UpdateDescriptionFileName;
    std::string failure;
    const bool fetched = DownloadFile(descriptionURL, PathText(descriptionFile), &failure) &&
                         FileExists(descriptionFile);
    if (downloadCancelled_)
        return; // the window was closed meanwhile
    if (!fetched) {
        // A failed check must not read as "you are up to date".
        if (Silent)
            return;
        if (auto refused = RefusedCertificateReason(failure))
            MessageDialog("The update check was refused for safety, because " +
                              FromModel(*refused) +
                              ".\nA server whose certificate cannot be trusted may not be ours, "
                              "so nothing was downloaded.\nPlease try again later.",
                          MessageKind::Warning, MessageButtons::Ok);
        else
            MessageDialog("The update information could not be fetched from " +
                              FromModel(descriptionURL) + ":\n" + FromModel(failure) +
                              ".\nPlease check your Internet connection and try again later.",
                          MessageKind::Warning, MessageButtons::Ok);
        return;
    }
    const std::string separator = platform::UserDecimalSeparator();
    std::optional<std::string> version;
    try {
        version = NewerVersion(descriptionFile, AppVersion, separator);
    } catch (const AppError&) {
        if (!Silent)
            MessageDialog("The update information from " + FromModel(descriptionURL) +
                              " holds no version number, so it cannot tell whether a newer "
                              "version exists.\nPlease try again later.",
                          MessageKind::Warning, MessageButtons::Ok);
        return;
    }
    if (!version) {
        if (!Silent)
            MessageDialog("There are no new updates for this application!",
                          MessageKind::Information, MessageButtons::Ok);
        return;
    }
    if (MessageDialog("There is a new update (version " + FromModel(*version) +
                          ") available for your application! Do you want to download this "
                          "update now?",
                      MessageKind::Information, MessageButtons::OkCancel) != MessageResult::Ok)
        return;
    const fs::path updater = AppDir / UpdaterFileName;
    if (!FileExists(updater)) {
        MessageDialog("The updater module is missing. Please reinstall the current version!",
                      MessageKind::Warning, MessageButtons::Ok);
        return;
    }
    if (MessageDialog("To update your software, the application will close to\n\rreplace some "
                      "files. Do you want to update now?",
                      MessageKind::Information, MessageButtons::OkCancel) != MessageResult::Ok)
        return;
    if (!SettleUnsavedChanges("before the program closes for the update"))
        return;
    services_.startProgram(updater,
                           {services_.updateBaseURL, VersionText(AppVersion, separator), AppCode});
    closeSettled_ = true;
    close();
}
