#include "support/UnansweredListener.h"

#include <stdexcept>
#include <winsock2.h>

namespace {

SOCKET Sock(std::intptr_t handle) {
    return static_cast<SOCKET>(handle);
}

std::intptr_t OpenSocket() {
    // The client's first connect starts Winsock; this one may come first.
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    return static_cast<std::intptr_t>(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
}

} // namespace

UnansweredListener::UnansweredListener() : listener_(OpenSocket()) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    const SOCKET listener = Sock(listener_);
    if (listener == INVALID_SOCKET ||
        ::bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listener, 0) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (listener != INVALID_SOCKET)
            ::closesocket(listener);
        throw std::runtime_error("the unanswered listener cannot be set up");
    }
    port_ = ntohs(address.sin_port);
    for (int filler = 0; filler < 3; ++filler) {
        const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        u_long on = 1;
        ::ioctlsocket(socket, FIONBIO, &on);
        ::connect(socket, reinterpret_cast<sockaddr*>(&address), length);
        queued_.push_back(static_cast<std::intptr_t>(socket));
    }
}

UnansweredListener::~UnansweredListener() {
    for (std::intptr_t socket : queued_)
        ::closesocket(Sock(socket));
    ::closesocket(Sock(listener_));
}
