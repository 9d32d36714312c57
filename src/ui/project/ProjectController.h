#pragma once

#include "model/UAffiliate.h"
#include "ui/UserMessages.h"

#include <QObject>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class RecoveryKeeper;

// The project the window edits: the model, the file it belongs to, whether it has changes not
// saved yet, its recovery copy and the recent projects. Loads, opens and saves it, asking what
// must be asked first. Holds no widget: ProjectReplaced tells the window to show the model anew.
class ProjectController : public QObject {
    Q_OBJECT

  public:
    struct Places {
        // The program's folder: settings.dat and Output/ are found from it.
        std::filesystem::path programFolder;
        // The recent projects' folder; empty: no list is kept.
        std::filesystem::path configFolder;
        // The recovery copy's folder; empty: no copy is kept.
        std::filesystem::path stateFolder;
    };
    // The project-file dialogs: the file chosen to open or to save to, or nothing when cancelled.
    using FileChooser = std::function<std::optional<std::filesystem::path>(
        bool forSaving, const std::filesystem::path& startFolder)>;

    ProjectController(const UserMessages& messages, Places places, FileChooser chooseFile,
                      QObject* parent);
    ~ProjectController() override;

    // The model. Edits go straight into it, each followed by Edited.
    TAffManager& Model() { return *model_; }
    const TAffManager& Model() const { return *model_; }
    // The user changed the model; from the end of start-up on, that is a change to save.
    void Edited();
    // Start-up is over: changes count from now on.
    void StartCountingChanges() { countingChanges_ = true; }

    // The project's file, empty for the default project.
    const std::filesystem::path& File() const { return file_; }
    bool HasUnsavedChanges() const { return unsavedChanges_; }
    std::vector<std::filesystem::path> RecentProjects() const;

    // "Save Configuration" and "Load Configuration": the open project's file, and the default
    // project.
    void SaveSettings();
    void LoadSettings();
    void OpenChosenProject();
    void SaveProjectAs();
    void OpenRecentProject(const std::filesystem::path& file);
    void OpenProject(const std::filesystem::path& file);

    // Asks whether to save the changes first, when there are any, saying what comes next
    // ("before closing"). False when the user cancels; a save that fails throws.
    bool SettleUnsavedChanges(const QString& before);

    // Offers the recovery copy a crashed run left; ProjectToOpen is named as coming next.
    void OfferRecovery(const std::filesystem::path& projectToOpen,
                       const std::function<void(const std::string&)>& shellOpen);
    // Keeps the recovery copy past the end of the program (an ending desktop session).
    void KeepRecoveryCopy();
    bool RecoveryKept() const;

  signals:
    // The model was replaced by a load or a restore: the window shows it anew.
    void ProjectReplaced();
    // The file or the unsaved state changed: the window's title shows them.
    void StateChanged();

  private:
    void Replace(TAffManager project);
    // The window now holds the project of File; empty: the default project.
    void ProjectIsNow(const std::filesystem::path& file);
    void SetUnsavedChanges(bool unsaved);
    // The open project as the questions name it: its file's name, or "the default project".
    QString ProjectName() const;
    std::filesystem::path ProjectFolder() const;
    std::filesystem::path DataFolder() const;
    // Names the parts of a damaged project file that could not be read, if any.
    void WarnOfUnreadableParts(const std::filesystem::path& file,
                               const std::vector<std::string>& unreadable);
    void ForgetProject(const std::filesystem::path& file);

    const UserMessages& messages_;
    Places places_;
    FileChooser chooseFile_;
    std::unique_ptr<TAffManager> model_;
    RecoveryKeeper* recovery_;
    std::filesystem::path file_;
    bool unsavedChanges_ = false;
    bool countingChanges_ = false;
};
