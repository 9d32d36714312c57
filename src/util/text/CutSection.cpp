#include "util/text/CutSection.h"

#include "util/text/TextSearch.h"

namespace {

std::size_t FindIgnoringAsciiCase(std::string_view text, std::string_view tag) {
    return TextFinder(tag, TextFinder::Case::IgnoreAscii).FindIn(text);
}

} // namespace

std::string CutSection(std::string_view& buffer, std::string_view start, std::string_view end) {
    return std::string(CutSectionView(buffer, start, end));
}

std::string_view CutSectionView(std::string_view& buffer, std::string_view start,
                                std::string_view end) {
    std::size_t startAt = FindIgnoringAsciiCase(buffer, start);
    if (startAt == std::string_view::npos)
        return {};
    buffer.remove_prefix(startAt + start.size());
    std::size_t endAt = FindIgnoringAsciiCase(buffer, end);
    if (endAt == std::string_view::npos)
        return {};
    std::string_view section = buffer.substr(0, endAt);
    buffer.remove_prefix(endAt);
    return section;
}
