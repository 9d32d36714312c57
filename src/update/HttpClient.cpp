#include "update/HttpClient.h"

#include "update/ChunkedBody.h"
#include "update/HttpConnection.h"
#include "update/ResponseHead.h"

#include <algorithm>

namespace {

// The first request and up to 14 redirects.
constexpr int MostRequests = 15;
// Informational (1xx) responses skipped in a row before the server is given up on.
constexpr int MostInformational = 16;

std::int64_t Now() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

bool IsRedirect(const HttpResponseHead& head) {
    auto location = head.Field("Location");
    return (head.status >= 300 && head.status <= 399 && head.status != 304) ||
           (location && !location->empty());
}

} // namespace

std::string RequestHead(const Url& url, std::string_view cookies) {
    std::string head = "GET " + url.Target() + " HTTP/1.1\r\n";
    head += "Content-Type: text/html\r\n";
    head += "Host: " + url.HostHeader() + "\r\n";
    head += "Accept: text/html, */*\r\n";
    head += "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n";
    if (!cookies.empty())
        head += "Cookie: " + std::string(cookies) + "\r\n";
    head += "\r\n";
    return head;
}

HttpClient::HttpClient(HttpLimits limits, platform::TlsTrust trust, HostResolver resolver)
    : limits_(limits), trust_(std::move(trust)), resolver_(std::move(resolver)) {}

HttpClient::~HttpClient() = default;

void HttpClient::Disconnect() {
    connection_.reset();
}

void HttpClient::Get(const std::string& address, const BodySink& sink, const MessagePump& pump) {
    if (busy_)
        throw AppError("A download is already running.");
    busy_ = true;
    // The connection never outlives the download.
    struct DownloadEnd {
        HttpClient& client;
        ~DownloadEnd() {
            client.Disconnect();
            client.busy_ = false;
        }
    } end{*this};
    downloadEnd_ = std::chrono::steady_clock::now() + limits_.download;
    // The caller's pending messages run once before the network is touched.
    if (!pump())
        throw DownloadCancelled();

    Url url = ParseUrl(address);
    for (int request = 1;; ++request) {
        const HttpResponseHead head = Exchange(url, pump);
        if (IsRedirect(head)) {
            // A loop would otherwise end as an empty "success".
            if (request == MostRequests)
                throw AppError("Too many redirects.");
            auto location = head.Field("Location");
            if (!location || location->empty())
                throw AppError("\"" + head.statusLine + "\" gives no address to go to.");
            Url next = ResolveUrl(url, *location);
            // What was asked for securely must not be swapped on its way.
            if (url.secure && !next.secure)
                throw AppError("The secure address redirects to plain http.");
            if (!head.cutShort)
                DiscardBody(head, limits_.redirectBodyWait);
            url = std::move(next);
            Release(head);
            continue;
        }
        if (head.status < 200 || head.status > 299) {
            DiscardBody(head, limits_.failureBodyWait);
            throw AppError(head.statusLine.empty() ? "No response." : head.statusLine);
        }
        if (head.cutShort)
            throw AppError("Connection Closed Gracefully.");
        ReadBody(head, sink, std::nullopt, limits_.mostBodyBytes);
        return;
    }
}

HttpResponseHead HttpClient::Exchange(const Url& url, const MessagePump& pump) {
    if (connection_ && !connection_->Serves(url))
        connection_.reset();
    const bool reused = connection_ != nullptr;
    const std::string request = RequestHead(url, cookies_.CookieHeader(url, Now()));
    for (int attempt = 1;; ++attempt) {
        if (!connection_)
            connection_ = std::make_unique<HttpConnection>(url, limits_, trust_, resolver_, pump,
                                                           downloadEnd_);
        responseStarted_ = false;
        try {
            connection_->Send(request);
            return ReadHead(url);
        } catch (const DownloadCancelled&) {
            throw;
        } catch (const DownloadLimitReached&) {
            throw;
        } catch (const AppError&) {
            // A kept connection the server closed meanwhile: one more try on a fresh one.
            if (!reused || attempt > 1 || responseStarted_)
                throw;
            connection_.reset();
        }
    }
}

HttpResponseHead HttpClient::ReadHead(const Url& url) {
    for (int informational = 0;; ++informational) {
        ResponseHeadParser parser;
        while (!parser.Complete()) {
            if (connection_->Pending().empty() && !connection_->Fill(std::nullopt)) {
                if (!responseStarted_)
                    throw AppError("The server closed the connection without an answer.");
                parser.EndOfInput();
                break;
            }
            connection_->Use(parser.Feed(connection_->Pending()));
            responseStarted_ = responseStarted_ || parser.Started();
        }
        HttpResponseHead head = parser.Head();
        const std::int64_t now = Now();
        for (auto field : head.Fields("Set-Cookie"))
            cookies_.Take(field, false, url, now);
        for (auto field : head.Fields("Set-Cookie2"))
            cookies_.Take(field, true, url, now);
        // Every informational response is followed by the real one (RFC 7231 6.2).
        if (head.status < 100 || head.status > 199 || head.cutShort)
            return head;
        if (informational + 1 == MostInformational)
            throw AppError("Too many informational responses.");
    }
}

void HttpClient::ReadBody(const HttpResponseHead& head, const BodySink& outerSink,
                          std::optional<std::chrono::milliseconds> waitLimit,
                          std::optional<std::uint64_t> mostBytes) {
    HttpConnection& connection = *connection_;
    auto more = [&] { return !connection.Pending().empty() || connection.Fill(waitLimit); };
    const BodyFraming framing = BodyFramingOf(head);
    // A body announced too large is refused before a byte of it is read.
    if (mostBytes && framing.kind == BodyFraming::Length && framing.length > *mostBytes)
        throw DownloadLimitReached(TooLargeText(*mostBytes));
    std::uint64_t taken = 0;
    const BodySink sink = [&](std::string_view piece) {
        taken += piece.size();
        if (mostBytes && taken > *mostBytes)
            throw DownloadLimitReached(TooLargeText(*mostBytes));
        outerSink(piece);
    };
    const std::string cutShort = "The connection closed before the whole body arrived.";
    if (framing.kind == BodyFraming::Length) {
        for (std::uint64_t left = framing.length; left > 0;) {
            if (!more())
                throw AppError(cutShort);
            std::string_view piece = connection.Pending();
            piece = piece.substr(
                0, static_cast<std::size_t>(std::min<std::uint64_t>(left, piece.size())));
            sink(piece);
            connection.Use(piece.size());
            left -= piece.size();
        }
    } else if (framing.kind == BodyFraming::Chunked) {
        ChunkedDecoder decoder;
        while (!decoder.Complete()) {
            if (!more())
                throw AppError(cutShort);
            connection.Use(decoder.Feed(connection.Pending(), sink));
        }
    } else if (framing.kind == BodyFraming::UntilClose) {
        while (more()) {
            sink(connection.Pending());
            connection.Use(connection.Pending().size());
        }
    }
}

void HttpClient::DiscardBody(const HttpResponseHead& head, std::chrono::milliseconds waitLimit) {
    const BodySink ignore = [](std::string_view) {};
    try {
        ReadBody(head, ignore, waitLimit, std::nullopt);
    } catch (const DownloadCancelled&) {
        throw;
    } catch (const DownloadLimitReached&) {
        throw;
    } catch (const AppError&) {
        // The body does not matter, but the connection is no longer in step.
        connection_.reset();
    }
}

void HttpClient::Release(const HttpResponseHead& head) {
    if (connection_ && (!KeepsConnection(head) || connection_->PeerClosed()))
        connection_.reset();
}
