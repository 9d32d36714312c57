#include "cli/PrintableText.h"

std::string PrintableText(std::string_view text) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        // C1 controls arrive in UTF-8 as 0xC2 0x80 to 0xC2 0x9F.
        const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                        static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (byte == '\n')
            shown += "\\n";
        else if (byte == '\r')
            shown += "\\r";
        else if (byte == '\t')
            shown += "\\t";
        else if (byte < 0x20 || byte == 0x7F || c1) {
            const auto code = c1 ? static_cast<unsigned char>(text[++i]) : byte;
            shown += c1 ? "\\u00" : "\\x";
            shown += Hex[code >> 4];
            shown += Hex[code & 0xF];
        } else {
            shown += text[i];
        }
    }
    return shown;
}
