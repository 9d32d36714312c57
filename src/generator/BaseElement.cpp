#include "generator/BaseElement.h"

#include "generator/HtmlTags.h"
#include "util/text/CaseFolding.h"

#include <algorithm>
#include <optional>

namespace {

// The start of a page's content: after a byte-order mark and a doctype, so that a tag put there
// leaves the page its encoding and keeps it out of quirks mode.
std::size_t StartOfContent(std::string_view page) {
    std::size_t i = page.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    const std::size_t afterMark = i;
    while (i < page.size() && IsHtmlSpace(page[i]))
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
            std::all_of(page.begin() + at, page.begin() + next->begin, IsHtmlSpace))
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
