#include "util/text/TextSearch.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

char UpperAscii(char byte) {
    return (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 0x20) : byte;
}

bool IsAsciiLetter(char byte) {
    return UpperAscii(byte) >= 'A' && UpperAscii(byte) <= 'Z';
}

constexpr int CommonnessOf(unsigned char byte) {
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || byte == ' ')
        return 3;
    if (byte >= '0' && byte <= '9')
        return 2;
    for (char c : std::string_view("<>/\"=.,:;-'()\r\n\t"))
        if (byte == static_cast<unsigned char>(c))
            return 1;
    return 0;
}

constexpr auto CommonnessTable = [] {
    std::array<std::uint8_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = static_cast<std::uint8_t>(CommonnessOf(static_cast<unsigned char>(byte)));
    return table;
}();

// How common a byte is in pages, templates and settings files; the quick scan looks for the
// pattern's least common byte, which for a placeholder is its "%". A table, since finders are
// made for every item.
int Commonness(char byte) {
    return CommonnessTable[static_cast<unsigned char>(byte)];
}

} // namespace

TextFinder::TextFinder(std::string_view pattern, Case letterCase)
    : pattern_(pattern), ignoreCase_(letterCase == Case::IgnoreAscii) {
    if (ignoreCase_)
        for (char& byte : pattern_)
            byte = UpperAscii(byte);
    for (std::size_t at = 1; at < pattern_.size(); ++at)
        if (Commonness(pattern_[at]) < Commonness(pattern_[anchor_]))
            anchor_ = at;
}

char TextFinder::Fold(char byte) const {
    return ignoreCase_ ? UpperAscii(byte) : byte;
}

std::size_t TextFinder::NextCandidate(std::string_view text, std::size_t from,
                                      std::size_t last) const {
    const char anchor = pattern_[anchor_];
    if (!ignoreCase_ || !IsAsciiLetter(anchor)) {
        const char* begin = text.data() + from + anchor_;
        const void* found = std::memchr(begin, anchor, last - from + 1);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - begin) + from
                     : std::string_view::npos;
    }
    for (std::size_t at = from; at <= last; ++at)
        if (UpperAscii(text[at + anchor_]) == anchor)
            return at;
    return std::string_view::npos;
}

std::size_t TextFinder::PossibleStart(std::string_view text, std::size_t from) const {
    if (pattern_.empty() || from >= text.size())
        return std::min(from, text.size());
    // A position whose anchor lies beyond the text cannot be judged yet.
    const std::size_t judged = text.size() - std::min(anchor_, text.size());
    if (from >= judged)
        return from;
    const std::size_t found = NextCandidate(text, from, judged - 1);
    return found == std::string_view::npos ? judged : found;
}

std::size_t TextFinder::FindIn(std::string_view text, std::size_t from) const {
    const std::size_t length = pattern_.size();
    if (from > text.size())
        return std::string_view::npos;
    if (length == 0)
        return from;
    if (length > text.size() - from)
        return std::string_view::npos;
    const std::size_t last = text.size() - length;
    // The quick scan may compare about twice the bytes it passes; past that it hands over.
    std::size_t compared = 0;
    const std::size_t allowance = 2 * length + 64;
    for (std::size_t at = from; at <= last; ++at) {
        at = NextCandidate(text, at, last);
        if (at == std::string_view::npos)
            return at;
        std::size_t matched = 0;
        while (matched < length && Fold(text[at + matched]) == pattern_[matched])
            ++matched;
        if (matched == length)
            return at;
        compared += matched;
        if (compared > 2 * (at - from) + allowance)
            return FindWithFailureTable(text, at + 1);
    }
    return std::string_view::npos;
}

std::size_t TextFinder::FindWithFailureTable(std::string_view text, std::size_t from) const {
    const std::size_t length = pattern_.size();
    if (failure_.empty()) {
        failure_.assign(length, 0);
        for (std::size_t i = 1, k = 0; i < length; ++i) {
            while (k > 0 && pattern_[i] != pattern_[k])
                k = failure_[k - 1];
            if (pattern_[i] == pattern_[k])
                ++k;
            failure_[i] = k;
        }
    }
    for (std::size_t i = from, k = 0; i < text.size(); ++i) {
        const char byte = Fold(text[i]);
        while (k > 0 && byte != pattern_[k])
            k = failure_[k - 1];
        if (byte == pattern_[k])
            ++k;
        if (k == length)
            return i + 1 - length;
    }
    return std::string_view::npos;
}

std::size_t FindText(std::string_view text, std::string_view pattern, std::size_t from) {
    return TextFinder(pattern).FindIn(text, from);
}
