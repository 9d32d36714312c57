// What both systems' sockets do alike.

#include "platform/Sockets.h"

namespace platform {

TSocket::TSocket(TSocket&& other) noexcept : handle_(other.handle_) {
    other.handle_ = NoHandle;
}

TSocket& TSocket::operator=(TSocket&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.handle_;
        other.handle_ = NoHandle;
    }
    return *this;
}

TSocket::~TSocket() {
    Close();
}

} // namespace platform
