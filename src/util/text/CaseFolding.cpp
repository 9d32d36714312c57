#include "util/text/CaseFolding.h"

#include "util/text/TextEncoding.h"

#include <algorithm>

namespace {

struct Folding {
    char32_t from;
    char32_t to;
};

constexpr Folding Foldings[] = {
#include "util/text/CaseFoldingTable.inc"
};

char32_t FoldCodePoint(char32_t c) {
    if (c < 0x80)
        return (c >= U'A' && c <= U'Z') ? c + 0x20 : c;
    auto found =
        std::lower_bound(std::begin(Foldings), std::end(Foldings), c,
                         [](const Folding& entry, char32_t key) { return entry.from < key; });
    return (found != std::end(Foldings) && found->from == c) ? found->to : c;
}

} // namespace

std::string FoldCase(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8(text.substr(i), c);
        if (length == 0) {
            folded += text[i];
            ++i;
        } else {
            AppendUtf8(folded, FoldCodePoint(c));
            i += length;
        }
    }
    return folded;
}

std::string FoldAsciiCase(std::string_view text) {
    std::string folded(text);
    for (char& byte : folded)
        if (byte >= 'A' && byte <= 'Z')
            byte = static_cast<char>(byte + 0x20);
    return folded;
}
