#pragma once

#include "update/HttpLine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The most a response head may hold in all, line ends included.
inline constexpr std::size_t LargestResponseHead = 64 * 1024;

// A response's status line and header fields.
struct HttpResponseHead {
    std::string statusLine;
    int status = -1;
    std::vector<std::pair<std::string, std::string>> fields; // values without outer blanks
    bool cutShort = false; // the server closed the connection before the empty line

    // The first value of the field Name (any letter case).
    std::optional<std::string_view> Field(std::string_view name) const;
    // Every value of the field Name, in order.
    std::vector<std::string_view> Fields(std::string_view name) const;
};

// The second blank-separated word of a status line read as a decimal number, or -1.
int ParseStatusCode(std::string_view statusLine);

// Reads a response head from bytes that may arrive in pieces.
class ResponseHeadParser {
  public:
    // Takes bytes up to the end of the head and returns how many it used; throws AppError for
    // a line or a head that is too long.
    std::size_t Feed(std::string_view bytes);

    // The server closed the connection: the head ends with what has arrived.
    void EndOfInput();

    bool Complete() const { return complete_; }
    bool Started() const { return size_ > 0; }
    const HttpResponseHead& Head() const { return head_; }

  private:
    void TakeLine(std::string_view line);

    HttpResponseHead head_;
    HttpLineReader line_;
    std::size_t size_ = 0;
    bool statusSeen_ = false;
    bool complete_ = false;
};

// How the body of a response is delimited (RFC 7230 3.3.3).
struct BodyFraming {
    enum Kind { NoBody, Length, Chunked, UntilClose } kind = NoBody;
    std::uint64_t length = 0;
};

// The body's framing: none for 1xx, 204 and 304; chunked coding before "Content-Length"; a
// "Content-Length" that is not a number reads until the server closes.
BodyFraming BodyFramingOf(const HttpResponseHead& head);

// True when the connection may carry the next request after this response.
bool KeepsConnection(const HttpResponseHead& head);
