// What both systems' sockets do alike.

#include "platform/Sockets.h"

namespace platform {

Socket::Socket(Socket&& other) noexcept : handle_(other.handle_) {
    other.handle_ = NoHandle;
}

Socket& Socket::operator=(Socket&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.handle_;
        other.handle_ = NoHandle;
    }
    return *this;
}

Socket::~Socket() {
    Close();
}

} // namespace platform
