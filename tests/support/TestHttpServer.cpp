#include "support/TestHttpServer.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

namespace {

// How often the server thread looks at its stop flag while it waits.
constexpr int WaitSliceMs = 20;

class PlainStream : public TestStream {
  public:
    explicit PlainStream(platform::Socket socket) : socket_(std::move(socket)) {}
    std::optional<std::size_t> Receive(std::span<char> buffer) override {
        return socket_.Receive(buffer);
    }
    std::size_t Send(std::string_view bytes) override { return socket_.Send(bytes); }
    bool WaitReadable(int milliseconds) override { return socket_.WaitReadable(milliseconds); }
    bool WaitWritable(int milliseconds) override { return socket_.WaitWritable(milliseconds); }

  private:
    platform::Socket socket_;
};

} // namespace

TestHttpServer::TestHttpServer(std::vector<TestConnection> script, bool repeatLast,
                               TestStreamMaker secure)
    : script_(std::move(script)), repeatLast_(repeatLast), secure_(std::move(secure)),
      thread_([this] { Run(); }) {}

TestHttpServer::~TestHttpServer() {
    stopping_ = true;
    ticked_.notify_all();
    thread_.join();
}

std::string TestHttpServer::Url(std::string_view path) const {
    return (secure_ ? "https://localhost:" : "http://127.0.0.1:") + std::to_string(Port()) +
           std::string(path);
}

std::vector<std::string> TestHttpServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void TestHttpServer::Tick() {
    std::lock_guard lock(mutex_);
    ++ticks_;
    ticked_.notify_all();
}

void TestHttpServer::Run() {
    for (std::size_t next = 0; !stopping_;) {
        auto socket = listener_.Accept(WaitSliceMs);
        if (!socket)
            continue;
        ++connections_;
        if (next < script_.size() || (repeatLast_ && !script_.empty())) {
            const TestConnection& script = script_[std::min(next++, script_.size() - 1)];
            try {
                std::unique_ptr<TestStream> stream =
                    secure_ ? secure_(std::move(*socket), stopping_)
                            : std::make_unique<PlainStream>(std::move(*socket));
                if (stream)
                    Serve(*stream, script);
            } catch (const std::runtime_error&) {
                // The client went away; the next connection is served all the same.
            }
        }
    }
}

void TestHttpServer::Serve(TestStream& stream, const TestConnection& script) {
    std::string pending;
    for (const auto& reply : script.replies) {
        if (!ReceiveRequest(stream, pending))
            return;
        if (!script.trickle) {
            SendAll(stream, reply);
            continue;
        }
        for (char byte : reply) {
            unsigned long seen;
            {
                std::lock_guard lock(mutex_);
                seen = ticks_;
            }
            SendAll(stream, std::string_view(&byte, 1));
            WaitForTick(seen);
        }
    }
    while (script.holdOpen && !stopping_)
        if (stream.WaitReadable(WaitSliceMs)) {
            char ignored[4096];
            auto count = stream.Receive(ignored);
            if (count && *count == 0)
                return;
        }
}

bool TestHttpServer::ReceiveRequest(TestStream& stream, std::string& pending) {
    for (;;) {
        if (std::size_t end = pending.find("\r\n\r\n"); end != std::string::npos) {
            std::lock_guard lock(mutex_);
            requests_.push_back(pending.substr(0, end + 4));
            pending.erase(0, end + 4);
            return true;
        }
        if (stopping_)
            return false;
        if (!stream.WaitReadable(WaitSliceMs))
            continue;
        char buffer[4096];
        auto count = stream.Receive(buffer);
        if (count && *count == 0)
            return false;
        if (count)
            pending.append(buffer, *count);
    }
}

void TestHttpServer::SendAll(TestStream& stream, std::string_view bytes) {
    while (!bytes.empty() && !stopping_) {
        bytes.remove_prefix(stream.Send(bytes));
        if (!bytes.empty())
            stream.WaitWritable(WaitSliceMs);
    }
}

void TestHttpServer::WaitForTick(unsigned long seen) {
    std::unique_lock lock(mutex_);
    // A client that never waits again must not stall the test for good.
    ticked_.wait_for(lock, std::chrono::seconds(5), [&] { return ticks_ > seen || stopping_; });
}

std::string Reply(std::string_view statusAndFields, std::string_view body) {
    return std::string(statusAndFields) + "\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + std::string(body);
}
