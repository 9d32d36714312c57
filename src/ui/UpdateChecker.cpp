#include "ui/UpdateChecker.h"

#include "platform/Locale.h"
#include "ui/TextBridge.h"
#include "ui/UserMessages.h"
#include "ui/project/ProjectController.h"
#include "update/DownloadFile.h"
#include "update/HttpClient.h"
#include "update/UpdateCheck.h"
#include "util/AppError.h"
#include "util/files/FileHelpers.h"
#include "util/policies/UserDataFolders.h"

namespace fs = std::filesystem;

UpdateChecker::UpdateChecker(const WindowServices& services, const UserMessages& messages,
                             ProjectController& project, std::function<void()> closeForUpdate,
                             QObject* parent)
    : QObject(parent), services_(services), messages_(messages), project_(project),
      closeForUpdate_(std::move(closeForUpdate)), IdHTTP1(std::make_unique<HttpClient>()) {}

UpdateChecker::~UpdateChecker() = default;

void UpdateChecker::Cancel() {
    cancelled_ = true;
    task_.Cancel();
}

bool UpdateChecker::DownloadFile(const std::string& URL, const std::string& FileName,
                                 std::function<void(const std::string& failure)> done) {
    auto failure = std::make_shared<std::string>();
    return task_.Start(
        [this, URL, FileName, failure](const MessagePump& goOn) {
            if (!::DownloadFile(*IdHTTP1, URL, FileName, goOn, failure.get()) && failure->empty())
                *failure = "the download failed";
        },
        [failure, done = std::move(done)] { done(*failure); });
}

void UpdateChecker::CheckForUpdates(bool Silent) {
    if (cancelled_)
        return;
    if (task_.Busy()) {
        if (!Silent)
            messages_.MessageDialog(
                "An update check is already running. Please wait until it has finished.",
                MessageKind::Information, MessageButtons::Ok);
        return;
    }
    const fs::path descriptionFile =
        UserDataFoldersOf(services_.programFolder).cache / UpdateDescriptionFileName;
    const std::string descriptionURL = services_.updateBaseURL + UpdateDescriptionFileName;
    DownloadFile(descriptionURL, PathText(descriptionFile),
                 [this, Silent, descriptionURL, descriptionFile](const std::string& failure) {
                     messages_.RunReportingErrors([&] {
                         DescriptionFetched(Silent, descriptionURL, descriptionFile, failure);
                     });
                 });
}

void UpdateChecker::DescriptionFetched(bool Silent, const std::string& descriptionURL,
                                       const fs::path& descriptionFile,
                                       const std::string& failure) {
    if (cancelled_)
        return; // the window was closed meanwhile
    if (!failure.empty() || !FileExists(descriptionFile)) {
        // A failed check must not read as "you are up to date".
        if (Silent)
            return;
        if (auto refused = RefusedCertificateReason(failure))
            messages_.MessageDialog(
                "The update check was refused for safety, because " + FromModel(*refused) +
                    ".\nA server whose certificate cannot be trusted may not be ours, so nothing "
                    "was downloaded.\nPlease try again later.",
                MessageKind::Warning, MessageButtons::Ok);
        else
            messages_.MessageDialog("The update information could not be fetched from " +
                                        FromModel(descriptionURL) + ":\n" + FromModel(failure) +
                                        ".\nPlease check your Internet connection and try again "
                                        "later.",
                                    MessageKind::Warning, MessageButtons::Ok);
        return;
    }
    const std::string separator = platform::UserDecimalSeparator();
    std::optional<std::string> version;
    try {
        version = NewerVersion(descriptionFile, AppVersion, separator);
    } catch (const AppError&) {
        if (!Silent)
            messages_.MessageDialog("The update information from " + FromModel(descriptionURL) +
                                        " holds no version number, so it cannot tell whether a "
                                        "newer version exists.\nPlease try again later.",
                                    MessageKind::Warning, MessageButtons::Ok);
        return;
    }
    if (!version) {
        if (!Silent)
            messages_.MessageDialog("There are no new updates for this application!",
                                    MessageKind::Information, MessageButtons::Ok);
        return;
    }
    OfferUpdate(*version, separator);
}

void UpdateChecker::OfferUpdate(const std::string& version, const std::string& separator) {
    if (messages_.MessageDialog("There is a new update (version " + FromModel(version) +
                                    ") available for your application! Do you want to download "
                                    "this update now?",
                                MessageKind::Information,
                                MessageButtons::OkCancel) != MessageResult::Ok)
        return;
    const fs::path updater = services_.programFolder / UpdaterFileName;
    if (!FileExists(updater)) {
        messages_.MessageDialog(
            "The updater module is missing. Please reinstall the current version!",
            MessageKind::Warning, MessageButtons::Ok);
        return;
    }
    if (messages_.MessageDialog("To update your software, the application will close to\n\r"
                                "replace some files. Do you want to update now?",
                                MessageKind::Information,
                                MessageButtons::OkCancel) != MessageResult::Ok)
        return;
    if (!project_.SettleUnsavedChanges("before the program closes for the update"))
        return;
    services_.startProgram(updater,
                           {services_.updateBaseURL, VersionText(AppVersion, separator), AppCode});
    closeForUpdate_();
}
