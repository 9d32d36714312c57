#include "ui/project/ProjectController.h"

#include "persistence/ProjectFiles.h"
#include "persistence/SettingsFile.h"
#include "ui/TextBridge.h"
#include "ui/project/RecoveryKeeper.h"
#include "util/files/FileHelpers.h"
#include "util/policies/UserDataFolders.h"

#include <QStringList>
#include <cstdio>

namespace fs = std::filesystem;

ProjectController::ProjectController(const UserMessages& messages, Places places,
                                     FileChooser chooseFile, QObject* parent)
    : QObject(parent), messages_(messages), places_(std::move(places)),
      chooseFile_(std::move(chooseFile)), model_(std::make_unique<TAffManager>()) {
    recovery_ = new RecoveryKeeper(messages_, places_.stateFolder, *model_, this);
}

ProjectController::~ProjectController() {
    // The copy ends while the model it copies still exists.
    delete recovery_;
}

void ProjectController::Edited() {
    if (!countingChanges_)
        return;
    SetUnsavedChanges(true);
    recovery_->ProjectChanged();
}

void ProjectController::Replace(TAffManager project) {
    *model_ = std::move(project);
    emit ProjectReplaced();
    Edited();
}

std::filesystem::path ProjectController::DataFolder() const {
    // Asked afresh for every use: the folder may become writable or not while the program runs.
    return UserDataFoldersOf(places_.programFolder).data;
}

void ProjectController::SaveSettings() {
    SaveSettingsFile(file_.empty() ? SettingsPath(DataFolder()) : file_, *model_);
    SetUnsavedChanges(false);
}

void ProjectController::LoadSettings() {
    const fs::path file = SettingsPath(DataFolder());
    if (!FileExists(file)) {
        messages_.MessageDialog(
            "There is no saved default project yet. \"Save Configuration\" saves the project you "
            "are working on as the default project, and \"Load Configuration\" then loads it "
            "back.",
            MessageKind::Information, MessageButtons::Ok);
        return;
    }
    if (!SettleUnsavedChanges(file_.empty() ? "before loading its saved copy"
                                            : "before loading the default project"))
        return;
    if (auto stored = ReadSettingsFile(file)) {
        Replace(std::move(stored->project));
        ProjectIsNow({});
        WarnOfUnreadableParts(file, stored->unreadable);
    }
}

void ProjectController::OpenChosenProject() {
    if (auto chosen = chooseFile_(false, ProjectFolder()))
        OpenProject(*chosen);
}

void ProjectController::SaveProjectAs() {
    auto chosen = chooseFile_(true, ProjectFolder());
    if (!chosen)
        return;
    const fs::path file = WithProjectExtension(*chosen);
    // The dialog asked about replacing the name as typed, not this one.
    if (file != *chosen && FileExists(file) &&
        messages_.MessageDialog("The project \"" + FromPath(file.filename()) +
                                    "\" already exists. Do you want to replace it?",
                                MessageKind::Warning,
                                MessageButtons::OkCancel) != MessageResult::Ok)
        return;
    SaveSettingsFile(file, *model_);
    ProjectIsNow(file);
}

void ProjectController::OpenRecentProject(const fs::path& file) {
    if (!FileExists(file)) {
        ForgetProject(file);
        messages_.MessageDialog(
            "The project \"" + FromPath(file) +
                "\" cannot be found any more. It was taken off the recent projects.",
            MessageKind::Warning, MessageButtons::Ok);
        return;
    }
    OpenProject(file);
}

void ProjectController::OpenProject(const fs::path& file) {
    if (!SettleUnsavedChanges("before opening \"" + FromPath(file.filename()) + "\""))
        return;
    StoredProject stored = ReadProjectFile(file);
    Replace(std::move(stored.project));
    ProjectIsNow(fs::absolute(file));
    WarnOfUnreadableParts(file, stored.unreadable);
}

bool ProjectController::SettleUnsavedChanges(const QString& before) {
    if (!unsavedChanges_)
        return true;
    switch (messages_.MessageDialog("Do you want to save the changes to " + ProjectName() + " " +
                                        before + "?",
                                    MessageKind::Warning, MessageButtons::SaveDontSaveCancel)) {
    case MessageResult::Yes:
        // A save that fails throws, and what was to follow does not happen.
        SaveSettings();
        return true;
    case MessageResult::No:
        return true;
    default:
        return false;
    }
}

void ProjectController::OfferRecovery(const fs::path& projectToOpen,
                                      const std::function<void(const std::string&)>& shellOpen) {
    auto restored = recovery_->OfferRecovery(projectToOpen, shellOpen);
    if (!restored)
        return;
    Replace(std::move(restored->project));
    // Restored, the project saves where it came from, and its changes are not saved yet.
    if (!restored->file.empty()) {
        ProjectIsNow(restored->file);
        SetUnsavedChanges(true);
    }
}

void ProjectController::KeepRecoveryCopy() {
    recovery_->KeepRecoveryCopy();
}

bool ProjectController::RecoveryKept() const {
    return recovery_->Kept();
}

std::vector<fs::path> ProjectController::RecentProjects() const {
    if (places_.configFolder.empty())
        return {};
    return ReadRecentProjects(RecentProjectsFile(places_.configFolder));
}

void ProjectController::ProjectIsNow(const fs::path& file) {
    file_ = file;
    SetUnsavedChanges(false);
    if (countingChanges_)
        recovery_->NameProject(file);
    if (file.empty() || places_.configFolder.empty())
        return;
    const fs::path list = RecentProjectsFile(places_.configFolder);
    try {
        WriteRecentProjects(list, WithRecentProject(ReadRecentProjects(list), file));
    } catch (const std::exception& error) {
        // The project itself is open and saved; only the menu will not list it.
        std::fprintf(stderr, "%s\n", error.what());
    }
}

void ProjectController::SetUnsavedChanges(bool unsaved) {
    unsavedChanges_ = unsaved;
    emit StateChanged();
}

QString ProjectController::ProjectName() const {
    return file_.empty() ? QString("the default project")
                         : "\"" + FromPath(file_.filename()) + "\"";
}

fs::path ProjectController::ProjectFolder() const {
    return file_.empty() ? DataFolder() : file_.parent_path();
}

void ProjectController::WarnOfUnreadableParts(const fs::path& file,
                                              const std::vector<std::string>& unreadable) {
    if (unreadable.empty())
        return;
    QStringList parts;
    for (const std::string& part : unreadable)
        parts << FromModel(part);
    messages_.MessageDialog(
        "The project file \"" + FromPath(file) +
            "\" is damaged: it breaks off early, so these parts could not be read: " +
            parts.join(", ") +
            ".\nEverything else was loaded. Please check these parts before you save, as saving "
            "replaces the file.",
        MessageKind::Warning, MessageButtons::Ok);
}

void ProjectController::ForgetProject(const fs::path& file) {
    if (places_.configFolder.empty())
        return;
    const fs::path list = RecentProjectsFile(places_.configFolder);
    WriteRecentProjects(list, WithoutProject(ReadRecentProjects(list), file));
}
