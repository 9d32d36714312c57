#pragma once

#include "platform/Tls.h"
#include "update/CookieJar.h"
#include "update/HttpLimits.h"
#include "update/MessagePump.h"
#include "update/Url.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class THttpConnection;
struct THttpResponseHead;

// Receives the body of the final response piece by piece, as it arrives.
using TBodySink = std::function<void(std::string_view)>;

// The head of a GET for Url, byte for byte as the client sends it.
std::string RequestHead(const TUrl& url, std::string_view cookies);

// An HTTP/1.1 client with a fixed configuration: GET only, http and https, redirects followed
// (never from https down to http), cookies kept for the life of the client, no proxy, no
// credentials. Trust widens the system's trust store for tests; the program never sets it.
class THttpClient {
  public:
    explicit THttpClient(THttpLimits limits = {}, platform::TTlsTrust trust = {});
    ~THttpClient();

    // Writes the body of the final response for Address to Sink, or throws AppError (a
    // TDownloadCancelled when the pump asked to stop). One download at a time.
    void Get(const std::string& address, const TBodySink& sink, const TMessagePump& pump);

    // Closes the connection if one is open.
    void Disconnect();

    // True while a download runs.
    bool Busy() const { return busy_; }

  private:
    THttpResponseHead Exchange(const TUrl& url, const TMessagePump& pump);
    THttpResponseHead ReadHead(const TUrl& url);
    void ReadBody(const THttpResponseHead& head, const TBodySink& sink,
                  std::optional<std::chrono::milliseconds> waitLimit);
    void DiscardBody(const THttpResponseHead& head, std::chrono::milliseconds waitLimit);
    void Release(const THttpResponseHead& head);

    THttpLimits limits_;
    platform::TTlsTrust trust_;
    TCookieJar cookies_;
    std::unique_ptr<THttpConnection> connection_;
    bool busy_ = false;
    bool responseStarted_ = false;
};
