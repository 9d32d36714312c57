#include "generator/TemplateEngine.h"

#include "generator/DeliveryError.h"
#include "generator/EscapedText.h"
#include "generator/EscapingPlan.h"
#include "generator/PassPipeline.h"
#include "generator/Placeholders.h"
#include "generator/SectionCopies.h"
#include "generator/TemplateCatalogue.h"
#include "util/files/FileHelpers.h"
#include "util/text/CutSection.h"
#include "util/text/TextSearch.h"
#include "util/text/UUtils.h"

#include <array>
#include <span>

namespace {

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

// Adds the passes that fill Placeholder with Value: as typed where it is plain, then escaped
// where it is marked. Text that one of them inserts never holds what the others look for.
void AddFilling(PassPipeline& passes, std::string_view placeholder, std::string value,
                std::span<const Escaping> escapings, std::span<const std::string_view> later) {
    std::vector<std::string> marked;
    for (const auto escaping : escapings)
        marked.push_back(Escaped(value, escaping, later));
    passes.Add(placeholder, std::move(value));
    for (std::size_t i = 0; i < escapings.size(); ++i)
        passes.Add(MarkedPlaceholder(placeholder, escapings[i]), std::move(marked[i]));
}

// Adds the passes of one section: its body becomes the copies, then markers and placeholder go.
void AddSectionPasses(PassPipeline& passes, std::string_view& scan, std::size_t index,
                      const EscapingPlan& plan, const TAffManager& model, std::size_t tableSize,
                      std::size_t& sizeHint) {
    const Section& section = Sections[index];
    const std::string body = Trim(CutSection(scan, section.markers.start, section.markers.end));
    if (!body.empty())
        passes.Add(body,
                   CopiesOfBody(section, body, model, plan.AsTyped(index), tableSize, sizeHint));
    passes.Add(section.markers.start, "");
    passes.Add(section.markers.end, "");
    AddFilling(passes, section.markers.placeholder, "",
               plan.EscapingsOf(section.markers.placeholder), {});
}

// The fields of a PPC ad as SplitByChar cuts them at "^", without copying them; those it lacks
// (an ad read back from an old settings file) read as empty.
std::array<std::string_view, 4> AdFields(std::string_view ad) {
    std::array<std::string_view, 4> fields{};
    std::size_t count = 0;
    std::size_t start = 0;
    for (std::size_t at = ad.find('^'); at != std::string_view::npos && count < fields.size();
         at = ad.find('^', start)) {
        fields[count++] = ad.substr(start, at - start);
        start = at + 1;
    }
    if (count < fields.size() && start < ad.size())
        fields[count] = ad.substr(start);
    return fields;
}

void AppendPPCCell(std::string& table, std::string_view ad, const TextFinder& packedBreak) {
    const auto fields = AdFields(ad);
    table += R"(<td valign=top bgcolor=#FFFFA0 class="style17"><u><span class="style7">)";
    table += fields[1];
    table += "</span></u><br>";
    AppendReplaced(table, fields[2], packedBreak, "\r\n");
    table += "<br><span class=style24>";
    table += fields[3];
    table += "</span></td>";
}

std::string BuildPPCTable(const StringList& ads) {
    if (ads.empty())
        return {};
    std::string table = R"(<table width="491" border="0" align="center">)";
    // Each ad's own bytes and the markup around them, so that a long list is built in place.
    std::size_t size = table.size();
    for (const auto& ad : ads)
        size += ad.size() + 160;
    table.reserve(size);
    const TextFinder packedBreak("$$");
    for (std::size_t count = 0; count < ads.size(); ++count) {
        table += count % 2 == 0 ? "<tr>" : "<td>&nbsp;</td>";
        AppendPPCCell(table, ads[count], packedBreak);
        if (count % 2 == 1)
            table += "</tr>";
    }
    return table + "</table>";
}

} // namespace

bool PageNeedsEscaping(std::string_view templateText, const TAffManager& model) {
    return EscapingPlan(NormalizeLineEnds(templateText), model, BuildMenu(model),
                        BuildPPCTable(model.PPCAds))
        .Marked();
}

std::string ExpandTemplate(std::string_view templateText, const TAffManager& model) {
    std::string menu = BuildMenu(model);
    std::string table = BuildPPCTable(model.PPCAds);
    // Placeholders in copy boxes, titles and attribute values are marked, so that what fills
    // them is escaped there and the page shows it as typed.
    const EscapingPlan plan(NormalizeLineEnds(templateText), model, menu, table);
    const std::string& page = plan.Page();
    // Sections are cut from the page as it was before any placeholder was filled.
    std::string_view scan = page;

    // Every placeholder and marker holds "%", and most of a page does not.
    PassPipeline passes('%');
    // What the page will about weigh: the template, the copies and the table once each.
    std::size_t sizeHint = page.size() + model.Title.size() + menu.size() + table.size();
    const std::size_t tableSize = table.size();
    AddFilling(passes, TitlePlaceholder, model.Title, plan.EscapingsOf(TitlePlaceholder),
               FilledAfterTitle);
    AddFilling(passes, MenuPlaceholder, std::move(menu), plan.EscapingsOf(MenuPlaceholder),
               FilledAfterMenu);
    AddFilling(passes, AffiliateCodePlaceholder,
               model.ClickBankId.empty() ? std::string() : "?e=" + model.ClickBankId,
               plan.EscapingsOf(AffiliateCodePlaceholder), FilledAfterSections);
    for (std::size_t index = 0; index < Sections.size(); ++index)
        AddSectionPasses(passes, scan, index, plan, model, tableSize, sizeHint);
    AddFilling(passes, PPCAdsPlaceholder, std::move(table), plan.EscapingsOf(PPCAdsPlaceholder),
               FilledAfterPPCAds);
    AddFilling(passes, AffiliateLinkPlaceholder, model.AffiliateURL,
               plan.EscapingsOf(AffiliateLinkPlaceholder), {});

    auto result = passes.Run(page, LargestPage, sizeHint);
    if (!result)
        throw DeliveryError(DeliveryError::Reason::PageTooLarge);
    if (plan.Marked())
        RemoveStrayMarks(*result);
    return std::move(*result);
}

std::string GeneratePage(const std::vector<std::filesystem::path>& templateFolders,
                         std::string_view templateName, const TAffManager& model) {
    auto file = TemplateFile(templateFolders, templateName);
    if (!file)
        throw DeliveryError(DeliveryError::Reason::NoTemplate);
    return FillTemplate(ReadFileBytes(*file), *file, model);
}

std::string FillTemplate(std::string_view templateText, const std::filesystem::path& templateFile,
                         const TAffManager& model) {
    std::string page = ExpandTemplate(templateText, model);
    if (page.empty())
        throw DeliveryError(DeliveryError::Reason::EmptyTemplate, PathText(templateFile));
    return page;
}
