#pragma once

#include "platform/Sockets.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
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

// A scripted HTTP server on 127.0.0.1, on a port the system picked; connections beyond the
// script are closed at once, or served by the last script when RepeatLast is set.
class TestHttpServer {
  public:
    explicit TestHttpServer(std::vector<TestConnection> script, bool repeatLast = false);
    ~TestHttpServer();

    int Port() const { return listener_.Port(); }
    std::string Url(std::string_view path) const;
    // Every request head received, in order.
    std::vector<std::string> Requests() const;
    int Connections() const { return connections_; }
    // Lets a trickling reply send its next byte.
    void Tick();

  private:
    void Run();
    void Serve(TSocket& socket, const TestConnection& script);
    bool ReceiveRequest(TSocket& socket, std::string& pending);
    void SendAll(TSocket& socket, std::string_view bytes);
    void WaitForTick(unsigned long seen);

    TListeningSocket listener_;
    std::vector<TestConnection> script_;
    bool repeatLast_;
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
