#include "persistence/RecoveryCopy.h"
#include "persistence/SettingsFile.h"
#include "ui/Addresses.h"
#include "ui/FMain.h"
#include "ui/TextBridge.h"
#include "util/CrashReports.h"
#include "util/FileHelpers.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QLocale>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <utility>

// The recovery copy: the project kept in the user's state folder from the first change of a run,
// so that a crash, a kill or a power cut loses nothing typed; deleted again by a clean end.

namespace {

// A change goes to the writer at most this long after it was made.
constexpr int RecoveryDelayMs = 1000;

QString LocalTimeText(std::filesystem::file_time_type time) {
    const auto since1970 = std::chrono::file_clock::to_sys(time).time_since_epoch();
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(
        std::chrono::duration_cast<std::chrono::milliseconds>(since1970).count());
    const QLocale locale;
    return locale.toString(local.date(), QLocale::LongFormat) + " at " +
           locale.toString(local.time(), QLocale::ShortFormat);
}

} // namespace

void TfrmMain::OpenRecovery() {
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setObjectName("tmrRecovery");
    recoveryTimer_->setSingleShot(true);
    recoveryTimer_->setInterval(RecoveryDelayMs);
    connect(recoveryTimer_, &QTimer::timeout, this,
            [this] { RunReportingErrors([this] { WriteRecoveryCopy(); }); });
    // A desktop session that ends may end the program before it writes again.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { KeepRecoveryCopy(); });
    if (services_.stateFolder.empty())
        return;
    // A failed write is told as soon as it happens, on the window's thread.
    auto writeFailed = [this] {
        QMetaObject::invokeMethod(
            this, [this] { TellRecoveryFailure(recovery_ ? recovery_->TakeError() : ""); },
            Qt::QueuedConnection);
    };
    try {
        recovery_ = std::make_unique<RecoveryCopy>(services_.stateFolder, writeFailed);
    } catch (const std::exception& error) {
        // The window works without it; Save Configuration still keeps the project.
        std::fprintf(stderr, "No recovery copy of the project will be kept: %s\n", error.what());
        recoveryUnavailable_ = error.what();
    }
}

void TfrmMain::ProjectChanged() {
    if (!startedUp_)
        return;
    SetUnsavedChanges(true);
    if ((recovery_ || !recoveryUnavailable_.empty()) && !recoveryTimer_->isActive())
        recoveryTimer_->start();
}

void TfrmMain::WriteRecoveryCopy() {
    if (!recovery_) {
        TellRecoveryFailure(std::exchange(recoveryUnavailable_, {}));
        return;
    }
    recovery_->Write(*Manager);
}

void TfrmMain::TellRecoveryFailure(const std::string& error) {
    if (!error.empty() && !recoveryErrorShown_) {
        recoveryErrorShown_ = true;
        MessageDialog("The recovery copy of your project could not be written, so a crash could "
                      "lose the changes you make from now on.\n" +
                          FromModel(error) + "\nUse \"Save Configuration\" to keep your work.",
                      MessageKind::Warning, MessageButtons::Ok);
    }
}

void TfrmMain::KeepRecoveryCopy() {
    if (!recovery_)
        return;
    if (recoveryTimer_->isActive()) {
        recoveryTimer_->stop();
        WriteRecoveryCopy();
    }
    recovery_->Flush();
    keepRecovery_ = true;
}

void TfrmMain::EndRecovery() {
    if (recovery_ && !keepRecovery_)
        recovery_->Discard();
    recovery_.reset();
}

void TfrmMain::OfferRecovery() {
    if (services_.stateFolder.empty())
        return;
    auto orphan = ClaimOrphanedRecovery(services_.stateFolder);
    if (!orphan)
        return;
    const auto report =
        CrashReportSince(CrashReportsFolder(services_.stateFolder), orphan->lastChanged);
    const QString question = RecoveryQuestion(orphan->projectFile, orphan->lastChanged, report);
    const MessageButtons buttons =
        report ? MessageButtons::RestoreDiscardReport : MessageButtons::RestoreDiscard;
    int answer;
    // The report's folder opens beside the question, which is asked again.
    while ((answer = MessageDialog(question, MessageKind::Information, buttons)) ==
           MessageResult::ShowReport)
        services_.shellOpen(PathText(report->parent_path()));
    if (answer == MessageResult::Discard) {
        DiscardRecovery(*orphan);
        return;
    }
    // Escape decides nothing: the copy is offered again at the next start.
    if (answer != MessageResult::Restore)
        return;
    if (auto project = LoadSettingsFile(orphan->file))
        ShowProject(std::move(*project));
    if (recovery_)
        AdoptRecovery(*orphan, *recovery_);
    // Restored, the project saves where it came from, and its changes are not saved yet.
    if (!orphan->projectFile.empty()) {
        ProjectIsNow(orphan->projectFile);
        SetUnsavedChanges(true);
    }
}

QString TfrmMain::RecoveryQuestion(const fs::path& projectFile, fs::file_time_type lastChanged,
                                   const std::optional<fs::path>& crashReport) const {
    const QString project = projectFile.empty()
                                ? QString("the default project")
                                : "the project \"" + FromPath(projectFile.filename()) + "\"";
    QString text = "The program did not end normally last time.\nA recovery copy of " + project +
                   " was kept,\nlast changed on " + LocalTimeText(lastChanged) + ".";
    if (crashReport)
        text += "\n\nA crash report was written to\n" + FromPath(*crashReport) +
                "\nPlease send it to the maker, so that the fault can be mended, through\n" +
                QString(HelpURL) + "\n\"Show Report\" opens the folder that holds it.";
    text += "\n\n\"Restore\" puts " + project +
            " back into the window; \"Discard\" deletes the "
            "recovery copy.\nClosing this question keeps the copy for the next start.";
    if (!services_.projectToOpen.empty())
        text += "\nThe project \"" + FromPath(services_.projectToOpen.filename()) +
                "\" that you are opening comes next.";
    return text;
}

void TfrmMain::NameRecoveredProject(const fs::path& file) {
    if (!recovery_ || !startedUp_)
        return;
    // The copy must hold this project before the name says so.
    recoveryTimer_->stop();
    WriteRecoveryCopy();
    recovery_->Flush();
    try {
        recovery_->NameProject(file);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
}
