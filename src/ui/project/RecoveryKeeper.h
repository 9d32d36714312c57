#pragma once

#include "model/UAffiliate.h"
#include "ui/UserMessages.h"

#include <QObject>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QTimer;
class RecoveryCopy;

// A project given back by the recovery question.
struct RestoredProject {
    TAffManager project;
    // The project's own file; empty for the default project.
    std::filesystem::path file;
};

// The recovery copy: the project kept in the user's state folder from the first change of a run,
// so that a crash, a kill or a power cut loses nothing typed; deleted again by a clean end.
class RecoveryKeeper : public QObject {
  public:
    // Keeps copies of Project in StateFolder; an empty folder keeps none.
    RecoveryKeeper(const UserMessages& messages, const std::filesystem::path& stateFolder,
                   const TAffManager& project, QObject* parent);
    // A clean end deletes the copy, unless the desktop session asked to keep it.
    ~RecoveryKeeper() override;

    // The project changed: the copy follows a moment later.
    void ProjectChanged();
    // The project is now the one of File (empty: the default project), as the copy says.
    void NameProject(const std::filesystem::path& file);
    // Writes what is pending and keeps the copy past the end of the program.
    void KeepRecoveryCopy();
    bool Kept() const { return keep_; }

    // Offers the recovery copy a copy that no longer runs left behind, asking the user, and
    // gives back its project when the user restores it. ProjectToOpen, when given, is named as
    // coming next; ShellOpen opens the crash report's folder.
    std::optional<RestoredProject>
    OfferRecovery(const std::filesystem::path& projectToOpen,
                  const std::function<void(const std::string&)>& shellOpen);

  private:
    void WriteRecoveryCopy();
    void TellRecoveryFailure(const std::string& error);

    const UserMessages& messages_;
    std::filesystem::path stateFolder_;
    const TAffManager& project_;
    std::unique_ptr<RecoveryCopy> recovery_;
    QTimer* timer_;
    bool keep_ = false;
    bool errorShown_ = false;
    // Why no recovery copy could be started, told at the first change.
    std::string unavailable_;
};
