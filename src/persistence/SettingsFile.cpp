#include "persistence/SettingsFile.h"

#include "util/CutSection.h"
#include "util/FileHelpers.h"
#include "util/TextEncoding.h"
#include "util/UUtils.h"

#include <algorithm>
#include <array>
#include <variant>

namespace {

enum class Packing { None, Lines, Items };

struct Field {
    std::string_view tag;
    Packing packing;
    std::variant<std::string TAffManager::*, TStringList TAffManager::*> member;
};

// The lines of the file, in the order they are written and read.
const std::array<Field, 13> Fields = {{
    {"AfTitle", Packing::None, &TAffManager::Title},
    {"AfURL", Packing::None, &TAffManager::AffiliateURL},
    {"AfClickBankId", Packing::None, &TAffManager::ClickBankId},
    {"AfTemplate", Packing::None, &TAffManager::TemplateName},
    {"AfAnchors", Packing::Lines, &TAffManager::Anchors},
    {"AfPPC", Packing::Lines, &TAffManager::PPCAds},
    {"AfBanners", Packing::Lines, &TAffManager::Banners},
    {"AfSignatures", Packing::Items, &TAffManager::Signatures},
    {"AfEmail", Packing::Items, &TAffManager::Emails},
    {"AfAutoEmail", Packing::Items, &TAffManager::AutoEmails},
    {"AfArticles", Packing::Items, &TAffManager::Articles},
    {"AfPopUps", Packing::Items, &TAffManager::PopUps},
    {"AfFileName", Packing::None, &TAffManager::OutputFileName},
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

std::string PackList(const TStringList& list, Packing packing) {
    const std::string text = ListToText(list);
    return packing == Packing::Items ? PackItems(text) : PackLines(text);
}

TStringList UnpackList(std::string_view value, Packing packing) {
    return TextToList(ReplaceAll(value, Separator(packing), "\r\n"));
}

// A PPC ad whose body had several lines was written as several items, because the list and
// the body both use "$$"; an ad short of its four "^" takes the following items back in.
TStringList ReassemblePPCAds(const TStringList& items) {
    auto separators = [](const std::string& text) {
        return std::count(text.begin(), text.end(), '^');
    };
    TStringList ads;
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::string ad = items[i];
        if (ad.starts_with('^'))
            while (separators(ad) < 4 && i + 1 < items.size())
                ad += "$$" + items[++i];
        ads.push_back(std::move(ad));
    }
    return ads;
}

} // namespace

std::filesystem::path SettingsPath(const std::filesystem::path& appDir) {
    return appDir / "settings.dat";
}

std::string FormatSettings(const TAffManager& model) {
    std::string text;
    for (const auto& field : Fields) {
        std::string value;
        if (auto member = std::get_if<std::string TAffManager::*>(&field.member))
            value = model.**member;
        else
            value =
                PackList(model.*std::get<TStringList TAffManager::*>(field.member), field.packing);
        text += StartTag(field) + value + EndTag(field) + "\r\n";
    }
    return text;
}

TAffManager ParseSettings(std::string_view text) {
    const std::string buffer = NormalizeLineEnds(text);
    std::string_view scan = buffer;
    TAffManager model;
    for (const auto& field : Fields) {
        std::string value = CutSection(scan, StartTag(field), EndTag(field));
        if (auto member = std::get_if<std::string TAffManager::*>(&field.member))
            model.** member = std::move(value);
        else
            model.*std::get<TStringList TAffManager::*>(field.member) =
                UnpackList(value, field.packing);
    }
    model.PPCAds = ReassemblePPCAds(model.PPCAds);
    return model;
}

void SaveSettingsFile(const std::filesystem::path& path, const TAffManager& model) {
    WriteFileAtomically(path, FormatSettings(model));
}

std::optional<TAffManager> LoadSettingsFile(const std::filesystem::path& path) {
    if (!FileExists(path))
        return std::nullopt;
    std::string bytes = ReadFileBytes(path);
    // Files written on Windows hold the ANSI code page rather than UTF-8.
    if (!IsValidUtf8(bytes))
        bytes = Windows1252ToUtf8(bytes);
    return ParseSettings(bytes);
}
