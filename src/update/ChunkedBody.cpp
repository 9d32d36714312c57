#include "update/ChunkedBody.h"

#include "util/AppError.h"

#include <algorithm>

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::uint64_t> ParseChunkSize(std::string_view line) {
    std::uint64_t size = 0;
    std::size_t digits = 0;
    for (; digits < line.size() && HexDigitValue(line[digits]) >= 0; ++digits) {
        if (size > (UINT64_MAX >> 4))
            return std::nullopt;
        size = size << 4 | static_cast<std::uint64_t>(HexDigitValue(line[digits]));
    }
    if (digits == 0)
        return std::nullopt;
    return size;
}

std::size_t ChunkedDecoder::Feed(std::string_view bytes,
                                 const std::function<void(std::string_view)>& data) {
    std::size_t used = 0;
    while (state_ != Done && used < bytes.size()) {
        if (state_ == Data) {
            std::size_t take =
                static_cast<std::size_t>(std::min<std::uint64_t>(remaining_, bytes.size() - used));
            data(bytes.substr(used, take));
            used += take;
            remaining_ -= take;
            if (remaining_ == 0)
                state_ = DataEnd;
            continue;
        }
        used += line_.Feed(bytes.substr(used));
        if (!line_.Complete())
            continue;
        const std::string line = line_.Line();
        line_.Clear();
        if (state_ == SizeLine) {
            auto size = ParseChunkSize(line);
            if (!size)
                throw AppError("Bad chunk size line \"" + line.substr(0, 40) + "\".");
            remaining_ = *size;
            state_ = *size == 0 ? Trailer : Data;
        } else if (state_ == DataEnd) {
            // More bytes than the size announced: the body cannot be trusted.
            if (!line.empty())
                throw AppError("A chunk is longer than its size line says.");
            state_ = SizeLine;
        } else if (line.empty()) {
            state_ = Done; // trailer fields are read and ignored
        }
    }
    return used;
}
