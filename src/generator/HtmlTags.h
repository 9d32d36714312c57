#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Just enough of the HTML tokenizer to find where a page's elements begin and where the text
// of those that hold text rather than tags ends.

// An attribute's value written between quotes: the text between them.
struct QuotedValue {
    std::size_t begin;
    std::size_t end;
    char quote;
};

struct StartTag {
    std::string name; // in lower case
    std::vector<std::string> attributes;
    std::vector<QuotedValue> quotedValues;
    std::size_t begin;
    // Just past its ">".
    std::size_t end;
};

// The next start tag from From, past comments, doctypes and end tags; nullopt when there is
// none, or the page ends in the middle of it.
std::optional<StartTag> NextStartTag(std::string_view page, std::size_t from);

bool HasAttribute(const StartTag& tag, std::string_view name);

// Script, style, textarea and title hold text, not tags, until their end tag.
bool HoldsRawText(const StartTag& tag);

// Where the text of such an element ends: at its end tag, in any letter case, which a space, a
// "/" or a ">" must follow, as for the browser.
std::size_t EndOfRawText(std::string_view page, const StartTag& tag);

bool IsHtmlSpace(char c);

// Index just past Ending from From, or the end of the page.
std::size_t PastNext(std::string_view page, std::size_t from, std::string_view ending);

// Where a page holds text, not tags: the text of script and style (raw), of textarea and title
// (where character references still count), and quoted attribute values.
struct TextSpan {
    enum class Kind { Raw, Escapable, DoubleQuoted, SingleQuoted };
    std::size_t begin;
    std::size_t end;
    Kind kind;
};

// The text spans of a page, front to back.
std::vector<TextSpan> TextSpans(std::string_view page);
