#include "update/ChunkedBody.h"
#include "update/ResponseHead.h"
#include "util/AppError.h"

#include <gtest/gtest.h>

namespace {

// Feeds Input whole, or one byte at a time, as the network may deliver it.
template <typename Feed> std::size_t FeedAll(std::string_view input, bool byteByByte, Feed feed) {
    std::size_t used = 0;
    for (std::size_t step = byteByByte ? 1 : input.size(); used < input.size();) {
        std::size_t taken = feed(input.substr(used, std::max<std::size_t>(step, 1)));
        used += taken;
        if (taken == 0)
            break;
    }
    return used;
}

std::string LongLine(std::size_t length) {
    return "X-Long: " + std::string(length - 8, 'a') + "\r\n";
}

struct HeadCase {
    const char* name;
    std::string input;
    int status; // -2: the parser throws
    std::size_t fields;
    bool complete;
};

const HeadCase HeadCases[] = {
    {"plain", "HTTP/1.1 200 OK\r\nA: 1\r\nB:2\r\n\r\nbody", 200, 2, true},
    {"bare LF, stray CR kept", "HTTP/1.0 404 Not Found\nA: x\ry\n\n", 404, 1, true},
    {"status not a number", "HTTP/1.1 2x0 OK\r\n\r\n", -1, 0, true},
    {"no status word", "HTTP/1.1\r\n\r\n", -1, 0, true},
    {"folded field", "HTTP/1.1 200 OK\r\nA: 1\r\n  2\r\n\r\n", 200, 1, true},
    {"line of 16384", "HTTP/1.1 200 OK\r\n" + LongLine(16384) + "\r\n", 200, 1, true},
    {"line of 16385", "HTTP/1.1 200 OK\r\n" + LongLine(16385) + "\r\n", -2, 0, false},
    {"head over 64 KiB",
     "HTTP/1.1 200 OK\r\n" + LongLine(16000) + LongLine(16000) + LongLine(16000) + LongLine(16000) +
         LongLine(16000) + "\r\n",
     -2, 0, false},
    {"cut short", "HTTP/1.1 200 OK\r\nContent-Le", 200, 0, false},
};

} // namespace

TEST(ResponseHeadParser, ReadsHeadsWholeAndByteByByte) {
    for (const auto& test : HeadCases) {
        for (bool byteByByte : {false, true}) {
            SCOPED_TRACE(std::string(test.name) + (byteByByte ? " (byte by byte)" : ""));
            ResponseHeadParser parser;
            auto feed = [&](std::string_view bytes) { return parser.Feed(bytes); };
            if (test.status == -2) {
                EXPECT_THROW(FeedAll(test.input, byteByByte, feed), AppError);
                continue;
            }
            std::size_t used = FeedAll(test.input, byteByByte, feed);
            EXPECT_EQ(parser.Complete(), test.complete);
            if (!test.complete)
                parser.EndOfInput();
            EXPECT_EQ(parser.Head().cutShort, !test.complete);
            EXPECT_EQ(parser.Head().status, test.status);
            EXPECT_EQ(parser.Head().fields.size(), test.fields);
            EXPECT_EQ(test.input.substr(used),
                      test.complete && used < test.input.size() ? "body" : "");
        }
    }
}

TEST(ChunkedDecoder, JoinsChunksWholeAndByteByByte) {
    struct Case {
        const char* name;
        std::string input;
        const char* body; // nullptr: the decoder throws
        bool complete;
    } cases[] = {
        {"plain", "3\r\nabc\r\n2\r\nde\r\n0\r\n\r\nNEXT", "abcde", true},
        {"bare LF, upper-case hex, leading zeros", "00A\n0123456789\n0\n\n", "0123456789", true},
        {"extension and trailer", "3;name=\"v\"\r\nabc\r\n0\r\nX-Sum: 1\r\n\r\n", "abc", true},
        {"last chunk missing", "3\r\nabc\r\n", "abc", false},
        {"no hex digit", "zz\r\nabc\r\n", nullptr, false},
        {"empty size line", "\r\n", nullptr, false},
        {"size overflows", "10000000000000000\r\n", nullptr, false},
        {"chunk longer than its size", "3\r\nabcd\r\n0\r\n\r\n", nullptr, false},
    };
    for (const auto& test : cases) {
        for (bool byteByByte : {false, true}) {
            SCOPED_TRACE(std::string(test.name) + (byteByByte ? " (byte by byte)" : ""));
            ChunkedDecoder decoder;
            std::string body;
            auto feed = [&](std::string_view bytes) {
                return decoder.Feed(bytes, [&](std::string_view data) { body += data; });
            };
            if (!test.body) {
                EXPECT_THROW(FeedAll(test.input, byteByByte, feed), AppError);
                continue;
            }
            std::size_t used = FeedAll(test.input, byteByByte, feed);
            EXPECT_EQ(body, test.body);
            EXPECT_EQ(decoder.Complete(), test.complete);
            EXPECT_EQ(test.input.substr(used), test.input.ends_with("NEXT") ? "NEXT" : "");
        }
    }
}
