#include "util/text/TextEncoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of Windows-1252 equals Latin-1.
constexpr std::array<char32_t, 32> HighControls = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

} // namespace

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::size_t DecodeUtf8(std::string_view text, char32_t& c) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length;
    char32_t smallest;
    if (lead < 0x80) {
        c = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    c = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Plain ASCII dominates real files; skip it eight bytes at a time.
        if (i + 8 <= bytes.size()) {
            std::uint64_t block;
            std::memcpy(&block, bytes.data() + i, sizeof block);
            if ((block & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        char32_t ignored;
        const std::size_t length = DecodeUtf8(bytes.substr(i), ignored);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 4);
    for (char byte : bytes) {
        auto value = static_cast<unsigned char>(byte);
        if (value >= 0x80 && value <= 0x9F)
            AppendUtf8(text, HighControls[value - 0x80]);
        else
            AppendUtf8(text, value);
    }
    return text;
}
