#include "util/files/IniFile.h"

#include "util/files/FileHelpers.h"
#include "util/text/CaseFolding.h"
#include "util/text/UUtils.h"

namespace {

constexpr std::size_t LongestValue = 2047;

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && FoldAsciiCase(a) == FoldAsciiCase(b);
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

IniFile::IniFile(const std::filesystem::path& path) {
    try {
        text_ = ReadFileBytes(path);
    } catch (const std::exception&) {
        // A missing or unreadable file reads as an empty one.
    }
}

IniFile IniFile::FromText(std::string_view text) {
    IniFile file;
    file.text_ = text;
    return file;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key) const {
    bool inSection = false;
    std::string_view rest = text_;
    while (!rest.empty()) {
        std::size_t end = rest.find_first_of("\r\n");
        std::string_view line = TrimmedView(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (line.starts_with('[')) {
            std::size_t close = line.find(']');
            inSection = close != std::string_view::npos &&
                        SameName(TrimmedView(line.substr(1, close - 1)), section);
            continue;
        }
        std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos ||
            !SameName(TrimmedView(line.substr(0, equals)), key))
            continue;
        std::string_view value = Unquote(TrimmedView(line.substr(equals + 1)));
        return std::string(value.substr(0, LongestValue));
    }
    return {};
}
