// libFuzzer target for the response-head parser and the chunked-body decoder. Each input is
// parsed twice, whole and one byte at a time; both must come to the same result.

#include "update/ChunkedBody.h"
#include "update/ResponseHead.h"
#include "util/AppError.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

struct Outcome {
    bool failed = false;
    HttpResponseHead head;
    std::string body;
    bool bodyComplete = false;
    std::size_t used = 0;

    bool operator==(const Outcome& other) const {
        // A failure stops at a different byte when the input comes in pieces.
        return failed == other.failed && head.statusLine == other.head.statusLine &&
               head.status == other.head.status && head.fields == other.head.fields &&
               head.cutShort == other.head.cutShort && body == other.body &&
               bodyComplete == other.bodyComplete && (failed || used == other.used);
    }
};

// The head, then the rest as a chunked body, fed in pieces of at most Piece bytes.
Outcome Parse(std::string_view input, std::size_t piece) {
    Outcome outcome;
    ResponseHeadParser head;
    ChunkedDecoder chunks;
    try {
        while (outcome.used < input.size()) {
            std::string_view bytes = input.substr(outcome.used, piece);
            std::size_t taken =
                !head.Complete()
                    ? head.Feed(bytes)
                    : chunks.Feed(bytes, [&](std::string_view data) { outcome.body += data; });
            outcome.used += taken;
            if (taken == 0 && head.Complete() && chunks.Complete())
                break;
        }
        head.EndOfInput();
    } catch (const AppError&) {
        outcome.failed = true;
    }
    outcome.head = head.Head();
    outcome.bodyComplete = chunks.Complete();
    // A parser may never use bytes it was not given.
    if (outcome.used > input.size())
        std::abort();
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    if (!(Parse(input, input.size() + 1) == Parse(input, 1)))
        std::abort();
    return 0;
}
