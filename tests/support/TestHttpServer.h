#pragma once

#include "platform/Sockets.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// One accepted connection as the server plays it: for each reply, it waits for a request head,
// records it and sends the reply's bytes; then it closes, or holds the connection until the
// server stops.
struct TestConnection {
    std::vector<std::string> replies;
    bool holdOpen = false;
    // Sends one byte at a time, each after the client has waited again (see Tick).
    bool trickle = false;
};

// The bytes of one accepted connection, as the server reads and writes them.
class TestStream {
  public:
    virtual ~TestStream() = default;
    // The byte count, 0 once the client has closed, or nothing when no byte is there yet.
    virtual std::optional<std::size_t> Receive(std::span<char> buffer) = 0;
    virtual std::size_t Send(std::string_view bytes) = 0;
    virtual bool WaitReadable(int milliseconds) = 0;
    virtual bool WaitWritable(int milliseconds) = 0;
};

// Turns an accepted socket into the stream the script is played on (TLS, for instance); null
// when the client is refused. Stopping tells it to give up waiting.
using TestStreamMaker = std::function<std::unique_ptr<TestStream>(
    platform::Socket socket, const std::atomic<bool>& stopping)>;

// A scripted HTTP server on 127.0.0.1, on a port the system picked; connections beyond the
// script are closed at once, or served by the last script when RepeatLast is set. With Secure,
// the script is played over what it makes of each connection.
class TestHttpServer {
  public:
    explicit TestHttpServer(std::vector<TestConnection> script, bool repeatLast = false,
                            TestStreamMaker secure = {});
    ~TestHttpServer();

    int Port() const { return listener_.Port(); }
    // http://127.0.0.1:PORT + Path, or https://localhost:PORT + Path for a secure server.
    std::string Url(std::string_view path) const;
    // Every request head received, in order.
    std::vector<std::string> Requests() const;
    int Connections() const { return connections_; }
    // Lets a trickling reply send its next byte.
    void Tick();

  private:
    void Run();
    void Serve(TestStream& stream, const TestConnection& script);
    bool ReceiveRequest(TestStream& stream, std::string& pending);
    void SendAll(TestStream& stream, std::string_view bytes);
    void WaitForTick(unsigned long seen);

    platform::ListeningSocket listener_;
    std::vector<TestConnection> script_;
    bool repeatLast_;
    TestStreamMaker secure_;
    std::atomic<bool> stopping_ = false;
    std::atomic<int> connections_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable ticked_;
    unsigned long ticks_ = 0;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A complete response: the status line and fields given, a Content-Length, the body.
std::string Reply(std::string_view statusAndFields, std::string_view body);
