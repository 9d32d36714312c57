#include "updater/ui/UpdaterWindow.h"

#include "platform/Process.h"
#include "ui/TextBridge.h"
#include "update/UpdateNotice.h"
#include "util/files/FileHelpers.h"
#include "util/policies/BrowserLauncher.h"
#include "util/policies/UserDataFolders.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace fs = std::filesystem;

// How a piece of work on the task's thread ended.
struct WorkOutcome {
    bool cancelled = false;
    // The user installs by hand; Error says how.
    bool byHand = false;
    // Empty when the work succeeded.
    std::string error;
};

namespace {

template <typename Work> WorkOutcome Outcome(Work work) {
    WorkOutcome outcome;
    try {
        work();
    } catch (const DownloadCancelled&) {
        outcome.cancelled = true;
    } catch (const InstallByHand& byHand) {
        outcome.byHand = true;
        outcome.error = byHand.what();
    } catch (const std::exception& error) {
        outcome.error = error.what();
    }
    return outcome;
}

// Texts from the update folder are UTF-8, whatever the user's locale.
QString FromFolder(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

UpdaterServices DefaultUpdaterServices() {
    UpdaterServices services;
    services.openInBrowser = [](const std::string& address) {
        if (!OpenURLInBrowser(address))
            platform::ShellOpen(address);
    };
    services.startProgram = [](const fs::path& program) {
        return platform::StartProgram(PathText(program), {});
    };
    services.configFolder = ProgramConfigFolder();
    return services;
}

UpdaterWindow::UpdaterWindow(UpdaterArguments arguments, UpdaterServices services)
    : arguments_(std::move(arguments)), services_(std::move(services)),
      route_(ChooseUpdateRoute(services_.programFolder, services_.publicKey)) {
    setObjectName("frmUpdater");
    setWindowTitle("Affiliate Vantor Update");
    lblHeadline = new QLabel("Looking for the update...", this);
    lblHeadline->setObjectName("lblHeadline");
    QFont headline = lblHeadline->font();
    headline.setBold(true);
    headline.setPixelSize(headline.pixelSize() > 0 ? headline.pixelSize() * 4 / 3 : 16);
    lblHeadline->setFont(headline);
    lblDetails = new QLabel(this);
    lblDetails->setObjectName("lblDetails");
    lblDetails->setWordWrap(true);
    lblDetails->setTextInteractionFlags(Qt::TextSelectableByMouse);
    memNotes = new QPlainTextEdit(this);
    memNotes->setObjectName("memNotes");
    memNotes->setReadOnly(true);
    memNotes->hide();
    barProgress = new QProgressBar(this);
    barProgress->setObjectName("barProgress");
    barProgress->setRange(0, 1000);
    barProgress->setTextVisible(false);
    barProgress->hide();
    lblProgress = new QLabel(this);
    lblProgress->setObjectName("lblProgress");
    lblProgress->hide();
    btnInstall = new QPushButton("Install", this);
    btnInstall->setObjectName("btnInstall");
    btnInstall->hide();
    btnDownloadPage = new QPushButton("Open Download Page", this);
    btnDownloadPage->setObjectName("btnDownloadPage");
    btnDownloadPage->hide();
    btnCancel = new QPushButton("Cancel", this);
    btnCancel->setObjectName("btnCancel");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {btnInstall, btnDownloadPage, btnCancel}) {
        // The skin's buttons have no padding of their own above and below their text, and its
        // focus frame takes two pixels of each side.
        button->setMinimumSize(88, 28);
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblHeadline);
    layout->addWidget(lblDetails);
    layout->addWidget(memNotes, 1);
    layout->addWidget(barProgress);
    layout->addWidget(lblProgress);
    // Takes the room of the release notes when there are none.
    layout->addStretch(0);
    layout->addLayout(buttons);
    resize(460, 340);

    connect(btnInstall, &QPushButton::clicked, this, &UpdaterWindow::btnInstallClick);
    connect(btnCancel, &QPushButton::clicked, this, &UpdaterWindow::btnCancelClick);
    connect(btnDownloadPage, &QPushButton::clicked, this, &UpdaterWindow::btnDownloadPageClick);

    // Without a key nothing from the network can be trusted, not even its version text.
    if (services_.publicKey.empty())
        ShowDownloadPage(nullptr);
    else
        // Once the window is up, so that a failure can close it.
        QMetaObject::invokeMethod(this, &UpdaterWindow::FetchOffer, Qt::QueuedConnection);
}

UpdaterWindow::~UpdaterWindow() = default;

void UpdaterWindow::FetchOffer() {
    try {
        session_ = std::make_unique<UpdateSession>(
            UpdateSource{arguments_.baseUrl, arguments_.runningVersion, services_.publicKey});
    } catch (const std::exception& error) {
        Fail(error.what());
        return;
    }
    auto offer = std::make_shared<std::optional<UpdateOffer>>();
    auto outcome = std::make_shared<WorkOutcome>();
    task_.Start(
        [session = session_.get(), offer, outcome](const MessagePump& goOn) {
            *outcome = Outcome([&] { *offer = session->FetchOffer(goOn); });
        },
        [this, offer, outcome] { OfferFetched(*offer, *outcome); });
}

void UpdaterWindow::OfferFetched(const std::optional<UpdateOffer>& offer,
                                 const WorkOutcome& outcome) {
    if (outcome.cancelled) {
        close();
        return;
    }
    if (!offer) {
        Fail(outcome.error);
        return;
    }
    offer_ = offer;
    if (route_.install)
        ShowOffer(*offer_);
    else
        ShowDownloadPage(&*offer_);
}

void UpdaterWindow::ShowOffer(const UpdateOffer& offer) {
    lblHeadline->setText("Affiliate Vantor " + FromFolder(offer.version) + " is available");
    lblDetails->setText(offer.releaseNotes.empty()
                            ? QString("It replaces the version installed; your settings, "
                                      "projects, pages and templates stay as they are.")
                            : QString("What is new:"));
    memNotes->setPlainText(FromFolder(offer.releaseNotes));
    memNotes->setVisible(!offer.releaseNotes.empty());
    btnInstall->show();
    btnInstall->setDefault(true);
    btnInstall->setFocus();
}

void UpdaterWindow::ShowDownloadPage(const UpdateOffer* offer) {
    lblHeadline->setText(offer ? "Affiliate Vantor " + FromFolder(offer->version) + " is available"
                               : QString("A newer version of Affiliate Vantor is available"));
    lblDetails->setText(FromModel(route_.reason));
    if (offer && !offer->releaseNotes.empty()) {
        memNotes->setPlainText(FromFolder(offer->releaseNotes));
        memNotes->show();
    }
    btnDownloadPage->show();
    btnDownloadPage->setDefault(true);
    btnDownloadPage->setFocus();
    btnCancel->setText("Close");
}

void UpdaterWindow::btnInstallClick() {
    btnInstall->setEnabled(false);
    lblDetails->setText("Downloading the update...");
    barProgress->setValue(0);
    barProgress->show();
    lblProgress->show();
    auto outcome = std::make_shared<WorkOutcome>();
    auto report = [this](const DownloadProgress& progress) {
        QMetaObject::invokeMethod(
            this, [this, progress] { ShowProgress(progress); }, Qt::QueuedConnection);
    };
    task_.Start(
        [this, session = session_.get(), offer = *offer_, programs = services_.installer, report,
         outcome](const MessagePump& goOn) {
            *outcome = Outcome([&] {
                const fs::path file = session->Download(offer, report, goOn);
                QMetaObject::invokeMethod(
                    this, [this] { ShowInstalling(); }, Qt::QueuedConnection);
                InstallUpdateFile(file, programs);
            });
        },
        [this, outcome] { Installed(*outcome); });
}

void UpdaterWindow::ShowProgress(const DownloadProgress& progress) {
    if (installing_)
        return;
    if (progress.total > 0)
        barProgress->setValue(int(progress.received * 1000 / progress.total));
    lblProgress->setText(FromModel(ProgressText(progress)));
}

void UpdaterWindow::ShowInstalling() {
    installing_ = true;
    barProgress->setValue(barProgress->maximum());
    lblDetails->setText("Installing the update... The system may ask for your permission.");
    lblProgress->hide();
    // The system's installer cannot be stopped halfway.
    btnCancel->setEnabled(false);
}

void UpdaterWindow::Installed(const WorkOutcome& outcome) {
    if (outcome.cancelled) {
        session_.reset();
        close();
        return;
    }
    if (outcome.byHand) {
        session_->KeepDownload();
        session_.reset();
        services_.messages->MessageDialog(FromModel(outcome.error), MessageKind::Information,
                                          MessageButtons::Ok, 0);
        close();
        return;
    }
    if (!outcome.error.empty()) {
        Fail(outcome.error);
        return;
    }
    session_.reset();
    // The new version says, at its first start, that it was updated.
    if (offer_)
        NoteUpdatedVersion(services_.configFolder, offer_->version);
    const fs::path program = InstalledProgram(services_.programFolder);
    if (!services_.startProgram(program))
        services_.messages->MessageDialog(
            "The update was installed, but the new version could not be started from " +
                FromPath(program) + ".\nPlease start Affiliate Vantor from the menu.",
            MessageKind::Warning, MessageButtons::Ok, 0);
    close();
}

void UpdaterWindow::btnCancelClick() {
    if (!task_.Busy()) {
        close();
        return;
    }
    // The work ends soon and its end closes the window; what it downloaded goes with it.
    btnCancel->setEnabled(false);
    lblDetails->setText("Cancelling...");
    task_.Cancel();
}

void UpdaterWindow::btnDownloadPageClick() {
    services_.openInBrowser(services_.downloadPageURL);
    close();
}

void UpdaterWindow::closeEvent(QCloseEvent* event) {
    if (!task_.Busy()) {
        event->accept();
        return;
    }
    event->ignore();
    if (!installing_)
        btnCancelClick();
}

void UpdaterWindow::Fail(const std::string& text) {
    // Whatever was downloaded goes before the user reads why.
    session_.reset();
    services_.messages->MessageDialog(FromModel(text), MessageKind::Error, MessageButtons::Ok, 0);
    close();
}
