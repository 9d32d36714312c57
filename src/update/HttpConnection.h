#pragma once

#include "platform/Sockets.h"
#include "platform/Tls.h"
#include "update/HostLookup.h"
#include "update/HttpLimits.h"
#include "update/MessagePump.h"
#include "update/Url.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

// One open connection of a download, plain or secure, with the bytes that have arrived and not
// been used yet. Every wait runs in slices with the message pump called after each empty one,
// and at least once a slice while bytes keep arriving.
class HttpConnection {
  public:
    // Resolves the host with Resolver and connects, trying its addresses in turn, then for https
    // runs the TLS handshake; all together within the connect limit, the pump running all the
    // while. No wait of the connection goes beyond DownloadEnd, the end of the whole download.
    HttpConnection(const Url& url, const HttpLimits& limits, const platform::TlsTrust& trust,
                   const HostResolver& resolver, const MessagePump& pump,
                   std::chrono::steady_clock::time_point downloadEnd);

    bool Serves(const Url& url) const {
        return url.host == host_ && url.port == port_ && url.secure == (tls_ != nullptr);
    }
    bool PeerClosed() const { return peerClosed_; }

    void Send(std::string_view bytes);

    std::string_view Pending() const { return {buffer_.data() + begin_, end_ - begin_}; }
    void Use(std::size_t count) { begin_ += count; }

    // Waits for more bytes, up to the end of the download when WaitLimit is empty; false once
    // the server has closed the connection. Throws AppError "Read Timeout" when a wait exceeds
    // its limit, DownloadLimitReached at the end of the download.
    bool Fill(std::optional<std::chrono::milliseconds> waitLimit);

  private:
    void Connect(const platform::SocketAddress& address,
                 std::chrono::steady_clock::time_point deadline);
    void Handshake(const platform::TlsTrust& trust, std::chrono::steady_clock::time_point deadline);
    void SendAll(std::string_view bytes);
    bool FillBuffer(std::optional<std::chrono::milliseconds> waitLimit);
    bool Wait(platform::TlsWait what, int milliseconds);
    void Pump();
    void CheckDownloadEnd() const;

    const HttpLimits& limits_;
    const MessagePump& pump_;
    std::chrono::steady_clock::time_point downloadEnd_;
    std::string host_;
    int port_;
    platform::Socket socket_;
    std::unique_ptr<platform::TlsSession> tls_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool peerClosed_ = false;
    std::chrono::steady_clock::time_point lastPump_ = std::chrono::steady_clock::now();
};
