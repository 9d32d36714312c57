#include "support/UnansweredListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

UnansweredListener::UnansweredListener() : listener_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const int listener = static_cast<int>(listener_);
    if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listener, 0) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (listener >= 0)
            ::close(listener);
        throw std::runtime_error("the unanswered listener cannot be set up");
    }
    port_ = ntohs(address.sin_port);
    for (int filler = 0; filler < 3; ++filler) {
        queued_.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
        ::connect(static_cast<int>(queued_.back()), reinterpret_cast<sockaddr*>(&address), length);
    }
}

UnansweredListener::~UnansweredListener() {
    for (std::intptr_t socket : queued_)
        ::close(static_cast<int>(socket));
    ::close(static_cast<int>(listener_));
}
