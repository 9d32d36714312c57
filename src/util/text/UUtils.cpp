#include "util/text/UUtils.h"

#include "util/text/CaseFolding.h"
#include "util/text/TextSearch.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::string_view CrLf = "\r\n";

std::string PackWith(std::string_view text, std::string_view separator) {
    if (text.ends_with(CrLf))
        text.remove_suffix(CrLf.size());
    return ReplaceAll(text, CrLf, separator);
}

bool IsTrimmable(char byte) {
    return static_cast<unsigned char>(byte) <= 0x20;
}

// The exact size of the result, so that a large text is built without reallocations.
std::size_t ReplacedSize(std::string_view text, const TextFinder& pattern,
                         std::string_view replacement) {
    if (replacement.size() <= pattern.size())
        return text.size();
    std::size_t count = 0;
    for (std::size_t found = pattern.FindIn(text); found != std::string_view::npos;
         found = pattern.FindIn(text, found + pattern.size()))
        ++count;
    return text.size() + count * (replacement.size() - pattern.size());
}

} // namespace

std::string PackLines(std::string_view text) {
    return PackWith(text, "$$");
}

std::string PackItems(std::string_view text) {
    return PackWith(text, "^^");
}

void SplitByChar(char delimiter, std::string_view text, StringList& fields) {
    fields.clear();
    std::string field;
    for (char byte : text) {
        if (byte == delimiter) {
            fields.push_back(std::move(field));
            field.clear();
        } else {
            field += byte;
        }
    }
    if (!field.empty())
        fields.push_back(std::move(field));
}

std::string ReplaceAll(std::string_view text, std::string_view pattern,
                       std::string_view replacement) {
    std::string result;
    if (!text.empty() && !pattern.empty())
        result.reserve(ReplacedSize(text, TextFinder(pattern), replacement));
    AppendReplaced(result, text, pattern, replacement);
    return result;
}

void AppendReplaced(std::string& out, std::string_view text, std::string_view pattern,
                    std::string_view replacement) {
    AppendReplaced(out, text, TextFinder(pattern), replacement);
}

void AppendReplaced(std::string& out, std::string_view text, const TextFinder& finder,
                    std::string_view replacement) {
    if (text.empty() || finder.size() == 0) {
        out.append(text);
        return;
    }
    std::size_t start = 0;
    for (std::size_t found = finder.FindIn(text); found != std::string_view::npos;
         found = finder.FindIn(text, start)) {
        out.append(text.substr(start, found - start));
        out.append(replacement);
        start = found + finder.size();
    }
    out.append(text.substr(start));
}

void ReplaceAllIn(std::string& text, std::string_view pattern, std::string_view replacement) {
    const TextFinder finder(pattern);
    std::size_t found = pattern.empty() ? std::string::npos : finder.FindIn(text);
    if (found == std::string::npos)
        return;
    if (replacement.size() > pattern.size()) {
        text = ReplaceAll(text, pattern, replacement);
        return;
    }
    // A replacement no longer than the pattern fits behind the read position: compact in place.
    // Bytes from the read position on are never overwritten, so the search still sees the input.
    char* data = text.data();
    std::size_t write = found;
    std::size_t read = found;
    while (found != std::string::npos) {
        std::memmove(data + write, data + read, found - read);
        write += found - read;
        std::memcpy(data + write, replacement.data(), replacement.size());
        write += replacement.size();
        read = found + pattern.size();
        found = finder.FindIn(text, read);
    }
    std::memmove(data + write, data + read, text.size() - read);
    text.resize(write + text.size() - read);
}

std::string_view TrimmedView(std::string_view text) {
    while (!text.empty() && IsTrimmable(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsTrimmable(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string Trim(std::string_view text) {
    return std::string(TrimmedView(text));
}

bool IsBlank(std::string_view text) {
    return TrimmedView(text).empty();
}

std::string ListToText(const StringList& items) {
    std::string text;
    std::size_t size = 0;
    for (const auto& item : items)
        size += item.size() + CrLf.size();
    text.reserve(size);
    for (const auto& item : items) {
        text += item;
        text += CrLf;
    }
    return text;
}

StringList TextToList(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    StringList lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto isBreak = [](char byte) { return byte == '\r' || byte == '\n'; };
        auto breakAt = std::find_if(text.begin() + start, text.end(), isBreak);
        if (breakAt == text.end()) {
            lines.emplace_back(text.substr(start));
            break;
        }
        std::size_t lineEnd = static_cast<std::size_t>(breakAt - text.begin());
        lines.emplace_back(text.substr(start, lineEnd - start));
        bool crLf = text[lineEnd] == '\r' && lineEnd + 1 < text.size() && text[lineEnd + 1] == '\n';
        start = lineEnd + (crLf ? 2 : 1);
    }
    return lines;
}

std::string NormalizeLineEnds(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::string normalized;
    normalized.reserve(text.size() + text.size() / 32 + 2);
    // Lines are copied whole; a page is mostly long runs between breaks.
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        normalized.append(text.substr(lineStart, i - lineStart));
        normalized += "\r\n";
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        lineStart = i + 1;
    }
    normalized.append(text.substr(lineStart));
    if (!text.empty() && !normalized.ends_with("\r\n"))
        normalized += "\r\n";
    return normalized;
}

int IndexOfIgnoringCase(const StringList& items, std::string_view text) {
    const std::string wanted = FoldCase(text);
    for (std::size_t index = 0; index < items.size(); ++index)
        if (FoldCase(items[index]) == wanted)
            return static_cast<int>(index);
    return -1;
}
