#include "util/FileHelpers.h"

#include "util/AppError.h"
#include "util/CaseFolding.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string CannotOpen(const fs::path& path, int error) {
    return "Cannot open file \"" + PathText(path) + "\". " + std::strerror(error);
}

std::string CannotCreate(const fs::path& path, int error) {
    return "Cannot create file \"" + PathText(path) + "\". " + std::strerror(error);
}

// Owns a POSIX file descriptor.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now so that a failing close can be reported.
    int close() {
        int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

bool FileExists(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool DirectoryExists(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

std::string ReadFileBytes(const fs::path& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        throw AppError(CannotOpen(path, errno));
    std::string bytes;
    char buffer[65536];
    for (;;) {
        ssize_t count = ::read(file.get(), buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            throw AppError(CannotOpen(path, errno));
        }
        if (count == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    return bytes;
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    if (DirectoryExists(path))
        throw AppError(CannotCreate(path, EISDIR));
    std::string temporary = PathText(path) + ".XXXXXX";
    FileDescriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0)
        throw AppError(CannotCreate(path, errno));
    int error = 0;
    if (!WriteAll(file.get(), bytes) || ::fsync(file.get()) != 0)
        error = errno;
    if (file.close() != 0 && error == 0)
        error = errno;
    // mkstemp makes the file private; a page or settings file is an ordinary document.
    if (error == 0) {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::chmod(temporary.c_str(), 0666 & ~mask);
    }
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        throw AppError(CannotCreate(path, error));
    }
}

std::optional<fs::path> FindInFolderIgnoringCase(const fs::path& folder, std::string_view name) {
    std::error_code error;
    fs::path exact = folder / fs::path(std::string(name));
    if (fs::exists(exact, error))
        return exact;
    const std::string wanted = FoldCase(name);
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (FoldCase(it->path().filename().string()) == wanted)
            return it->path();
    return std::nullopt;
}

fs::path RunningProgramFolder() {
    std::error_code error;
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return fs::current_path();
    return program.parent_path();
}
