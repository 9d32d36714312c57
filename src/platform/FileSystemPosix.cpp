#include "platform/FileSystem.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform {

namespace {

std::error_code LastError() {
    return {errno, std::generic_category()};
}

EntryKind KindOf(mode_t mode) {
    if (S_ISREG(mode))
        return EntryKind::File;
    if (S_ISDIR(mode))
        return EntryKind::Folder;
    return EntryKind::Other;
}

int Descriptor(const File& file) {
    return static_cast<int>(file.handle());
}

} // namespace

void MakeStandardOutputBinary() {
    // POSIX streams never translate line ends.
}

bool StandardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

bool SystemTextIsUtf8() {
    return true;
}

fs::path PathFromText(std::string_view text) {
    return fs::path(text);
}

std::string TextOfPath(const fs::path& path) {
    return path.string();
}

EntryStatus StatusOf(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    return {KindOf(info.st_mode), static_cast<fs::perms>(info.st_mode & 07777),
            static_cast<std::uintmax_t>(info.st_size)};
}

std::error_code File::close() {
    const int result = ::close(static_cast<int>(handle_));
    handle_ = Closed;
    return result == 0 ? std::error_code() : LastError();
}

std::error_code OpenForReading(const fs::path& path, File& file) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return LastError();
    file.reset(fd);
    return {};
}

std::error_code ReadSome(File& file, char* buffer, std::size_t size, std::size_t& count) {
    for (;;) {
        const ssize_t result = ::read(Descriptor(file), buffer, size);
        if (result >= 0) {
            count = static_cast<std::size_t>(result);
            return {};
        }
        if (errno != EINTR)
            return LastError();
    }
}

std::error_code CreateUniqueFile(const fs::path& folder, std::string_view prefix, File& file,
                                 fs::path& created) {
    std::string name = (folder / std::string(prefix)).string() + "XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return LastError();
    file.reset(fd);
    created = name;
    return {};
}

std::error_code WriteAll(File& file, std::string_view bytes) {
    // Without this a file-size limit ends the program in the middle of the write.
    std::signal(SIGXFSZ, SIG_IGN);
    while (!bytes.empty()) {
        const ssize_t written = ::write(Descriptor(file), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return LastError();
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::error_code FlushToDisk(File& file) {
    return ::fsync(Descriptor(file)) == 0 ? std::error_code() : LastError();
}

void StartFlushToDisk(File& file) {
    // Linux only; where it is missing the later flush does all the work.
    ::sync_file_range(Descriptor(file), 0, 0, SYNC_FILE_RANGE_WRITE);
}

std::error_code SetPermissions(File& file, fs::perms permissions) {
    return ::fchmod(Descriptor(file), static_cast<mode_t>(permissions)) == 0 ? std::error_code()
                                                                             : LastError();
}

fs::perms NewDocumentPermissions() {
    // The mask can only be read by setting it; two threads doing so at once could leave it 0.
    static std::mutex reading;
    const std::lock_guard lock(reading);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<fs::perms>(0666 & ~mask);
}

std::error_code CheckWritable(const fs::path& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 ? std::error_code()
                                                                      : LastError();
}

std::error_code FlushFilesToDisk(const std::vector<fs::path>& files) {
    // One syncfs a file system flushes everything written to it, in one wait for the disk.
    std::set<fs::path> folders;
    for (const auto& file : files)
        folders.insert(file.has_parent_path() ? file.parent_path() : fs::path("."));
    for (const auto& folder : folders) {
        const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (descriptor < 0)
            return LastError();
        const bool flushed = ::syncfs(descriptor) == 0;
        const std::error_code error = flushed ? std::error_code() : LastError();
        ::close(descriptor);
        if (error)
            return error;
    }
    return {};
}

std::string ComparableFileName(const fs::path& path) {
    return path.lexically_normal().string();
}

std::error_code ReplaceFile(const fs::path& from, const fs::path& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : LastError();
}

std::error_code FlushFolderToDisk(const fs::path& folder) {
    File opened;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return LastError();
    opened.reset(fd);
    return FlushToDisk(opened);
}

std::error_code LockExclusively(File& file) {
    return ::flock(Descriptor(file), LOCK_EX | LOCK_NB) == 0 ? std::error_code() : LastError();
}

std::optional<std::string> FileIdentity(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino);
}

bool IsFileAt(const File& file, const fs::path& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(Descriptor(file), &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

void RemoveFile(const fs::path& path) {
    ::unlink(path.c_str());
}

std::vector<FolderEntry> ListFolder(const fs::path& folder, std::error_code& error) {
    std::vector<FolderEntry> entries;
    DIR* listing = ::opendir(folder.c_str());
    if (!listing) {
        error = LastError();
        return entries;
    }
    error.clear();
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        entries.push_back({name, StatusOf(folder / name).kind, name.starts_with('.')});
    }
    ::closedir(listing);
    return entries;
}

fs::path RunningProgramPath() {
    std::error_code error;
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : program;
}

} // namespace platform
