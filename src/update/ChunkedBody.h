#pragma once

#include "update/HttpLine.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

// The size a chunk-size line announces: its leading hex digits, whatever follows them (a chunk
// extension after ";"); nothing when the line starts with no hex digit or the size overflows.
std::optional<std::uint64_t> ParseChunkSize(std::string_view line);

// Takes a chunked body (RFC 7230 4.1) apart as its bytes arrive.
class ChunkedDecoder {
  public:
    // Takes bytes up to the end of the body, hands the chunk data to Data as it is found and
    // returns how many bytes it used; throws AppError for a malformed body.
    std::size_t Feed(std::string_view bytes, const std::function<void(std::string_view)>& data);

    // True once the last chunk and its trailer have arrived.
    bool Complete() const { return state_ == Done; }

  private:
    enum State { SizeLine, Data, DataEnd, Trailer, Done };

    State state_ = SizeLine;
    std::uint64_t remaining_ = 0;
    HttpLineReader line_;
};
