#pragma once

#include "platform/Sockets.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace platform {

// What a secure connection trusts besides the system's own store. The program leaves it empty;
// only tests set it, so that their own certificate authority is believed.
struct TlsTrust {
    std::string extraRootPem;
};

// What a secure session must wait for before it can go on: the socket, or the check of the
// server's certificate (on Windows it may fetch what the server left out of its chain).
enum class TlsWait { Nothing, Readable, Writable, Checked };

// Why a server was refused, in the same words on every system.
namespace TlsReason {
inline constexpr const char* Expired = "certificate has expired";
inline constexpr const char* NotYetValid = "certificate is not yet valid";
inline constexpr const char* OtherHost = "certificate is for another host name";
inline constexpr const char* SelfSigned = "self-signed certificate";
inline constexpr const char* UnknownIssuer = "certificate issuer is unknown";
inline constexpr const char* Revoked = "certificate has been revoked";
inline constexpr const char* OldProtocol =
    "TLS handshake failed: the server offers no TLS 1.2 or later";
} // namespace TlsReason

// A server refused or a session broken; what() says why, in words a user can act on.
class TlsError : public std::system_error {
  public:
    explicit TlsError(std::string reason)
        : std::system_error(std::make_error_code(std::errc::protocol_error)),
          reason_(std::move(reason)) {}
    const char* what() const noexcept override { return reason_.c_str(); }

  private:
    std::string reason_;
};

// A TLS client session (TLS 1.2 or later) over a connected socket that never blocks. The
// server's certificate chain and its name are always verified, against the system's store and
// Trust. The socket must outlive the session.
class TlsSession {
  public:
    TlsSession(Socket& socket, const std::string& host, const TlsTrust& trust);
    TlsSession(const TlsSession&) = delete;
    TlsSession& operator=(const TlsSession&) = delete;
    ~TlsSession();

    // Moves the handshake on: Nothing once it is done, else what to wait for. Throws TlsError
    // saying why when the server or its certificate is refused.
    TlsWait Handshake();

    // Waits up to Milliseconds for the check of the server's certificate; true once it is done.
    bool WaitChecked(int milliseconds);

    // Takes decrypted bytes: the count, 0 once the server has ended the session, or nothing
    // until Waiting() is met. Throws TlsError on a broken or cut-off session, std::system_error
    // on a broken socket.
    std::optional<std::size_t> Receive(std::span<char> buffer);

    // Encrypts and sends what it can now and returns that count (0: wait for Waiting()).
    std::size_t Send(std::string_view bytes);

    // What the last call that could not go on waits for.
    TlsWait Waiting() const noexcept { return waiting_; }

  private:
    struct State;
    std::unique_ptr<State> state_;
    TlsWait waiting_ = TlsWait::Nothing;
};

} // namespace platform
