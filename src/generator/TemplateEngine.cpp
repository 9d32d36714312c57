#include "generator/TemplateEngine.h"

#include "generator/DeliveryError.h"
#include "generator/EscapedText.h"
#include "generator/PassPipeline.h"
#include "generator/TemplateCatalogue.h"
#include "generator/TemplateSections.h"
#include "util/CutSection.h"
#include "util/FileHelpers.h"
#include "util/TextSearch.h"
#include "util/UUtils.h"

#include <algorithm>
#include <array>
#include <memory>
#include <span>

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

// The placeholders filled with text, in the order the passes fill them.
constexpr std::string_view Title = "%%TITLE%%";
constexpr std::string_view Menu = "%%MENU%%";
constexpr std::string_view AffiliateCode = "%%AFFILIATECODE%%";
constexpr std::string_view PPCAds = "%%PPCADS%%";
constexpr std::string_view AffiliateLink = "%%AFFILIATELINK%%";
constexpr std::array<std::string_view, 12> FilledPlaceholders = {
    Title,
    Menu,
    AffiliateCode,
    TemplateSections[0].placeholder,
    TemplateSections[1].placeholder,
    TemplateSections[2].placeholder,
    TemplateSections[3].placeholder,
    TemplateSections[4].placeholder,
    TemplateSections[5].placeholder,
    TemplateSections[6].placeholder,
    PPCAds,
    AffiliateLink,
};
// Those that text inserted before them may still hold, for each stage.
constexpr std::array<std::string_view, 4> AfterTitle = {Menu, AffiliateCode, PPCAds, AffiliateLink};
constexpr std::span<const std::string_view> AfterMenu = std::span(AfterTitle).subspan(1);
constexpr std::span<const std::string_view> AfterSections = std::span(AfterTitle).subspan(2);
constexpr std::span<const std::string_view> AfterPPCAds = std::span(AfterTitle).subspan(3);

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

std::size_t Occurrences(std::string_view text, const TextFinder& finder) {
    std::size_t count = 0;
    for (std::size_t at = finder.FindIn(text); at != std::string_view::npos;
         at = finder.FindIn(text, at + finder.size()))
        ++count;
    return count;
}

// What the placeholders an item holds will add once later passes fill them: the PPC table and
// the affiliate link may stand in any item, each time in full.
struct FilledLaterFinders {
    TextFinder table{PPCAds};
    TextFinder link{AffiliateLink};
};
std::size_t FilledLater(std::string_view item, const FilledLaterFinders& finders,
                        std::size_t linkSize, std::size_t tableSize) {
    if (item.find('%') == std::string_view::npos)
        return 0;
    return Occurrences(item, finders.table) * tableSize +
           Occurrences(item, finders.link) * linkSize;
}

// A body cut at its item placeholder: the text in front of each place an item goes with how the
// item is escaped there, and the text after the last.
struct CutBody {
    struct Part {
        std::string text;
        Escaping escaping;
    };
    std::vector<Part> parts;
    std::string tail;

    CutBody(std::string_view body, std::string_view placeholder) {
        std::size_t at = 0;
        for (auto found = FindPlaceholder(body, placeholder); found;
             found = FindPlaceholder(body, placeholder, at)) {
            parts.push_back({std::string(body.substr(at, found->begin - at)), found->escaping});
            at = found->end;
        }
        tail = body.substr(at);
    }

    std::size_t textSize() const {
        std::size_t size = tail.size();
        for (const auto& part : parts)
            size += part.text.size();
        return size;
    }

    void AppendCopy(std::string& out, std::string_view item) const {
        for (const auto& part : parts) {
            out += part.text;
            AppendEscaped(out, item, part.escaping, AfterSections);
        }
        out += tail;
    }
};

// Text with Placeholder filled with Value: escaped where it is marked, as typed elsewhere.
std::string FillIn(std::string_view text, std::string_view placeholder, std::string_view value,
                   std::span<const std::string_view> later) {
    const CutBody cut(text, placeholder);
    std::string filled;
    for (const auto& part : cut.parts) {
        filled += part.text;
        AppendEscaped(filled, value, part.escaping, later);
    }
    return filled + cut.tail;
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

// Writes one copy of the body per item, each made afresh where the body stands, so that the
// copies of a long list are never kept whole. Their size is checked against the ceiling first.
PassPipeline::Writer CopiesOfBody(const Section& section, const std::string& body,
                                  const TAffManager& model, std::size_t tableSize,
                                  std::size_t& sizeHint) {
    const StringList& items = model.*section.list;
    // A link copy fills the affiliate link before the item; the link part is the same for all.
    // Escaping makes a byte at most six, so the link part is refused before it is made.
    if (section.rule == CopyRule::Link)
        RefusePageOver(body.size() + Occurrences(body, TextFinder(AffiliateLink)) *
                                         model.AffiliateURL.size() * 6);
    const std::string base = section.rule == CopyRule::Link
                                 ? FillIn(body, AffiliateLink, model.AffiliateURL, AfterSections)
                                 : body;
    auto cut = std::make_shared<const CutBody>(base, section.markers.placeholder);
    const std::size_t slots = cut->parts.size();
    const std::size_t text = cut->textSize();
    std::size_t size = 0;
    std::size_t filledLater = 0;
    const FilledLaterFinders finders;
    for (const auto& item : items) {
        size += text;
        RefusePageOver(size);
        size += slots * item.size();
        RefusePageOver(size);
        filledLater += slots * FilledLater(item, finders, model.AffiliateURL.size(), tableSize);
    }
    sizeHint += size + filledLater;
    // Copies go on in batches: large enough to pass cheaply, small enough to stay in the cache.
    return [cut, &items, packedBreak = TextFinder("$$"), rule = section.rule, copy = std::string(),
            batch = std::string()](const PassPipeline::Part& write) mutable {
        constexpr std::size_t BatchSize = 16 * 1024;
        for (const auto& item : items) {
            if (rule == CopyRule::Link) {
                cut->AppendCopy(batch, item);
            } else {
                // Line breaks are unpacked in each copy on its own, never across two copies.
                copy.clear();
                cut->AppendCopy(copy, item);
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
                      std::span<const Escaping> escapings, const TAffManager& model,
                      std::size_t tableSize, std::size_t& sizeHint) {
    const std::string body = Trim(CutSection(scan, section.markers.start, section.markers.end));
    if (!body.empty())
        passes.Add(body, CopiesOfBody(section, body, model, tableSize, sizeHint));
    passes.Add(section.markers.start, "");
    passes.Add(section.markers.end, "");
    AddFilling(passes, section.markers.placeholder, "", escapings, {});
}

void AppendPPCCell(std::string& table, const StringList& fields, const TextFinder& packedBreak) {
    // An ad read back from an old settings file may lack fields; they read as empty.
    auto field = [&fields](std::size_t index) {
        return index < fields.size() ? std::string_view(fields[index]) : std::string_view();
    };
    table += R"(<td valign=top bgcolor=#FFFFA0 class="style17"><u><span class="style7">)";
    table += field(1);
    table += "</span></u><br>";
    AppendReplaced(table, field(2), packedBreak, "\r\n");
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
    const TextFinder packedBreak("$$");
    for (std::size_t count = 0; count < ads.size(); ++count) {
        SplitByChar('^', ads[count], fields);
        table += count % 2 == 0 ? "<tr>" : "<td>&nbsp;</td>";
        AppendPPCCell(table, fields, packedBreak);
        if (count % 2 == 1)
            table += "</tr>";
    }
    return table + "</table>";
}

// Whether F holds for any text the user typed: the title, the link, the ID and every item.
template <typename F> bool AnyTypedText(const TAffManager& model, F&& holds) {
    if (holds(model.Title) || holds(model.AffiliateURL) || holds(model.ClickBankId))
        return true;
    for (const auto& section : Sections)
        if (std::ranges::any_of(model.*section.list, holds))
            return true;
    return std::ranges::any_of(model.PPCAds, holds);
}

// The template as the passes fill it, with what decides the escaped passes they need.
struct Marking {
    MarkedTemplate marked;
    // Typed texts holding "%%", which may name a placeholder that a later pass fills.
    std::vector<std::string_view> naming;

    bool Named(std::string_view placeholder) const {
        return std::ranges::any_of(naming, [placeholder](std::string_view text) {
            return text.find(placeholder) != std::string_view::npos;
        });
    }

    bool MarkedInTemplate(std::string_view placeholder, Escaping how) const {
        return marked.text.find(MarkedPlaceholder(placeholder, how)) != std::string::npos;
    }

    // The escapings Placeholder is marked with: where the template marks it, and, when typed
    // text names it, wherever typed text is escaped.
    std::vector<Escaping> EscapingsOf(std::string_view placeholder) const {
        std::vector<Escaping> escapings;
        const bool named = Named(placeholder);
        for (const auto how : marked.used)
            if (named || MarkedInTemplate(placeholder, how))
                escapings.push_back(how);
        return escapings;
    }

    // Whether escaping changes text that can reach a marked placeholder. The menu and the PPC
    // table are markup, so they count only where they can go: marked in the template, or named.
    bool ChangesSomething(const TAffManager& model, std::string_view menu,
                          std::string_view table) const {
        const auto changes = [this](std::string_view text) {
            return std::ranges::any_of(marked.used,
                                       [text](Escaping how) { return EscapingChanges(text, how); });
        };
        const auto reached = [this](std::string_view placeholder) {
            return Named(placeholder) || std::ranges::any_of(marked.used, [&](Escaping how) {
                       return MarkedInTemplate(placeholder, how);
                   });
        };
        return (changes(menu) && reached(Menu)) || (changes(table) && reached(PPCAds)) ||
               AnyTypedText(model, changes);
    }
};

// The template with its placeholders marked where escaping changes what fills them; unmarked when
// it changes nothing, since marks keep a section body from matching a copy of itself that stands
// in a copy box.
Marking MarkedWhereNeeded(std::string page, const TAffManager& model, std::string_view menu,
                          std::string_view table) {
    Marking marking{MarkPlaceholdersToEscape(page, FilledPlaceholders), {}};
    if (marking.marked.used.empty())
        return marking;
    AnyTypedText(model, [&marking](std::string_view text) {
        if (text.find("%%") != std::string_view::npos)
            marking.naming.push_back(text);
        return false;
    });
    if (!marking.ChangesSomething(model, menu, table))
        marking.marked = {std::move(page), {}};
    return marking;
}

} // namespace

bool PageNeedsEscaping(std::string_view templateText, const TAffManager& model) {
    return !MarkedWhereNeeded(NormalizeLineEnds(templateText), model, BuildMenu(model),
                              BuildPPCTable(model.PPCAds))
                .marked.used.empty();
}

std::string ExpandTemplate(std::string_view templateText, const TAffManager& model) {
    std::string menu = BuildMenu(model);
    std::string table = BuildPPCTable(model.PPCAds);
    // Placeholders in copy boxes, titles and attribute values are marked, so that what fills
    // them is escaped there and the page shows it as typed.
    const Marking marking = MarkedWhereNeeded(NormalizeLineEnds(templateText), model, menu, table);
    const std::string& page = marking.marked.text;
    // Sections are cut from the page as it was before any placeholder was filled.
    std::string_view scan = page;

    // Every placeholder and marker holds "%", and most of a page does not.
    PassPipeline passes('%');
    // What the page will about weigh: the template, the copies and the table once each.
    std::size_t sizeHint = page.size() + model.Title.size() + menu.size() + table.size();
    AddFilling(passes, Title, model.Title, marking.EscapingsOf(Title), AfterTitle);
    AddFilling(passes, Menu, std::move(menu), marking.EscapingsOf(Menu), AfterMenu);
    AddFilling(passes, AffiliateCode,
               model.ClickBankId.empty() ? std::string() : "?e=" + model.ClickBankId,
               marking.EscapingsOf(AffiliateCode), AfterSections);
    for (const auto& section : Sections)
        AddSectionPasses(passes, scan, section, marking.EscapingsOf(section.markers.placeholder),
                         model, table.size(), sizeHint);
    AddFilling(passes, PPCAds, std::move(table), marking.EscapingsOf(PPCAds), AfterPPCAds);
    AddFilling(passes, AffiliateLink, model.AffiliateURL, marking.EscapingsOf(AffiliateLink), {});

    auto result = passes.Run(page, LargestPage, sizeHint);
    if (!result)
        throw DeliveryError(DeliveryError::Reason::PageTooLarge);
    if (!marking.marked.used.empty())
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
