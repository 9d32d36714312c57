#pragma once

#include "ui/BackgroundTask.h"
#include "ui/MessageDialog.h"
#include "updater/SystemInstall.h"
#include "updater/UpdateRoute.h"
#include "updater/UpdateSession.h"
#include "updater/UpdaterArguments.h"

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
struct WorkOutcome;

// What the updater's window needs from the world outside it; tests replace any of these.
struct UpdaterServices {
    std::shared_ptr<MessagePresenter> messages = std::make_shared<DialogPresenter>();
    // Opens an address in the desktop's web browser.
    std::function<void(const std::string& address)> openInBrowser;
    // Starts a program without arguments and does not wait for it; false when it cannot.
    std::function<bool(const std::filesystem::path& program)> startProgram;
    InstallerPrograms installer;
    // The key the update folder must be signed with; empty: the build has none.
    std::string publicKey;
    std::string downloadPageURL;
    // The folder of the copy to update.
    std::filesystem::path programFolder;
    // The program's configuration folder, where the note for the new version goes.
    std::filesystem::path configFolder;
};

// The real services of the updater.
UpdaterServices DefaultUpdaterServices();

// The updater's window: the new version and its release notes, then the download with its
// progress and Cancel, then the hand-over to the system's installer; or, where the updater
// cannot install, the way to the download page. The network and the installer are waited for
// on a thread of their own.
class UpdaterWindow : public QWidget {
  public:
    UpdaterWindow(UpdaterArguments arguments, UpdaterServices services);
    ~UpdaterWindow() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void FetchOffer();
    void OfferFetched(const std::optional<UpdateOffer>& offer, const WorkOutcome& outcome);
    void ShowOffer(const UpdateOffer& offer);
    void ShowDownloadPage(const UpdateOffer* offer);
    void btnInstallClick();
    void btnCancelClick();
    void btnDownloadPageClick();
    void ShowProgress(const DownloadProgress& progress);
    void ShowInstalling();
    void Installed(const WorkOutcome& outcome);
    // Shows the text of what went wrong, then closes.
    void Fail(const std::string& text);

    UpdaterArguments arguments_;
    UpdaterServices services_;
    UpdateRoute route_;
    std::unique_ptr<UpdateSession> session_;
    std::optional<UpdateOffer> offer_;
    bool installing_ = false;
    QLabel* lblHeadline;
    QLabel* lblDetails;
    QPlainTextEdit* memNotes;
    QProgressBar* barProgress;
    QLabel* lblProgress;
    QPushButton* btnInstall;
    QPushButton* btnDownloadPage;
    QPushButton* btnCancel;
    // Last, so that its thread has ended before the session goes.
    BackgroundTask task_;
};
