#include "platform/PrivateFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace platform {

namespace {

std::string Reason(int error) {
    return std::generic_category().message(error);
}

bool MakeFolder(const std::filesystem::path& folder) {
    return ::mkdir(folder.c_str(), S_IRWXU) == 0 || errno == EEXIST;
}

} // namespace

std::string PreparePrivateFolder(const std::filesystem::path& folder) {
    if (!MakeFolder(folder)) {
        if (errno != ENOENT)
            return Reason(errno);
        std::error_code error;
        std::filesystem::create_directories(folder.parent_path(), error);
        if (error)
            return error.message();
        if (!MakeFolder(folder))
            return Reason(errno);
    }
    // Checked and changed through one descriptor, so that nothing can be swapped in between.
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0) {
        const int error = errno;
        struct stat entry {};
        if (::lstat(folder.c_str(), &entry) == 0 && S_ISLNK(entry.st_mode))
            return "It is a link, not a folder of its own.";
        return Reason(error);
    }
    struct stat status {};
    std::string reason;
    if (::fstat(descriptor, &status) != 0)
        reason = Reason(errno);
    else if (status.st_uid != ::geteuid())
        reason = "It belongs to another user.";
    // Whatever others put there meanwhile cannot be trusted.
    else if (status.st_mode & (S_IWGRP | S_IWOTH))
        reason = "Other users may change what is in it.";
    else if ((status.st_mode & (S_IRWXG | S_IRWXO)) && ::fchmod(descriptor, S_IRWXU) != 0)
        reason = Reason(errno);
    ::close(descriptor);
    return reason;
}

} // namespace platform
