#include "generator/HtmlTags.h"

#include "util/text/CaseFolding.h"

#include <algorithm>

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Names and attributes as the HTML tokenizer splits them; a tag that the page ends in the
// middle of is no tag.
std::optional<StartTag> ReadStartTag(std::string_view page, std::size_t begin) {
    StartTag tag{{}, {}, {}, begin, 0};
    std::size_t i = begin + 1;
    const auto endOfName = [&](std::string_view stops) {
        const std::size_t start = i;
        while (i < page.size() && !IsHtmlSpace(page[i]) && stops.find(page[i]) == std::string::npos)
            ++i;
        return FoldAsciiCase(page.substr(start, i - start));
    };
    tag.name = endOfName("/>");
    while (i < page.size()) {
        if (IsHtmlSpace(page[i]) || page[i] == '/') {
            ++i;
        } else if (page[i] == '>') {
            tag.end = i + 1;
            return tag;
        } else {
            tag.attributes.push_back(endOfName("/>="));
            while (i < page.size() && IsHtmlSpace(page[i]))
                ++i;
            if (i >= page.size() || page[i] != '=')
                continue;
            ++i;
            while (i < page.size() && IsHtmlSpace(page[i]))
                ++i;
            if (i < page.size() && (page[i] == '"' || page[i] == '\'')) {
                const char quote = page[i];
                const std::size_t value = i + 1;
                i = page.find(quote, value);
                if (i == std::string_view::npos)
                    return std::nullopt;
                tag.quotedValues.push_back({value, i, quote});
                ++i;
            } else {
                while (i < page.size() && !IsHtmlSpace(page[i]) && page[i] != '>')
                    ++i;
            }
        }
    }
    return std::nullopt;
}

} // namespace

bool IsHtmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::size_t PastNext(std::string_view page, std::size_t from, std::string_view ending) {
    const std::size_t found = page.find(ending, from);
    return found == std::string_view::npos ? page.size() : found + ending.size();
}

std::optional<StartTag> NextStartTag(std::string_view page, std::size_t from) {
    std::size_t i = from;
    while ((i = page.find('<', i)) != std::string_view::npos) {
        if (i + 1 < page.size() && IsLetter(page[i + 1]))
            return ReadStartTag(page, i);
        if (page.substr(i, 4) == "<!--")
            i = PastNext(page, i + 4, "-->");
        else if (i + 1 < page.size() &&
                 (page[i + 1] == '/' || page[i + 1] == '!' || page[i + 1] == '?'))
            i = PastNext(page, i + 1, ">");
        else
            ++i;
    }
    return std::nullopt;
}

bool HasAttribute(const StartTag& tag, std::string_view name) {
    return std::find(tag.attributes.begin(), tag.attributes.end(), name) != tag.attributes.end();
}

std::size_t EndOfRawText(std::string_view page, const StartTag& tag) {
    for (std::size_t i = page.find("</", tag.end); i != std::string_view::npos;
         i = page.find("</", i + 2)) {
        const std::size_t after = i + 2 + tag.name.size();
        if (after < page.size() && FoldAsciiCase(page.substr(i + 2, tag.name.size())) == tag.name &&
            (IsHtmlSpace(page[after]) || page[after] == '/' || page[after] == '>'))
            return i;
    }
    return page.size();
}

bool HoldsRawText(const StartTag& tag) {
    return tag.name == "script" || tag.name == "style" || tag.name == "textarea" ||
           tag.name == "title";
}

std::vector<TextSpan> TextSpans(std::string_view page) {
    std::vector<TextSpan> spans;
    for (auto tag = NextStartTag(page, 0); tag; tag = NextStartTag(page, tag->end)) {
        for (const auto& value : tag->quotedValues)
            spans.push_back(
                {value.begin, value.end,
                 value.quote == '"' ? TextSpan::Kind::DoubleQuoted : TextSpan::Kind::SingleQuoted});
        if (HoldsRawText(*tag)) {
            const std::size_t end = EndOfRawText(page, *tag);
            const bool escapable = tag->name == "textarea" || tag->name == "title";
            spans.push_back(
                {tag->end, end, escapable ? TextSpan::Kind::Escapable : TextSpan::Kind::Raw});
            tag->end = end;
        }
    }
    return spans;
}
