#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// How text put into a page must be written there for the browser to read back what was typed.
enum class Escaping {
    None,         // markup: promos are HTML
    Text,         // textarea and title: "&" and "<"
    DoubleQuoted, // an attribute value between double quotes: the quote
    SingleQuoted, // between single quotes: the quote
};

// A placeholder whose text is to be escaped is marked inside: "%%TITLE%%" becomes "%%", a NUL
// byte (which no template and no item holds), a letter for the escaping, and "TITLE%%". The
// pass for the plain name then never finds the marked one.
std::string MarkedPlaceholder(std::string_view placeholder, Escaping how);

// The first place from From where Placeholder stands, plain or marked, and how the text that
// fills it is escaped there.
struct PlaceholderAt {
    std::size_t begin;
    std::size_t end;
    Escaping escaping;
};
std::optional<PlaceholderAt> FindPlaceholder(std::string_view text, std::string_view placeholder,
                                             std::size_t from = 0);

// Whether escaping for How changes Text.
bool EscapingChanges(std::string_view text, Escaping how);

// Appends Text as it must stand where How applies. The placeholders in Later, which passes
// still to come fill, are marked, so that their text is escaped there too.
void AppendEscaped(std::string& out, std::string_view text, Escaping how,
                   std::span<const std::string_view> later);
std::string Escaped(std::string_view text, Escaping how, std::span<const std::string_view> later);

// Removes what is left of marks when a pass took a marked placeholder apart (a section body made
// of "%%", say), so that the page holds what it would hold unmarked.
void RemoveStrayMarks(std::string& page);

// A template whose placeholders that stand in a textarea, a title or a quoted attribute value
// are marked, the escapings it uses, and the placeholders it marks for each.
struct MarkedTemplate {
    std::string text;
    std::vector<Escaping> used;
    std::vector<std::pair<std::string, Escaping>> marked;

    bool Marks(std::string_view placeholder, Escaping how) const;
};
MarkedTemplate MarkPlaceholdersToEscape(std::string_view page,
                                        std::span<const std::string_view> placeholders);
