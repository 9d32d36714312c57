#include "generator/EscapedText.h"

#include "generator/HtmlTags.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

namespace {

constexpr std::string_view EscapingLetters = "-tdq";

std::string_view EscapeOf(char c, Escaping how) {
    switch (how) {
    case Escaping::Text:
        return c == '&' ? "&amp;" : c == '<' ? "&lt;" : std::string_view();
    case Escaping::DoubleQuoted:
        return c == '"' ? "&quot;" : std::string_view();
    case Escaping::SingleQuoted:
        return c == '\'' ? "&#39;" : std::string_view();
    case Escaping::None:
        break;
    }
    return {};
}

// The first byte from From that How changes; a memchr per byte keeps it at memory speed.
std::size_t NextToEscape(std::string_view text, std::size_t from, Escaping how) {
    const auto find = [&](char c) {
        const void* at = std::memchr(text.data() + from, c, text.size() - from);
        return at ? static_cast<std::size_t>(static_cast<const char*>(at) - text.data())
                  : text.size();
    };
    switch (how) {
    case Escaping::Text:
        return std::min(find('&'), find('<'));
    case Escaping::DoubleQuoted:
        return find('"');
    case Escaping::SingleQuoted:
        return find('\'');
    case Escaping::None:
        break;
    }
    return text.size();
}

void AppendCharactersEscaped(std::string& out, std::string_view text, Escaping how) {
    std::size_t at = 0;
    for (std::size_t next = NextToEscape(text, 0, how); next < text.size();
         next = NextToEscape(text, at, how)) {
        out.append(text.substr(at, next - at));
        out.append(EscapeOf(text[next], how));
        at = next + 1;
    }
    out.append(text.substr(at));
}

Escaping EscapingOf(TextSpan::Kind kind) {
    switch (kind) {
    case TextSpan::Kind::Escapable:
        return Escaping::Text;
    case TextSpan::Kind::DoubleQuoted:
        return Escaping::DoubleQuoted;
    case TextSpan::Kind::SingleQuoted:
        return Escaping::SingleQuoted;
    case TextSpan::Kind::Raw:
        break;
    }
    return Escaping::None;
}

} // namespace

std::string MarkedPlaceholder(std::string_view placeholder, Escaping how) {
    std::string marked(placeholder.substr(0, 2));
    marked += '\0';
    marked += EscapingLetters[static_cast<std::size_t>(how)];
    marked += placeholder.substr(2);
    return marked;
}

std::optional<PlaceholderAt> FindPlaceholder(std::string_view text, std::string_view placeholder,
                                             std::size_t from) {
    // Both forms end in the name and "%%"; what stands in front of the name tells them apart.
    const std::string_view name = placeholder.substr(2);
    for (std::size_t at = text.find(name, from + 2); at != std::string_view::npos;
         at = text.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        if (text.substr(at - 2, 2) == "%%")
            return PlaceholderAt{at - 2, end, Escaping::None};
        const std::size_t letter = EscapingLetters.find(text[at - 1]);
        if (at >= from + 4 && letter != std::string_view::npos && text[at - 2] == '\0' &&
            text.substr(at - 4, 2) == "%%")
            return PlaceholderAt{at - 4, end, static_cast<Escaping>(letter)};
    }
    return std::nullopt;
}

namespace {

// Placeholders found in a text, as [begin, end), in order of begin.
using Places = std::vector<std::pair<std::size_t, std::size_t>>;

// Where each of Placeholders stands in Text, looked for in the order given, as the passes that
// fill them do: the bytes of one found earlier are not searched again.
Places PlacesOf(std::string_view text, std::span<const std::string_view> placeholders) {
    Places found;
    for (auto placeholder : placeholders) {
        std::size_t at = text.find(placeholder);
        while (at != std::string_view::npos) {
            const std::size_t end = at + placeholder.size();
            const auto next = std::lower_bound(found.begin(), found.end(),
                                               std::pair<std::size_t, std::size_t>{at, 0});
            const bool overlaps = (next != found.end() && next->first < end) ||
                                  (next != found.begin() && std::prev(next)->second > at);
            if (overlaps) {
                at = text.find(placeholder, at + 1);
            } else {
                found.insert(next, {at, end});
                at = text.find(placeholder, end);
            }
        }
    }
    return found;
}

// Text with the placeholders at Found marked for How.
std::string WithMarkers(std::string_view text, const Places& found, Escaping how) {
    std::string marked;
    marked.reserve(text.size() + 2 * found.size());
    std::size_t copied = 0;
    for (const auto& [begin, end] : found) {
        marked.append(text.substr(copied, begin - copied));
        marked += MarkedPlaceholder(text.substr(begin, end - begin), how);
        copied = end;
    }
    marked.append(text.substr(copied));
    return marked;
}

} // namespace

bool EscapingChanges(std::string_view text, Escaping how) {
    return NextToEscape(text, 0, how) < text.size();
}

void AppendEscaped(std::string& out, std::string_view text, Escaping how,
                   std::span<const std::string_view> later) {
    if (how == Escaping::None)
        out.append(text);
    else if (later.empty() || text.find("%%") == std::string_view::npos)
        AppendCharactersEscaped(out, text, how);
    else
        AppendCharactersEscaped(out, WithMarkers(text, PlacesOf(text, later), how), how);
}

std::string Escaped(std::string_view text, Escaping how, std::span<const std::string_view> later) {
    std::string out;
    AppendEscaped(out, text, how, later);
    return out;
}

void RemoveStrayMarks(std::string& page) {
    std::size_t kept = page.find('\0');
    if (kept == std::string::npos)
        return;
    for (std::size_t at = kept; at < page.size(); ++at) {
        if (page[at] == '\0' && at + 1 < page.size() &&
            EscapingLetters.find(page[at + 1]) != std::string_view::npos)
            ++at;
        else
            page[kept++] = page[at];
    }
    page.resize(kept);
}

bool MarkedTemplate::Marks(std::string_view placeholder, Escaping how) const {
    return std::find(marked.begin(), marked.end(), std::pair(std::string(placeholder), how)) !=
           marked.end();
}

MarkedTemplate MarkPlaceholdersToEscape(std::string_view page,
                                        std::span<const std::string_view> placeholders) {
    MarkedTemplate marked;
    std::size_t copied = 0;
    for (const auto& span : TextSpans(page)) {
        const Escaping how = EscapingOf(span.kind);
        const std::string_view text = page.substr(span.begin, span.end - span.begin);
        if (how == Escaping::None || text.find("%%") == std::string_view::npos)
            continue;
        const auto found = PlacesOf(text, placeholders);
        if (found.empty())
            continue;
        for (const auto& [begin, end] : found)
            if (!marked.Marks(text.substr(begin, end - begin), how))
                marked.marked.emplace_back(text.substr(begin, end - begin), how);
        marked.text.append(page.substr(copied, span.begin - copied));
        marked.text += WithMarkers(text, found, how);
        copied = span.end;
        if (std::find(marked.used.begin(), marked.used.end(), how) == marked.used.end())
            marked.used.push_back(how);
    }
    marked.text.append(page.substr(copied));
    return marked;
}
