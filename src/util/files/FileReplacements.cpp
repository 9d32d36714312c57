#include "util/files/FileReplacements.h"

#include "platform/FileSystem.h"
#include "util/ParallelFor.h"
#include "util/files/FileHelpers.h"

#include <set>

namespace fs = std::filesystem;

FileReplacements::~FileReplacements() {
    for (const auto& file : staged_)
        platform::RemoveFile(file.temporary);
}

void FileReplacements::Stage(std::size_t key, const fs::path& path, std::string_view bytes) {
    fs::path temporary = WriteTemporaryBeside(path, bytes, false);
    const std::lock_guard lock(staging_);
    staged_.push_back({key, path, std::move(temporary)});
}

std::vector<std::pair<std::size_t, std::string>> FileReplacements::Commit(unsigned jobs) {
    std::vector<fs::path> temporaries;
    for (const auto& file : staged_)
        temporaries.push_back(file.temporary);
    // Nothing replaces a target before every new file is on the disk.
    const std::error_code flushError = platform::FlushFilesToDisk(temporaries);
    std::vector<std::error_code> errors(staged_.size(), flushError);
    ParallelFor(staged_.size(), jobs, [&](std::size_t index) {
        const Staged& file = staged_[index];
        if (!errors[index])
            errors[index] = platform::ReplaceFile(file.temporary, file.target);
        if (errors[index])
            platform::RemoveFile(file.temporary);
    });
    // The new names, too, must outlast a power cut: each folder is put on the disk once.
    std::set<fs::path> folders;
    for (std::size_t index = 0; index < staged_.size(); ++index)
        if (!errors[index])
            folders.insert(staged_[index].target.parent_path());
    for (const fs::path& folder : folders)
        platform::FlushFolderToDisk(folder.empty() ? fs::path(".") : folder);
    std::vector<std::pair<std::size_t, std::string>> failures;
    for (std::size_t index = 0; index < staged_.size(); ++index)
        if (errors[index])
            failures.emplace_back(
                staged_[index].key,
                CannotCreateFileText(staged_[index].target, errors[index].message()));
    staged_.clear();
    return failures;
}
