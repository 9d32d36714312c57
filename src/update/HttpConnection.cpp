#include "update/HttpConnection.h"

#include "util/AppError.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::size_t BufferSize = 256 * 1024;

int SliceMs(milliseconds slice, Clock::duration left) {
    auto leftMs = std::chrono::ceil<milliseconds>(left);
    return static_cast<int>(std::clamp(leftMs, milliseconds(0), slice).count());
}

// The platform reports the system's failures as std::system_error whose what() is the reason; a
// download reports them to the user in those words.
template <class Call> auto Reported(Call call) {
    try {
        return call();
    } catch (const std::system_error& error) {
        throw AppError(error.what());
    }
}

} // namespace

HttpConnection::HttpConnection(const Url& url, const HttpLimits& limits,
                               const platform::TlsTrust& trust, const HostResolver& resolver,
                               const MessagePump& pump, Clock::time_point downloadEnd)
    : limits_(limits), pump_(pump), downloadEnd_(downloadEnd), host_(url.host), port_(url.port),
      buffer_(BufferSize) {
    const auto deadline = std::min(Clock::now() + limits_.connect, downloadEnd_);
    const auto addresses = Reported([&] {
        return LookUpHost(resolver, host_, port_, limits_.connectSlice, [&] {
            if (Clock::now() >= deadline) {
                CheckDownloadEnd();
                throw AppError("Looking up " + host_ + " timed out.");
            }
            Pump();
        });
    });
    std::optional<AppError> lastError;
    for (const auto& address : addresses) {
        try {
            Connect(address, deadline);
            // A refused certificate is the host's answer; another address would give the same.
            if (url.secure)
                Handshake(trust, deadline);
            return;
        } catch (const DownloadCancelled&) {
            throw;
        } catch (const DownloadLimitReached&) {
            throw;
        } catch (const AppError& error) {
            if (Clock::now() >= deadline || tls_)
                throw;
            lastError = error;
        }
    }
    throw lastError.value_or(AppError("No address found for " + host_ + "."));
}

void HttpConnection::Connect(const platform::SocketAddress& address, Clock::time_point deadline) {
    Reported([&] {
        socket_ = platform::Socket::StartConnect(address);
        while (!socket_.WaitConnected(SliceMs(limits_.connectSlice, deadline - Clock::now()))) {
            if (Clock::now() >= deadline) {
                socket_.Close();
                CheckDownloadEnd();
                throw AppError("Connect timed out.");
            }
            Pump();
        }
    });
}

void HttpConnection::Handshake(const platform::TlsTrust& trust, Clock::time_point deadline) {
    Reported([&] {
        tls_ = std::make_unique<platform::TlsSession>(socket_, host_, trust);
        for (platform::TlsWait wait; (wait = tls_->Handshake()) != platform::TlsWait::Nothing;) {
            if (Clock::now() >= deadline) {
                CheckDownloadEnd();
                throw AppError("The secure handshake timed out.");
            }
            if (!Wait(wait, SliceMs(limits_.connectSlice, deadline - Clock::now())))
                Pump();
        }
    });
}

bool HttpConnection::Wait(platform::TlsWait what, int milliseconds) {
    if (what == platform::TlsWait::Checked)
        return tls_->WaitChecked(milliseconds);
    return what == platform::TlsWait::Writable ? socket_.WaitWritable(milliseconds)
                                               : socket_.WaitReadable(milliseconds);
}

void HttpConnection::CheckDownloadEnd() const {
    if (Clock::now() >= downloadEnd_)
        throw DownloadLimitReached(DeadlineText(limits_.download));
}

void HttpConnection::Pump() {
    lastPump_ = Clock::now();
    if (!pump_())
        throw DownloadCancelled();
}

void HttpConnection::Send(std::string_view bytes) {
    Reported([&] { SendAll(bytes); });
}

void HttpConnection::SendAll(std::string_view bytes) {
    while (!bytes.empty()) {
        std::size_t sent = tls_ ? tls_->Send(bytes) : socket_.Send(bytes);
        bytes.remove_prefix(sent);
        if (sent > 0)
            continue;
        CheckDownloadEnd();
        const platform::TlsWait wait = tls_ ? tls_->Waiting() : platform::TlsWait::Writable;
        if (!Wait(wait, SliceMs(limits_.readSlice, downloadEnd_ - Clock::now())))
            Pump();
    }
}

bool HttpConnection::Fill(std::optional<milliseconds> waitLimit) {
    return Reported([&] { return FillBuffer(waitLimit); });
}

bool HttpConnection::FillBuffer(std::optional<milliseconds> waitLimit) {
    if (peerClosed_)
        return false;
    if (begin_ == end_) {
        begin_ = end_ = 0;
    } else if (end_ == buffer_.size()) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);
    const auto deadline =
        waitLimit ? std::min(Clock::now() + *waitLimit, downloadEnd_) : downloadEnd_;
    for (;;) {
        const std::span free = std::span(buffer_).subspan(end_);
        auto received = tls_ ? tls_->Receive(free) : socket_.Receive(free);
        if (received) {
            // A server that trickles its bytes may neither hold the caller past the end
            CheckDownloadEnd();
            end_ += *received;
            peerClosed_ = *received == 0;
            // nor freeze it.
            if (Clock::now() - lastPump_ >= limits_.readSlice)
                Pump();
            return !peerClosed_;
        }
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero()) {
            CheckDownloadEnd();
            throw AppError("Read Timeout");
        }
        const platform::TlsWait wait = tls_ ? tls_->Waiting() : platform::TlsWait::Readable;
        if (!Wait(wait, SliceMs(limits_.readSlice, left)))
            Pump();
    }
}
