#include "generator/BaseElement.h"

#include "util/CaseFolding.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

struct StartTag {
    std::string name;
    std::vector<std::string> attributes;
    std::size_t begin;
    // Just past its ">".
    std::size_t end;
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Names and attributes as the HTML tokenizer splits them; a tag that the page ends in the
// middle of is no tag.
std::optional<StartTag> ReadStartTag(std::string_view page, std::size_t begin) {
    StartTag tag{{}, {}, begin, 0};
    std::size_t i = begin + 1;
    const auto endOfName = [&](std::string_view stops) {
        const std::size_t start = i;
        while (i < page.size() && !IsSpace(page[i]) && stops.find(page[i]) == std::string::npos)
            ++i;
        return FoldAsciiCase(page.substr(start, i - start));
    };
    tag.name = endOfName("/>");
    while (i < page.size()) {
        if (IsSpace(page[i]) || page[i] == '/') {
            ++i;
        } else if (page[i] == '>') {
            tag.end = i + 1;
            return tag;
        } else {
            tag.attributes.push_back(endOfName("/>="));
            while (i < page.size() && IsSpace(page[i]))
                ++i;
            if (i >= page.size() || page[i] != '=')
                continue;
            ++i;
            while (i < page.size() && IsSpace(page[i]))
                ++i;
            if (i < page.size() && (page[i] == '"' || page[i] == '\'')) {
                i = page.find(page[i], i + 1);
                i = i == std::string_view::npos ? page.size() : i + 1;
            } else {
                while (i < page.size() && !IsSpace(page[i]) && page[i] != '>')
                    ++i;
            }
        }
    }
    return std::nullopt;
}

// Index just past Ending from From, or the end of the page.
std::size_t PastNext(std::string_view page, std::size_t from, std::string_view ending) {
    const std::size_t found = page.find(ending, from);
    return found == std::string_view::npos ? page.size() : found + ending.size();
}

// The next start tag from From, past comments, doctypes and end tags.
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

// Where the text of a script, style, textarea or title element ends: at its end tag, in any
// letter case. Such text holds no tags, though "<base href" may stand in it as words.
std::size_t EndOfRawText(std::string_view page, const StartTag& tag) {
    for (std::size_t i = page.find("</", tag.end); i != std::string_view::npos;
         i = page.find("</", i + 2))
        if (FoldAsciiCase(page.substr(i + 2, tag.name.size())) == tag.name)
            return i;
    return page.size();
}

bool HoldsRawText(const StartTag& tag) {
    return tag.name == "script" || tag.name == "style" || tag.name == "textarea" ||
           tag.name == "title";
}

// The start of a page's content: after a byte-order mark and a doctype, so that a tag put there
// leaves the page its encoding and keeps it out of quirks mode.
std::size_t StartOfContent(std::string_view page) {
    std::size_t i = page.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    const std::size_t afterMark = i;
    while (i < page.size() && IsSpace(page[i]))
        ++i;
    if (FoldAsciiCase(page.substr(i, 9)) == "<!doctype")
        return PastNext(page, i, ">");
    return afterMark;
}

} // namespace

std::string WithBaseElement(std::string_view page, std::string_view baseUrl) {
    std::optional<StartTag> head;
    std::optional<StartTag> html;
    for (auto tag = NextStartTag(page, 0); tag; tag = NextStartTag(page, tag->end)) {
        // The first <base href> anywhere is the page's base, as browsers take it.
        if (tag->name == "base" && HasAttribute(*tag, "href"))
            return std::string(page);
        if (tag->name == "head" && !head)
            head = tag;
        if (tag->name == "html" && !html)
            html = tag;
        if (HoldsRawText(*tag))
            tag->end = EndOfRawText(page, *tag);
    }
    std::size_t at = StartOfContent(page);
    if (head) {
        at = head->end;
        // Browsers look for the charset in the first 1024 bytes; one right after <head> stays
        // where it is.
        const auto next = NextStartTag(page, at);
        if (next && next->name == "meta" &&
            (HasAttribute(*next, "charset") || HasAttribute(*next, "http-equiv")) &&
            std::all_of(page.begin() + at, page.begin() + next->begin, IsSpace))
            at = next->end;
    } else if (html) {
        at = html->end;
    }
    std::string result(page.substr(0, at));
    result += "<base href=\"";
    result += baseUrl;
    result += "\">";
    result += page.substr(at);
    return result;
}
