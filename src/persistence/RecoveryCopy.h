#pragma once

#include "model/UAffiliate.h"
#include "persistence/BackgroundWriter.h"
#include "persistence/ProjectSnapshots.h"
#include "platform/FileSystem.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// A running copy of the program keeps a recovery copy of its project, in the settings file's
// format, in the user's state folder: "recovery-XXXXXX.dat" beside the lock file
// "recovery-XXXXXX", which the copy holds while it runs. A recovery copy whose lock nobody holds
// was left by a copy that crashed or was killed. A project opened from a file of its own has that
// file's name beside the copy, in "recovery-XXXXXX.project".
class RecoveryCopy {
  public:
    // Takes a name of its own in Folder (made when missing, readable by the user alone; a link,
    // another user's folder or one that others may change is refused). Throws AppError "Cannot
    // create file ..." when it cannot. WriteFailed, when given, is called on the writer's thread
    // after a write failed (see TakeError).
    explicit RecoveryCopy(const std::filesystem::path& folder,
                          std::function<void()> writeFailed = {});
    // Stops writing; the file stays, to be offered by the next start.
    ~RecoveryCopy();

    const std::filesystem::path& file() const { return file_; }
    // Writes the project soon, in the settings file's format, on a thread of its own.
    void Write(const TAffManager& project);
    // Waits until the last bytes given are on the disk.
    void Flush();
    // Names the project's own file, empty for the default project. Written at once: the copy
    // should hold this project's bytes already (see Flush).
    void NameProject(const std::filesystem::path& projectFile);
    // The text of the last failed write, once.
    std::string TakeError();
    // A clean end: the recovery copy and its lock are deleted; what was pending is dropped.
    void Discard();

  private:
    std::filesystem::path file_;
    std::filesystem::path lockFile_;
    std::filesystem::path nameFile_;
    platform::File lock_;
    ProjectSnapshots snapshots_;
    std::unique_ptr<BackgroundWriter> writer_;
};

// The recovery copy of a copy that no longer runs, held so that no other copy offers it too.
struct OrphanedRecovery {
    std::filesystem::path file;
    // The project's own file; empty for the default project.
    std::filesystem::path projectFile;
    std::filesystem::file_time_type lastChanged;
    std::filesystem::path lockFile;
    platform::File lock;
};

// The newest recovery copy in Folder whose copy of the program no longer runs, or nothing (also
// when Folder is not the user's private folder, as RecoveryCopy requires).
// Lock files that no running copy holds and that guard no recovery copy are deleted.
std::optional<OrphanedRecovery> ClaimOrphanedRecovery(const std::filesystem::path& folder);

// The orphan becomes Own's recovery copy, replacing what Own had written.
void AdoptRecovery(OrphanedRecovery& orphan, RecoveryCopy& own);

// The orphan and its lock are deleted.
void DiscardRecovery(OrphanedRecovery& orphan);
