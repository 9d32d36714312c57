#include "util/CaseFolding.h"

#include "util/TextEncoding.h"

namespace {

char32_t LowerCodePoint(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 0x20;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2))
        return c + 0x20;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x138 && c != 0x149 && c != 0x17F) {
        // Latin Extended-A pairs upper/lower on even/odd, except the 0x139-0x148 and
        // 0x179-0x17E runs which start on odd code points.
        bool oddRun = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        bool isUpper = oddRun ? (c % 2 == 1) : (c % 2 == 0);
        return isUpper ? c + 1 : c;
    }
    if (c >= 0x410 && c <= 0x42F)
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    return c;
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::string FoldCase(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        auto lead = static_cast<unsigned char>(text[i]);
        // Only the two-byte sequences hold letters we fold; everything else is copied.
        if (lead >= 0xC2 && lead <= 0xDF && i + 1 < text.size() &&
            IsContinuation(static_cast<unsigned char>(text[i + 1]))) {
            char32_t c = ((lead & 0x1F) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F);
            AppendUtf8(folded, LowerCodePoint(c));
            i += 2;
        } else {
            folded += lead < 0x80 ? static_cast<char>(LowerCodePoint(lead)) : text[i];
            ++i;
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
