#include "ui/project/RecoveryKeeper.h"

#include "persistence/RecoveryCopy.h"
#include "persistence/SettingsFile.h"
#include "ui/Addresses.h"
#include "ui/TextBridge.h"
#include "util/files/FileHelpers.h"
#include "util/policies/CrashReports.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QLocale>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <utility>

namespace fs = std::filesystem;

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

QString RecoveryQuestion(const fs::path& projectFile, fs::file_time_type lastChanged,
                         const std::optional<fs::path>& crashReport,
                         const fs::path& projectToOpen) {
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
    if (!projectToOpen.empty())
        text += "\nThe project \"" + FromPath(projectToOpen.filename()) +
                "\" that you are opening comes next.";
    return text;
}

} // namespace

RecoveryKeeper::RecoveryKeeper(const UserMessages& messages, const fs::path& stateFolder,
                               const TAffManager& project, QObject* parent)
    : QObject(parent), messages_(messages), stateFolder_(stateFolder), project_(project) {
    timer_ = new QTimer(this);
    timer_->setObjectName("tmrRecovery");
    timer_->setSingleShot(true);
    timer_->setInterval(RecoveryDelayMs);
    connect(timer_, &QTimer::timeout, this, messages_.Reporting([this] { WriteRecoveryCopy(); }));
    // A desktop session that ends may end the program before it writes again.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { KeepRecoveryCopy(); });
    if (stateFolder_.empty())
        return;
    // A failed write is told as soon as it happens, on the window's thread.
    auto writeFailed = [this] {
        QMetaObject::invokeMethod(
            this, [this] { TellRecoveryFailure(recovery_ ? recovery_->TakeError() : ""); },
            Qt::QueuedConnection);
    };
    try {
        recovery_ = std::make_unique<RecoveryCopy>(stateFolder_, writeFailed);
    } catch (const std::exception& error) {
        // The window works without it; Save Configuration still keeps the project.
        std::fprintf(stderr, "No recovery copy of the project will be kept: %s\n", error.what());
        unavailable_ = error.what();
    }
}

RecoveryKeeper::~RecoveryKeeper() {
    if (recovery_ && !keep_)
        recovery_->Discard();
}

void RecoveryKeeper::ProjectChanged() {
    if ((recovery_ || !unavailable_.empty()) && !timer_->isActive())
        timer_->start();
}

void RecoveryKeeper::WriteRecoveryCopy() {
    if (!recovery_) {
        TellRecoveryFailure(std::exchange(unavailable_, {}));
        return;
    }
    recovery_->Write(project_);
}

void RecoveryKeeper::TellRecoveryFailure(const std::string& error) {
    if (error.empty() || errorShown_)
        return;
    errorShown_ = true;
    messages_.MessageDialog("The recovery copy of your project could not be written, so a crash "
                            "could lose the changes you make from now on.\n" +
                                FromModel(error) +
                                "\nUse \"Save Configuration\" to keep your work.",
                            MessageKind::Warning, MessageButtons::Ok);
}

void RecoveryKeeper::KeepRecoveryCopy() {
    if (!recovery_)
        return;
    if (timer_->isActive()) {
        timer_->stop();
        WriteRecoveryCopy();
    }
    recovery_->Flush();
    keep_ = true;
}

void RecoveryKeeper::NameProject(const fs::path& file) {
    if (!recovery_)
        return;
    // The copy must hold this project before the name says so.
    timer_->stop();
    WriteRecoveryCopy();
    recovery_->Flush();
    try {
        recovery_->NameProject(file);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
}

std::optional<RestoredProject>
RecoveryKeeper::OfferRecovery(const fs::path& projectToOpen,
                              const std::function<void(const std::string&)>& shellOpen) {
    if (stateFolder_.empty())
        return std::nullopt;
    auto orphan = ClaimOrphanedRecovery(stateFolder_);
    if (!orphan)
        return std::nullopt;
    const auto report = CrashReportSince(CrashReportsFolder(stateFolder_), orphan->lastChanged);
    const QString question =
        RecoveryQuestion(orphan->projectFile, orphan->lastChanged, report, projectToOpen);
    const MessageButtons buttons =
        report ? MessageButtons::RestoreDiscardReport : MessageButtons::RestoreDiscard;
    int answer;
    // The report's folder opens beside the question, which is asked again.
    while ((answer = messages_.MessageDialog(question, MessageKind::Information, buttons)) ==
           MessageResult::ShowReport)
        shellOpen(PathText(report->parent_path()));
    if (answer == MessageResult::Discard) {
        DiscardRecovery(*orphan);
        return std::nullopt;
    }
    // Escape decides nothing: the copy is offered again at the next start.
    if (answer != MessageResult::Restore)
        return std::nullopt;
    auto project = LoadSettingsFile(orphan->file);
    if (recovery_)
        AdoptRecovery(*orphan, *recovery_);
    if (!project)
        return std::nullopt;
    return RestoredProject{std::move(*project), orphan->projectFile};
}
