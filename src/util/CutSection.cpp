#include "util/CutSection.h"

#include <algorithm>

namespace {

char UpperAscii(char byte) {
    return (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 0x20) : byte;
}

std::size_t FindIgnoringAsciiCase(std::string_view text, std::string_view tag) {
    auto found = std::search(text.begin(), text.end(), tag.begin(), tag.end(),
                             [](char a, char b) { return UpperAscii(a) == UpperAscii(b); });
    return found == text.end() && !tag.empty() ? std::string_view::npos
                                               : static_cast<std::size_t>(found - text.begin());
}

} // namespace

std::string CutSection(std::string_view& buffer, std::string_view start, std::string_view end) {
    std::size_t startAt = FindIgnoringAsciiCase(buffer, start);
    if (startAt == std::string_view::npos)
        return {};
    buffer.remove_prefix(startAt + start.size());
    std::size_t endAt = FindIgnoringAsciiCase(buffer, end);
    if (endAt == std::string_view::npos)
        return {};
    std::string section(buffer.substr(0, endAt));
    buffer.remove_prefix(endAt);
    return section;
}
