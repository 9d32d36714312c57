#include "branding/BrandingChoice.h"

#include "util/files/FileHelpers.h"
#include "util/files/IniFile.h"
#include "util/text/CaseFolding.h"

#include <memory>
#include <random>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Entries of the branding file that exist, each with the value that belongs to it.
struct DrawnEntries {
    std::vector<std::string> values;
    std::vector<std::string> companions;
};

using KeyOf = std::string (*)(const std::string& number);

DrawnEntries ReadNumbered(const IniFile& ini, int last, KeyOf valueKey, KeyOf companionKey) {
    DrawnEntries entries;
    for (int n = 1; n <= last; ++n) {
        const std::string number = std::to_string(n);
        std::string value = ini.ReadString("Settings", valueKey(number));
        if (value.empty())
            continue;
        entries.values.push_back(std::move(value));
        entries.companions.push_back(ini.ReadString("Settings", companionKey(number)));
    }
    return entries;
}

std::string Extension(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos ? std::string() : FoldAsciiCase(fileName.substr(dot + 1));
}

void ChooseBanner(BrandingChoice& choice, const IniFile& ini, const fs::path& programFolder,
                  const RandomDraw& draw) {
    const DrawnEntries banners = ReadNumbered(
        ini, 3, [](const std::string& n) { return "BannerPath" + n; },
        [](const std::string& n) { return "BannerURL" + n; });
    if (banners.values.empty())
        return;
    const int k = draw(int(banners.values.size()));
    choice.BannerImagePath = banners.values[k];
    choice.BannerClickURL = banners.companions[k];
    // The picture is numbered by its place among the banners present, not by its key.
    const fs::path stored = programFolder / ("dbimg" + std::to_string(k + 1) + ".dat");
    if (FileExists(stored))
        choice.BannerPicture = stored;
    const std::string workingName =
        PathText(programFolder / "") + FileNamePart(choice.BannerImagePath);
    choice.BannerDecoder = Extension(FileNamePart(choice.BannerImagePath));
    choice.BannerAnimated = FoldAsciiCase(workingName).find(".gif") != std::string::npos;
}

void ChooseFooterLinks(BrandingChoice& choice, const IniFile& ini, const RandomDraw& draw) {
    DrawnEntries links = ReadNumbered(
        ini, 4, [](const std::string& n) { return "Link" + n + "URL"; },
        [](const std::string& n) { return "Link" + n + "Name"; });
    if (links.values.empty())
        return;
    const int c = draw(int(links.values.size()));
    choice.FooterURL1 = links.values[c];
    choice.FooterName1 = links.companions[c];
    links.values.erase(links.values.begin() + c);
    links.companions.erase(links.companions.begin() + c);
    if (links.values.empty())
        return;
    const int d = draw(int(links.values.size()));
    choice.FooterURL2 = links.values[d];
    choice.FooterName2 = links.companions[d];
}

} // namespace

RandomDraw UniformDraw() {
    auto generator = std::make_shared<std::mt19937>(std::random_device{}());
    return [generator](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(*generator);
    };
}

std::string FileNamePart(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\:");
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::optional<BrandingChoice> LoadBrandingChoice(const fs::path& programFolder,
                                                 const RandomDraw& draw) {
    const fs::path configFile = programFolder / "dbconfig.dat";
    if (!FileExists(configFile))
        return std::nullopt;
    const IniFile ini(configFile);
    BrandingChoice choice;
    choice.AppName = ini.ReadString("Settings", "AppName");
    choice.MakeMoneyID = ini.ReadString("Settings", "AfiliateID");
    ChooseBanner(choice, ini, programFolder, draw);
    ChooseFooterLinks(choice, ini, draw);
    if (FileExists(programFolder / "dbskin.dat"))
        choice.SkinFile = programFolder / "dbskin.dat";
    choice.IconPath = ini.ReadString("Settings", "IconPath");
    // The icon's name was written on the machine that prepared the brand, in any letter case.
    if (const std::string iconName = FileNamePart(choice.IconPath); !iconName.empty()) {
        auto icon = FindInFolderIgnoringCase(programFolder, iconName);
        if (icon && FileExists(*icon))
            choice.IconFile = *icon;
    }
    return choice;
}
