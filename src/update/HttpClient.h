#pragma once

#include "platform/Tls.h"
#include "update/CookieJar.h"
#include "update/HostLookup.h"
#include "update/HttpLimits.h"
#include "update/MessagePump.h"
#include "update/Url.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class HttpConnection;
struct HttpResponseHead;

// Receives the body of the final response piece by piece, as it arrives.
using BodySink = std::function<void(std::string_view)>;

// The head of a GET for Url, byte for byte as the client sends it.
std::string RequestHead(const Url& url, std::string_view cookies);

// An HTTP/1.1 client with a fixed configuration: GET only, http and https, redirects followed
// (never from https down to http), cookies kept for the life of the client, no proxy, no
// credentials. Trust widens the system's trust store and Resolver stands in for the system's
// resolver, for tests; the program sets neither.
class HttpClient {
  public:
    explicit HttpClient(HttpLimits limits = {}, platform::TlsTrust trust = {},
                        HostResolver resolver = platform::ResolveHost);
    ~HttpClient();

    // Writes the body of the final response for Address to Sink, or throws AppError (a
    // DownloadCancelled when the pump asked to stop, a DownloadLimitReached past the download's
    // time or size limit). One download at a time.
    void Get(const std::string& address, const BodySink& sink, const MessagePump& pump);

    // Closes the connection if one is open.
    void Disconnect();

    // True while a download runs.
    bool Busy() const { return busy_; }

  private:
    HttpResponseHead Exchange(const Url& url, const MessagePump& pump);
    HttpResponseHead ReadHead(const Url& url);
    void ReadBody(const HttpResponseHead& head, const BodySink& sink,
                  std::optional<std::chrono::milliseconds> waitLimit,
                  std::optional<std::uint64_t> mostBytes);
    void DiscardBody(const HttpResponseHead& head, std::chrono::milliseconds waitLimit);
    void Release(const HttpResponseHead& head);

    HttpLimits limits_;
    platform::TlsTrust trust_;
    HostResolver resolver_;
    CookieJar cookies_;
    std::unique_ptr<HttpConnection> connection_;
    std::chrono::steady_clock::time_point downloadEnd_;
    bool busy_ = false;
    bool responseStarted_ = false;
};
