#include "generator/TemplateEngine.h"

#include "generator/TemplateCatalogue.h"
#include "generator/TemplateSections.h"
#include "util/CutSection.h"
#include "util/FileHelpers.h"
#include "util/UUtils.h"

#include <array>

namespace {

enum class CopyRule { Link, Text };

struct Section {
    SectionMarkers markers;
    TStringList TAffManager::*list;
    CopyRule rule;
};

// Each section with the list it repeats, in the order they are cut.
constexpr std::array<Section, 7> Sections = {{
    {TemplateSections[0], &TAffManager::Anchors, CopyRule::Link},
    {TemplateSections[1], &TAffManager::Emails, CopyRule::Text},
    {TemplateSections[2], &TAffManager::AutoEmails, CopyRule::Text},
    {TemplateSections[3], &TAffManager::Articles, CopyRule::Text},
    {TemplateSections[4], &TAffManager::Signatures, CopyRule::Text},
    {TemplateSections[5], &TAffManager::PopUps, CopyRule::Text},
    {TemplateSections[6], &TAffManager::Banners, CopyRule::Link},
}};

std::string BuildMenu(const TAffManager& model) {
    std::string menu;
    auto addIf = [&menu](bool present, std::string_view entry) {
        if (present)
            menu += entry;
    };
    addIf(!model.AffiliateURL.empty(), R"(<a href="#affiliatelink">Affiliate Link</a> | )");
    addIf(!model.Anchors.empty(), R"(<a href="#linktext">Text Link</a> | )");
    addIf(!model.Emails.empty(), R"(<a href="#emailcopy" target="_self">Email Copy</a> | )");
    addIf(!model.Signatures.empty(), R"(<a href="#sig" target="_self">Signature Ads</a> | )");
    addIf(!model.PopUps.empty(), R"(<a href="#pops" target="_self">PopUp Codes </a> | )");
    addIf(!model.Banners.empty(), R"(<a href="#banners" target="_self">Banners</a> | )");
    addIf(!model.Articles.empty(), R"(<a href="#articles" target="_self">Articles</a> | )");
    addIf(!model.PPCAds.empty(), R"(<a href="#ppcads"> PPC Ads</a> | )");
    addIf(!model.AutoEmails.empty(),
          R"(<a href="#autoemailcopy" target="_self"> Autoresponder Emails</a> | )");
    return menu;
}

std::string CopyOfBody(const Section& section, const std::string& body, const std::string& item,
                       const TAffManager& model) {
    if (section.rule == CopyRule::Link)
        return ReplaceAll(ReplaceAll(body, "%%AFFILIATELINK%%", model.AffiliateURL),
                          section.markers.placeholder, item);
    return ReplaceAll(ReplaceAll(body, section.markers.placeholder, item), "$$", "\r\n");
}

void ExpandSection(std::string& page, std::string_view& scan, const Section& section,
                   const TAffManager& model) {
    const std::string body = Trim(CutSection(scan, section.markers.start, section.markers.end));
    if (!body.empty()) {
        const TStringList& items = model.*section.list;
        std::size_t itemBytes = 0;
        for (const auto& item : items)
            itemBytes += item.size();
        std::string copies;
        copies.reserve(items.size() * (body.size() + model.AffiliateURL.size()) + itemBytes);
        for (const auto& item : items)
            copies += CopyOfBody(section, body, item, model);
        ReplaceAllIn(page, body, copies);
    }
    ReplaceAllIn(page, section.markers.start, "");
    ReplaceAllIn(page, section.markers.end, "");
    ReplaceAllIn(page, section.markers.placeholder, "");
}

std::string PPCCell(const TStringList& fields) {
    // An ad read back from an old settings file may lack fields; they read as empty.
    auto field = [&fields](std::size_t index) {
        return index < fields.size() ? fields[index] : std::string();
    };
    return R"(<td valign=top bgcolor=#FFFFA0 class="style17">)"
           R"(<u><span class="style7">)" +
           field(1) + "</span></u><br>" + ReplaceAll(field(2), "$$", "\r\n") + "<br>" +
           "<span class=style24>" + field(3) + "</span>" + "</td>";
}

std::string BuildPPCTable(const TStringList& ads) {
    if (ads.empty())
        return {};
    std::string table = R"(<table width="491" border="0" align="center">)";
    TStringList fields;
    for (std::size_t count = 0; count < ads.size(); ++count) {
        SplitByChar('^', ads[count], fields);
        if (count % 2 == 0)
            table += "<tr>" + PPCCell(fields);
        else
            table += "<td>&nbsp;</td>" + PPCCell(fields) + "</tr>";
    }
    return table + "</table>";
}

} // namespace

std::string ExpandTemplate(std::string_view templateText, const TAffManager& model) {
    std::string page = NormalizeLineEnds(templateText);
    const std::string menu = BuildMenu(model);
    // Sections are cut from the page as it was before any placeholder was filled.
    const std::string scanCopy = page;
    std::string_view scan = scanCopy;

    ReplaceAllIn(page, "%%TITLE%%", model.Title);
    ReplaceAllIn(page, "%%MENU%%", menu);
    ReplaceAllIn(page, "%%AFFILIATECODE%%",
                 model.ClickBankId.empty() ? std::string() : "?e=" + model.ClickBankId);
    for (const auto& section : Sections)
        ExpandSection(page, scan, section, model);
    ReplaceAllIn(page, "%%PPCADS%%", BuildPPCTable(model.PPCAds));
    ReplaceAllIn(page, "%%AFFILIATELINK%%", model.AffiliateURL);
    return page;
}

std::string GeneratePage(const std::filesystem::path& appDir, std::string_view templateName,
                         const TAffManager& model) {
    auto file = TemplateFile(appDir, templateName);
    if (!file)
        return {};
    return ExpandTemplate(ReadFileBytes(*file), model);
}
