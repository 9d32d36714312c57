#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace platform {

// One address a host name resolved to, in the system's own form.
struct SocketAddress {
    std::array<std::byte, 128> bytes{};
    std::size_t length = 0;
};

// Failures come as std::system_error whose message() is the system's reason.

// The addresses of Host for a TCP connection to Port; throws std::system_error when none is found.
std::vector<SocketAddress> ResolveHost(const std::string& host, int port);

// A TCP socket that never blocks; closed when destroyed.
class Socket {
  public:
    Socket() noexcept = default;
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    ~Socket();

    // Begins a connect to Address; throws std::system_error when it fails at once.
    static Socket StartConnect(const SocketAddress& address);

    // Waits up to Milliseconds for the connect: true once connected, false while it is still
    // pending; throws std::system_error when it failed.
    bool WaitConnected(int milliseconds);

    // Waits up to Milliseconds until bytes or the peer's close can be read.
    bool WaitReadable(int milliseconds);

    // Waits up to Milliseconds until bytes can be sent.
    bool WaitWritable(int milliseconds);

    // Takes what has arrived: the byte count, 0 once the peer has closed, or nothing when no
    // byte is there yet; throws std::system_error on a broken connection.
    std::optional<std::size_t> Receive(std::span<char> buffer);

    // Sends what the system takes now and returns that count (0 when it takes nothing yet);
    // throws std::system_error on a broken connection.
    std::size_t Send(std::string_view bytes);

    bool IsOpen() const noexcept { return handle_ != NoHandle; }
    void Close() noexcept;

  private:
    friend class ListeningSocket;
    static constexpr std::intptr_t NoHandle = -1;
    explicit Socket(std::intptr_t handle) noexcept : handle_(handle) {}

    std::intptr_t handle_ = NoHandle;
};

// Accepts TCP connections on the loopback address, on a port the system chose.
class ListeningSocket {
  public:
    // Binds 127.0.0.1 port 0 and listens; throws std::system_error when it cannot.
    ListeningSocket();

    int Port() const { return port_; }

    // The next connection, or nothing when none arrived within Milliseconds.
    std::optional<Socket> Accept(int milliseconds);

  private:
    Socket socket_;
    int port_ = 0;
};

} // namespace platform
