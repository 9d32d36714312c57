#include "util/FileReplacements.h"

#include "platform/FileSystem.h"
#include "util/FileHelpers.h"

FileReplacements::~FileReplacements() {
    for (const auto& file : staged_)
        platform::RemoveFile(file.temporary);
}

void FileReplacements::Stage(std::size_t key, const fs::path& path, std::string_view bytes) {
    fs::path temporary = WriteTemporaryBeside(path, bytes, false);
    const std::lock_guard lock(staging_);
    staged_.push_back({key, path, std::move(temporary)});
}

std::vector<std::pair<std::size_t, std::string>> FileReplacements::Commit() {
    std::vector<std::pair<std::size_t, std::string>> failures;
    std::vector<fs::path> temporaries;
    for (const auto& file : staged_)
        temporaries.push_back(file.temporary);
    // Nothing replaces a target before every new file is on the disk.
    const std::error_code flushError = platform::FlushFilesToDisk(temporaries);
    for (const auto& file : staged_) {
        std::error_code error = flushError;
        if (!error)
            error = platform::ReplaceFile(file.temporary, file.target);
        if (error) {
            platform::RemoveFile(file.temporary);
            failures.emplace_back(file.key, CannotCreateFileText(file.target, error.message()));
        }
    }
    staged_.clear();
    return failures;
}
