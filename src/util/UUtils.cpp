#include "util/UUtils.h"

#include "util/CaseFolding.h"

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

} // namespace

std::string PackLines(std::string_view text) {
    return PackWith(text, "$$");
}

std::string PackItems(std::string_view text) {
    return PackWith(text, "^^");
}

void SplitByChar(char delimiter, std::string_view text, TStringList& fields) {
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
    if (text.empty() || pattern.empty())
        return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t found = text.find(pattern); found != std::string_view::npos;
         found = text.find(pattern, start)) {
        result.append(text.substr(start, found - start));
        result.append(replacement);
        start = found + pattern.size();
    }
    result.append(text.substr(start));
    return result;
}

std::string Trim(std::string_view text) {
    while (!text.empty() && IsTrimmable(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsTrimmable(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

bool IsBlank(std::string_view text) {
    return Trim(text).empty();
}

std::string ListToText(const TStringList& items) {
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

TStringList TextToList(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    TStringList lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t lineEnd = text.find_first_of("\r\n", start);
        if (lineEnd == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, lineEnd - start));
        bool crLf = text[lineEnd] == '\r' && lineEnd + 1 < text.size() && text[lineEnd + 1] == '\n';
        start = lineEnd + (crLf ? 2 : 1);
    }
    return lines;
}

std::string NormalizeLineEnds(std::string_view text) {
    return ListToText(TextToList(text));
}

bool SameTextIgnoringCase(std::string_view left, std::string_view right) {
    return FoldCase(left) == FoldCase(right);
}

int IndexOfIgnoringCase(const TStringList& items, std::string_view text) {
    const std::string wanted = FoldCase(text);
    for (std::size_t index = 0; index < items.size(); ++index)
        if (FoldCase(items[index]) == wanted)
            return static_cast<int>(index);
    return -1;
}
