// What both systems' files do alike.

#include "platform/FileSystem.h"

namespace platform {

File::File(File&& other) noexcept : handle_(other.handle_) {
    other.handle_ = Closed;
}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        reset(other.handle_);
        other.handle_ = Closed;
    }
    return *this;
}

File::~File() {
    reset(Closed);
}

} // namespace platform
