#include "generator/TemplateEngine.h"

#include "generator/DeliveryError.h"
#include "generator/PassPipeline.h"
#include "generator/TemplateCatalogue.h"
#include "generator/TemplateSections.h"
#include "util/CutSection.h"
#include "util/FileHelpers.h"
#include "util/TextSearch.h"
#include "util/UUtils.h"

#include <array>

namespace {

enum class CopyRule { Link, Text };

struct Section {
    SectionMarkers markers;
    StringList TAffManager::*list;
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

void RefusePageOver(std::size_t size) {
    if (size > LargestPage)
        throw DeliveryError(DeliveryError::Reason::PageTooLarge);
}

std::size_t Occurrences(std::string_view text, std::string_view pattern) {
    const TextFinder finder(pattern);
    std::size_t count = 0;
    for (std::size_t at = finder.FindIn(text); at != std::string_view::npos;
         at = finder.FindIn(text, at + finder.size()))
        ++count;
    return count;
}

// ReplaceAll that refuses a result beyond the page's ceiling before building it.
std::string ReplaceWithinCeiling(std::string_view text, std::string_view pattern,
                                 std::string_view replacement) {
    if (replacement.size() > pattern.size())
        RefusePageOver(text.size() +
                       Occurrences(text, pattern) * (replacement.size() - pattern.size()));
    return ReplaceAll(text, pattern, replacement);
}

// What the placeholders an item holds will add once later passes fill them: the PPC table and
// the affiliate link may stand in any item, each time in full.
std::size_t FilledLater(std::string_view item, const TAffManager& model, std::size_t tableSize) {
    return Occurrences(item, "%%PPCADS%%") * tableSize +
           Occurrences(item, "%%AFFILIATELINK%%") * model.AffiliateURL.size();
}

// Writes one copy of the body per item, each made afresh where the body stands, so that the
// copies of a long list are never kept whole. Their size is checked against the ceiling first.
PassPipeline::Writer CopiesOfBody(const Section& section, const std::string& body,
                                  const TAffManager& model, std::size_t tableSize,
                                  std::size_t& sizeHint) {
    const StringList& items = model.*section.list;
    // A link copy fills the affiliate link before the item; the link part is the same for all.
    const std::string base =
        section.rule == CopyRule::Link
            ? ReplaceWithinCeiling(body, "%%AFFILIATELINK%%", model.AffiliateURL)
            : body;
    const std::size_t slots = Occurrences(base, section.markers.placeholder);
    std::size_t size = 0;
    std::size_t filledLater = 0;
    for (const auto& item : items) {
        size += base.size() - slots * section.markers.placeholder.size();
        RefusePageOver(size);
        size += slots * item.size();
        RefusePageOver(size);
        filledLater += slots * FilledLater(item, model, tableSize);
    }
    sizeHint += size + filledLater;
    // Copies go on in batches: large enough to pass cheaply, small enough to stay in the cache.
    return [base, &items, placeholder = TextFinder(section.markers.placeholder),
            packedBreak = TextFinder("$$"), rule = section.rule, copy = std::string(),
            batch = std::string()](const PassPipeline::Part& write) mutable {
        constexpr std::size_t BatchSize = 16 * 1024;
        for (const auto& item : items) {
            if (rule == CopyRule::Link) {
                AppendReplaced(batch, base, placeholder, item);
            } else {
                // Line breaks are unpacked in each copy on its own, never across two copies.
                copy.clear();
                AppendReplaced(copy, base, placeholder, item);
                AppendReplaced(batch, copy, packedBreak, "\r\n");
            }
            if (batch.size() >= BatchSize) {
                write(batch);
                batch.clear();
            }
        }
        if (!batch.empty())
            write(batch);
        batch.clear();
    };
}

// Adds the passes of one section: its body becomes the copies, then markers and placeholder go.
void AddSectionPasses(PassPipeline& passes, std::string_view& scan, const Section& section,
                      const TAffManager& model, std::size_t tableSize, std::size_t& sizeHint) {
    const std::string body = Trim(CutSection(scan, section.markers.start, section.markers.end));
    if (!body.empty())
        passes.Add(body, CopiesOfBody(section, body, model, tableSize, sizeHint));
    passes.Add(section.markers.start, "");
    passes.Add(section.markers.end, "");
    passes.Add(section.markers.placeholder, "");
}

void AppendPPCCell(std::string& table, const StringList& fields) {
    // An ad read back from an old settings file may lack fields; they read as empty.
    auto field = [&fields](std::size_t index) {
        return index < fields.size() ? std::string_view(fields[index]) : std::string_view();
    };
    table += R"(<td valign=top bgcolor=#FFFFA0 class="style17"><u><span class="style7">)";
    table += field(1);
    table += "</span></u><br>";
    AppendReplaced(table, field(2), "$$", "\r\n");
    table += "<br><span class=style24>";
    table += field(3);
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
    StringList fields;
    for (std::size_t count = 0; count < ads.size(); ++count) {
        SplitByChar('^', ads[count], fields);
        table += count % 2 == 0 ? "<tr>" : "<td>&nbsp;</td>";
        AppendPPCCell(table, fields);
        if (count % 2 == 1)
            table += "</tr>";
    }
    return table + "</table>";
}

} // namespace

std::string ExpandTemplate(std::string_view templateText, const TAffManager& model) {
    const std::string page = NormalizeLineEnds(templateText);
    // Sections are cut from the page as it was before any placeholder was filled.
    std::string_view scan = page;

    // Every placeholder and marker holds "%", and most of a page does not.
    PassPipeline passes('%');
    std::string menu = BuildMenu(model);
    std::string table = BuildPPCTable(model.PPCAds);
    // What the page will about weigh: the template, the copies and the table once each.
    std::size_t sizeHint = page.size() + model.Title.size() + menu.size() + table.size();
    passes.Add("%%TITLE%%", model.Title);
    passes.Add("%%MENU%%", std::move(menu));
    passes.Add("%%AFFILIATECODE%%",
               model.ClickBankId.empty() ? std::string() : "?e=" + model.ClickBankId);
    for (const auto& section : Sections)
        AddSectionPasses(passes, scan, section, model, table.size(), sizeHint);
    passes.Add("%%PPCADS%%", std::move(table));
    passes.Add("%%AFFILIATELINK%%", model.AffiliateURL);

    auto result = passes.Run(page, LargestPage, sizeHint);
    if (!result)
        throw DeliveryError(DeliveryError::Reason::PageTooLarge);
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
