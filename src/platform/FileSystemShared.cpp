// What both systems' files do alike.

#include "platform/FileSystem.h"

#include <random>

namespace platform {

std::string RandomName(std::string_view prefix) {
    static const char Letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string name(prefix);
    for (int i = 0; i < 6; ++i)
        name += Letters[random() % (sizeof Letters - 1)];
    return name;
}

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

void File::reset(std::intptr_t handle) {
    // A failing close of a file given up on has nobody left to tell.
    if (isOpen())
        (void)close();
    handle_ = handle;
}

std::error_code ReadRest(File& file, std::string& bytes) {
    char buffer[4096];
    for (;;) {
        std::size_t count = 0;
        if (auto error = ReadSome(file, buffer, sizeof buffer, count))
            return error;
        if (count == 0)
            return {};
        bytes.append(buffer, count);
    }
}

} // namespace platform
