#include "platform/SocketAddresses.h"
#include "platform/Sockets.h"

#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <system_error>
#include <unistd.h>

namespace platform {

namespace {

[[noreturn]] void ThrowSystemError(int error) {
    throw std::system_error(error, std::generic_category());
}

// The resolver's own error codes (EAI_...), in its words.
class ResolverErrorCategory : public std::error_category {
  public:
    const char* name() const noexcept override { return "resolver"; }
    std::string message(int code) const override { return ::gai_strerror(code); }
};

[[noreturn]] void ThrowResolverError(int result) {
    if (result == EAI_SYSTEM)
        ThrowSystemError(errno);
    static const ResolverErrorCategory category;
    throw std::system_error(result, category);
}

int Fd(std::intptr_t handle) {
    return static_cast<int>(handle);
}

// True when Fd shows one of Events within Milliseconds.
bool Wait(int fd, short events, int milliseconds) {
    pollfd entry{fd, events, 0};
    int ready = ::poll(&entry, 1, milliseconds);
    if (ready < 0 && errno != EINTR)
        ThrowSystemError(errno);
    return ready > 0;
}

} // namespace

std::vector<SocketAddress> ResolveHost(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    int result = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
    if (result != 0)
        ThrowResolverError(result);
    std::vector<SocketAddress> addresses = CopyAddresses(found);
    ::freeaddrinfo(found);
    return addresses;
}

void Socket::Close() noexcept {
    if (handle_ != NoHandle)
        ::close(Fd(handle_));
    handle_ = NoHandle;
}

Socket Socket::StartConnect(const SocketAddress& address) {
    const auto* target = reinterpret_cast<const sockaddr*>(address.bytes.data());
    Socket socket(::socket(target->sa_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.IsOpen())
        ThrowSystemError(errno);
    if (::connect(Fd(socket.handle_), target, static_cast<socklen_t>(address.length)) != 0 &&
        errno != EINPROGRESS)
        ThrowSystemError(errno);
    return socket;
}

bool Socket::WaitConnected(int milliseconds) {
    if (!Wait(Fd(handle_), POLLOUT, milliseconds))
        return false;
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(Fd(handle_), SOL_SOCKET, SO_ERROR, &error, &size) != 0)
        error = errno;
    if (error != 0)
        ThrowSystemError(error);
    return true;
}

bool Socket::WaitReadable(int milliseconds) {
    return Wait(Fd(handle_), POLLIN, milliseconds);
}

bool Socket::WaitWritable(int milliseconds) {
    return Wait(Fd(handle_), POLLOUT, milliseconds);
}

std::optional<std::size_t> Socket::Receive(std::span<char> buffer) {
    for (;;) {
        ssize_t count = ::recv(Fd(handle_), buffer.data(), buffer.size(), 0);
        if (count >= 0)
            return static_cast<std::size_t>(count);
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return std::nullopt;
        if (errno != EINTR)
            ThrowSystemError(errno);
    }
}

std::size_t Socket::Send(std::string_view bytes) {
    for (;;) {
        // A peer that has gone must not raise SIGPIPE in the program.
        ssize_t count = ::send(Fd(handle_), bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (count >= 0)
            return static_cast<std::size_t>(count);
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return 0;
        if (errno != EINTR)
            ThrowSystemError(errno);
    }
}

ListeningSocket::ListeningSocket() {
    socket_ = Socket(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket_.IsOpen())
        ThrowSystemError(errno);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    const int fd = Fd(socket_.handle_);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(fd, 16) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        ThrowSystemError(errno);
    port_ = ntohs(address.sin_port);
}

std::optional<Socket> ListeningSocket::Accept(int milliseconds) {
    if (!socket_.WaitReadable(milliseconds))
        return std::nullopt;
    int fd = ::accept4(Fd(socket_.handle_), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
            return std::nullopt;
        ThrowSystemError(errno);
    }
    return Socket(fd);
}

} // namespace platform
