#include "persistence/RecoveryCopy.h"

#include "persistence/SettingsFile.h"
#include "platform/PrivateFolder.h"
#include "util/AppError.h"
#include "util/files/FileHelpers.h"

#include <algorithm>
#include <vector>

namespace fs = std::filesystem;

namespace {

using platform::EntryKind;

constexpr std::string_view Prefix = "recovery-";
constexpr std::string_view CopyExtension = ".dat";
constexpr std::string_view NameExtension = ".project";

// Starting copies that find their new lock file taken away before they could lock it.
constexpr int MostLockAttempts = 10;

// A project is the user's own business, even on a shared machine.
void MakePrivateFolder(const fs::path& folder) {
    if (const std::string reason = platform::PreparePrivateFolder(folder); !reason.empty())
        throw AppError(CannotCreateFileText(folder, reason));
}

// A new lock file in Folder, locked. Another copy cleaning up may take a lock file for an
// orphan's between its making and its locking, and delete it: such a name is given up.
fs::path TakeLockFile(const fs::path& folder, platform::File& lock) {
    std::error_code error;
    for (int attempt = 0; attempt < MostLockAttempts; ++attempt) {
        fs::path lockFile;
        error = platform::CreateUniqueFile(folder, Prefix, lock, lockFile);
        if (error)
            break;
        error = platform::LockExclusively(lock);
        if (!error && platform::IsFileAt(lock, lockFile))
            return lockFile;
        lock.close();
    }
    throw AppError(CannotCreateFileText(folder, error ? error.message()
                                                      : "Another copy kept deleting its files."));
}

fs::path CopyOf(const fs::path& lockFile) {
    return fs::path(lockFile) += CopyExtension;
}

fs::path NameOf(const fs::path& lockFile) {
    return fs::path(lockFile) += NameExtension;
}

fs::path ReadProjectName(const fs::path& nameFile) {
    if (platform::StatusOf(nameFile).kind != EntryKind::File)
        return {};
    try {
        return PathOfUtf8Text(ReadFileBytes(nameFile));
    } catch (const std::exception&) {
        return {};
    }
}

// True when a running copy holds the lock; else Lock holds it now. A lock file that is missing
// counts as held: its copy may be starting, between making the file and locking it.
bool HeldByARunningCopy(const fs::path& lockFile, platform::File& lock) {
    if (platform::OpenForReading(lockFile, lock))
        return true;
    return bool(platform::LockExclusively(lock));
}

void ReleaseAndDelete(platform::File& lock, const fs::path& lockFile) {
    platform::RemoveFile(NameOf(lockFile));
    lock.close();
    platform::RemoveFile(lockFile);
}

} // namespace

RecoveryCopy::RecoveryCopy(const fs::path& folder, std::function<void()> writeFailed) {
    MakePrivateFolder(folder);
    lockFile_ = TakeLockFile(folder, lock_);
    file_ = CopyOf(lockFile_);
    nameFile_ = NameOf(lockFile_);
    writer_ =
        std::make_unique<BackgroundWriter>(file_, FileAccess::Private, std::move(writeFailed));
}

RecoveryCopy::~RecoveryCopy() = default;

void RecoveryCopy::Write(const TAffManager& project) {
    if (writer_)
        writer_->Write(
            [snapshot = snapshots_.Take(project)] { return FormatSettings(ProjectOf(snapshot)); });
}

void RecoveryCopy::Flush() {
    if (writer_)
        writer_->Flush();
}

void RecoveryCopy::NameProject(const fs::path& projectFile) {
    if (projectFile.empty()) {
        platform::RemoveFile(nameFile_);
        return;
    }
    WriteFileAtomically(nameFile_, Utf8TextOfPath(projectFile), FileAccess::Private);
}

std::string RecoveryCopy::TakeError() {
    return writer_ ? writer_->TakeError() : std::string();
}

void RecoveryCopy::Discard() {
    writer_.reset();
    platform::RemoveFile(file_);
    ReleaseAndDelete(lock_, lockFile_);
}

std::optional<OrphanedRecovery> ClaimOrphanedRecovery(const fs::path& folder) {
    // What others could put there is not offered as the user's own work.
    if (!platform::PreparePrivateFolder(folder).empty())
        return std::nullopt;
    std::vector<std::pair<fs::file_time_type, fs::path>> copies;
    std::vector<fs::path> lockFiles;
    for (const ListedFile& entry : PlainFilesIn(folder)) {
        if (!entry.name.starts_with(Prefix) || entry.name.ends_with(NameExtension))
            continue;
        const fs::path path = folder / entry.name;
        std::error_code error;
        if (!entry.name.ends_with(CopyExtension))
            lockFiles.push_back(path);
        else if (const auto changed = fs::last_write_time(path, error); !error)
            copies.emplace_back(changed, path);
    }

    // A copy that ended before its first change leaves a lock file alone.
    for (const fs::path& lockFile : lockFiles) {
        platform::File lock;
        if (platform::StatusOf(CopyOf(lockFile)).kind == EntryKind::Missing &&
            !HeldByARunningCopy(lockFile, lock))
            ReleaseAndDelete(lock, lockFile);
    }

    std::sort(copies.begin(), copies.end(), std::greater<>());
    for (auto& [changed, file] : copies) {
        OrphanedRecovery orphan{file, {}, changed, fs::path(file).replace_extension(), {}};
        if (HeldByARunningCopy(orphan.lockFile, orphan.lock))
            continue;
        orphan.projectFile = ReadProjectName(NameOf(orphan.lockFile));
        // Another starting copy may have taken it between the listing and the lock.
        if (platform::StatusOf(file).kind == EntryKind::File)
            return orphan;
    }
    return std::nullopt;
}

void AdoptRecovery(OrphanedRecovery& orphan, RecoveryCopy& own) {
    own.Flush();
    if (auto error = MoveIntoPlace(orphan.file, own.file()))
        throw AppError(CannotCreateFileText(own.file(), error.message()));
    own.NameProject(orphan.projectFile);
    ReleaseAndDelete(orphan.lock, orphan.lockFile);
}

void DiscardRecovery(OrphanedRecovery& orphan) {
    platform::RemoveFile(orphan.file);
    ReleaseAndDelete(orphan.lock, orphan.lockFile);
}
