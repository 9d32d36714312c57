#include "persistence/SettingsFile.h"

#include "util/files/FileHelpers.h"
#include "util/text/CaseFolding.h"
#include "util/text/CutSection.h"
#include "util/text/TextEncoding.h"
#include "util/text/UUtils.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <variant>

namespace {

enum class Packing { None, Lines, Items };

struct Field {
    std::string_view tag;
    // The value as the user knows it, for the messages.
    std::string_view part;
    Packing packing;
    std::variant<std::string TAffManager::*, StringList TAffManager::*> member;
};

// The lines of the file, in the order they are written and read.
const std::array<Field, 13> Fields = {{
    {"AfTitle", "the page title", Packing::None, &TAffManager::Title},
    {"AfURL", "the affiliate URL", Packing::None, &TAffManager::AffiliateURL},
    {"AfClickBankId", "the affiliate ID", Packing::None, &TAffManager::ClickBankId},
    {"AfTemplate", "the template", Packing::None, &TAffManager::TemplateName},
    {"AfAnchors", "the text links", Packing::Lines, &TAffManager::Anchors},
    {"AfPPC", "the PPC ads", Packing::Lines, &TAffManager::PPCAds},
    {"AfBanners", "the banners", Packing::Lines, &TAffManager::Banners},
    {"AfSignatures", "the signatures", Packing::Items, &TAffManager::Signatures},
    {"AfEmail", "the emails", Packing::Items, &TAffManager::Emails},
    {"AfAutoEmail", "the autoresponder emails", Packing::Items, &TAffManager::AutoEmails},
    {"AfArticles", "the articles", Packing::Items, &TAffManager::Articles},
    {"AfPopUps", "the pop-up codes", Packing::Items, &TAffManager::PopUps},
    {"AfFileName", "the output file name", Packing::None, &TAffManager::OutputFileName},
}};

std::string StartTag(const Field& field) {
    return "<%%" + std::string(field.tag) + "%%>";
}

std::string EndTag(const Field& field) {
    return "<%%/" + std::string(field.tag) + "%%>";
}

std::string_view Separator(Packing packing) {
    return packing == Packing::Items ? "^^" : "$$";
}

std::string PackList(const StringList& list, Packing packing) {
    const std::string text = ListToText(list);
    return packing == Packing::Items ? PackItems(text) : PackLines(text);
}

// The first position at or after From holding A, B or C, or the text's size; eight bytes at a
// time, since most of a long value holds none of them.
std::size_t FindAnyOf(std::string_view text, std::size_t from, char a, char b, char c) {
    constexpr std::uint64_t Ones = 0x0101010101010101ULL;
    constexpr std::uint64_t Highs = 0x8080808080808080ULL;
    auto holds = [](std::uint64_t word, char byte) {
        const std::uint64_t diff = word ^ (Ones * static_cast<unsigned char>(byte));
        return ((diff - Ones) & ~diff & Highs) != 0;
    };
    for (; from + 8 <= text.size(); from += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + from, sizeof word);
        if (holds(word, a) || holds(word, b) || holds(word, c))
            break;
    }
    for (; from < text.size(); ++from)
        if (text[from] == a || text[from] == b || text[from] == c)
            return from;
    return text.size();
}

// The items of a stored list: its separator and every line break (CR LF, lone CR, lone LF) end
// an item, and a final break adds no empty item. The same as turning each separator into CR LF
// and reading the text form, in one pass and without the intermediate text.
StringList UnpackList(std::string_view value, Packing packing) {
    const char mark = Separator(packing)[0];
    StringList items;
    std::size_t start = 0;
    std::size_t at = 0;
    while ((at = FindAnyOf(value, at, mark, '\r', '\n')) < value.size()) {
        const char byte = value[at];
        std::size_t breakLength = 0;
        if (byte == mark && at + 1 < value.size() && value[at + 1] == mark)
            breakLength = 2;
        else if (byte == '\r')
            breakLength = (at + 1 < value.size() && value[at + 1] == '\n') ? 2 : 1;
        else if (byte == '\n')
            breakLength = 1;
        if (breakLength == 0) {
            ++at;
            continue;
        }
        items.emplace_back(value.substr(start, at - start));
        at += breakLength;
        start = at;
    }
    if (start < value.size())
        items.emplace_back(value.substr(start));
    return items;
}

// A value with every line break written as CR LF, as the text form of the file reads it.
std::string WithCrLfBreaks(std::string_view value) {
    if (value.find_first_of("\r\n") == std::string_view::npos)
        return std::string(value);
    std::string text = NormalizeLineEnds(value);
    if (!value.ends_with('\r') && !value.ends_with('\n'))
        text.resize(text.size() - 2);
    return text;
}

// A PPC ad whose body had several lines was written as several items, because the list and
// the body both use "$$"; an ad short of its four "^" takes the following items back in.
StringList ReassemblePPCAds(StringList items) {
    auto separators = [](const std::string& text) {
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), '^'));
    };
    StringList ads;
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::string ad = std::move(items[i]);
        if (ad.starts_with('^')) {
            // Counted as the ad grows, so a long run of short items stays linear.
            std::size_t count = separators(ad);
            while (count < 4 && i + 1 < items.size()) {
                count += separators(items[++i]);
                ad += "$$";
                ad += items[i];
            }
        }
        ads.push_back(std::move(ad));
    }
    return ads;
}

} // namespace

std::filesystem::path SettingsPath(const std::filesystem::path& dataDir) {
    return dataDir / "settings.dat";
}

std::string FormatSettings(const TAffManager& model) {
    std::string text;
    for (const auto& field : Fields) {
        std::string value;
        if (auto member = std::get_if<std::string TAffManager::*>(&field.member))
            value = model.**member;
        else
            value =
                PackList(model.*std::get<StringList TAffManager::*>(field.member), field.packing);
        text += StartTag(field) + value + EndTag(field) + "\r\n";
    }
    return text;
}

TAffManager ParseSettings(std::string_view text) {
    // The file's text ends at its first NUL; its values are cut straight out of the bytes.
    std::string_view scan = text.substr(0, text.find('\0'));
    TAffManager model;
    for (const auto& field : Fields) {
        std::string_view value = CutSectionView(scan, StartTag(field), EndTag(field));
        if (auto member = std::get_if<std::string TAffManager::*>(&field.member))
            model.** member = WithCrLfBreaks(value);
        else
            model.*std::get<StringList TAffManager::*>(field.member) =
                UnpackList(value, field.packing);
    }
    model.PPCAds = ReassemblePPCAds(std::move(model.PPCAds));
    return model;
}

void SaveSettingsFile(const std::filesystem::path& path, const TAffManager& model) {
    WriteFileAtomically(path, FormatSettings(model));
}

bool HoldsSettingsTags(std::string_view text) {
    const std::string_view whole = text.substr(0, text.find('\0'));
    return std::any_of(Fields.begin(), Fields.end(), [&](const Field& field) {
        // The scan moves on only when the start tag is found.
        std::string_view scan = whole;
        CutSectionView(scan, StartTag(field), EndTag(field));
        return scan.data() != whole.data();
    });
}

TAffManager SettingsFromBytes(std::string_view bytes) {
    // Files written on Windows hold the ANSI code page; where the model's texts are UTF-8, such
    // a file is converted, and elsewhere its bytes already are the model's.
    if (platform::SystemTextIsUtf8() && !IsValidUtf8(bytes))
        return ParseSettings(Windows1252ToUtf8(bytes));
    return ParseSettings(bytes);
}

std::vector<std::string> UnreadableParts(std::string_view text) {
    std::string_view scan = text.substr(0, text.find('\0'));
    std::vector<std::string> unreadable;
    for (const auto& field : Fields) {
        const std::string_view before = scan;
        CutSectionView(scan, StartTag(field), EndTag(field));
        const bool startFound = scan.data() != before.data();
        // Found whole, the value leaves the scan at its end tag.
        const std::string end = EndTag(field);
        const bool endFound =
            startFound && FoldAsciiCase(scan.substr(0, end.size())) == FoldAsciiCase(end);
        // Once a value broke off, the missing ones after it went with it.
        if ((startFound && !endFound) || (!startFound && !unreadable.empty()))
            unreadable.emplace_back(field.part);
    }
    return unreadable;
}

std::optional<StoredProject> ReadSettingsFile(const std::filesystem::path& path) {
    if (!FileExists(path))
        return std::nullopt;
    const std::string bytes = ReadFileBytes(path);
    return StoredProject{SettingsFromBytes(bytes), UnreadableParts(bytes)};
}

std::optional<TAffManager> LoadSettingsFile(const std::filesystem::path& path) {
    if (!FileExists(path))
        return std::nullopt;
    return SettingsFromBytes(ReadFileBytes(path));
}
