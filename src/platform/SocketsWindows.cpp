#include "platform/SocketAddresses.h"
#include "platform/Sockets.h"
#include "platform/WindowsError.h"

#include <system_error>
#include <winsock2.h>
#include <ws2tcpip.h>

namespace platform {

namespace {

[[noreturn]] void ThrowSocketError(int error) {
    throw std::system_error(error, WindowsErrorCategory());
}

[[noreturn]] void ThrowLastSocketError() {
    ThrowSocketError(::WSAGetLastError());
}

// Winsock needs one start per process before any other call.
void StartWinsock() {
    static const int started = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data);
    }();
    if (started != 0)
        ThrowSocketError(started);
}

SOCKET Sock(std::intptr_t handle) {
    return static_cast<SOCKET>(handle);
}

void MakeNonBlocking(SOCKET socket) {
    u_long on = 1;
    if (::ioctlsocket(socket, FIONBIO, &on) != 0)
        ThrowLastSocketError();
}

// Waits up to Milliseconds for Socket to become readable, writable or failed; the set that
// fired is reported through the flags.
bool Wait(SOCKET socket, bool forReading, int milliseconds, bool* failed = nullptr) {
    fd_set wanted, errors;
    FD_ZERO(&wanted);
    FD_ZERO(&errors);
    FD_SET(socket, &wanted);
    FD_SET(socket, &errors);
    timeval limit{milliseconds / 1000, (milliseconds % 1000) * 1000};
    const int ready = ::select(0, forReading ? &wanted : nullptr, forReading ? nullptr : &wanted,
                               &errors, &limit);
    if (ready == SOCKET_ERROR)
        ThrowLastSocketError();
    if (failed)
        *failed = FD_ISSET(socket, &errors);
    return ready > 0;
}

} // namespace

std::vector<SocketAddress> ResolveHost(const std::string& host, int port) {
    StartWinsock();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    const int result = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
    if (result != 0)
        ThrowSocketError(result);
    std::vector<SocketAddress> addresses = CopyAddresses(found);
    ::freeaddrinfo(found);
    return addresses;
}

void Socket::Close() noexcept {
    if (handle_ != NoHandle)
        ::closesocket(Sock(handle_));
    handle_ = NoHandle;
}

Socket Socket::StartConnect(const SocketAddress& address) {
    StartWinsock();
    const auto* target = reinterpret_cast<const sockaddr*>(address.bytes.data());
    const SOCKET handle = ::socket(target->sa_family, SOCK_STREAM, IPPROTO_TCP);
    if (handle == INVALID_SOCKET)
        ThrowLastSocketError();
    Socket socket(static_cast<std::intptr_t>(handle));
    MakeNonBlocking(handle);
    if (::connect(handle, target, static_cast<int>(address.length)) != 0 &&
        ::WSAGetLastError() != WSAEWOULDBLOCK)
        ThrowLastSocketError();
    return socket;
}

bool Socket::WaitConnected(int milliseconds) {
    // A failed connect shows in the error set, not as writable.
    bool failed = false;
    if (!Wait(Sock(handle_), false, milliseconds, &failed))
        return false;
    int error = 0;
    int size = sizeof error;
    if (::getsockopt(Sock(handle_), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) !=
        0)
        error = ::WSAGetLastError();
    if (error != 0 || failed)
        ThrowSocketError(error != 0 ? error : WSAECONNREFUSED);
    return true;
}

bool Socket::WaitReadable(int milliseconds) {
    return Wait(Sock(handle_), true, milliseconds);
}

bool Socket::WaitWritable(int milliseconds) {
    return Wait(Sock(handle_), false, milliseconds);
}

std::optional<std::size_t> Socket::Receive(std::span<char> buffer) {
    const int wanted = static_cast<int>(std::min<std::size_t>(buffer.size(), 1 << 30));
    const int count = ::recv(Sock(handle_), buffer.data(), wanted, 0);
    if (count >= 0)
        return static_cast<std::size_t>(count);
    if (::WSAGetLastError() == WSAEWOULDBLOCK)
        return std::nullopt;
    ThrowLastSocketError();
}

std::size_t Socket::Send(std::string_view bytes) {
    const int wanted = static_cast<int>(std::min<std::size_t>(bytes.size(), 1 << 30));
    const int count = ::send(Sock(handle_), bytes.data(), wanted, 0);
    if (count >= 0)
        return static_cast<std::size_t>(count);
    if (::WSAGetLastError() == WSAEWOULDBLOCK)
        return 0;
    ThrowLastSocketError();
}

ListeningSocket::ListeningSocket() {
    StartWinsock();
    const SOCKET handle = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (handle == INVALID_SOCKET)
        ThrowLastSocketError();
    socket_ = Socket(static_cast<std::intptr_t>(handle));
    MakeNonBlocking(handle);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    if (::bind(handle, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::listen(handle, 16) != 0 ||
        ::getsockname(handle, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        ThrowLastSocketError();
    port_ = ntohs(address.sin_port);
}

std::optional<Socket> ListeningSocket::Accept(int milliseconds) {
    if (!socket_.WaitReadable(milliseconds))
        return std::nullopt;
    const SOCKET accepted = ::accept(Sock(socket_.handle_), nullptr, nullptr);
    if (accepted == INVALID_SOCKET) {
        if (::WSAGetLastError() == WSAEWOULDBLOCK)
            return std::nullopt;
        ThrowLastSocketError();
    }
    Socket socket(static_cast<std::intptr_t>(accepted));
    MakeNonBlocking(accepted);
    return socket;
}

} // namespace platform
