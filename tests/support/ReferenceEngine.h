#pragma once

#include "generator/EscapedText.h"
#include "generator/TemplateEngine.h"
#include "model/UAffiliate.h"
#include "util/text/CutSection.h"
#include "util/text/UUtils.h"

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

using Pass = std::pair<std::string, std::string>;

// Each replacement run over the whole text, one after the other.
inline std::string PassByPass(std::string text, const std::vector<Pass>& passes) {
    for (const auto& [pattern, replacement] : passes)
        text = ReplaceAll(text, pattern, replacement);
    return text;
}

// Placeholder filled with Value in one pass: escaped where it is marked.
inline std::string FillMarked(const std::string& text, const std::string& placeholder,
                              const std::string& value, std::span<const std::string_view> later) {
    std::string filled;
    std::size_t at = 0;
    for (auto found = FindPlaceholder(text, placeholder); found;
         found = FindPlaceholder(text, placeholder, at)) {
        filled += text.substr(at, found->begin - at);
        filled += Escaped(value, found->escaping, later);
        at = found->end;
    }
    return filled + text.substr(at);
}

// The template engine written as one whole-page pass after another, as the engine's behaviour
// is defined; the engine itself must give the same bytes. Without Escape, text goes in as typed
// everywhere, as it did before copy boxes were escaped; by default, where nothing needs it.
inline std::string ReferenceExpand(std::string_view templateText, const TAffManager& model,
                                   const std::string& menu, const std::string& ppcTable,
                                   std::optional<bool> escape = std::nullopt) {
    if (!escape)
        escape = PageNeedsEscaping(templateText, model);
    struct Section {
        const char* name;
        const char* placeholder;
        StringList TAffManager::*list;
        bool link;
    };
    const Section sections[] = {{"LINKTEXT", "%%ANCHORTEXT%%", &TAffManager::Anchors, true},
                                {"EMAIL", "%%EMAIL%%", &TAffManager::Emails, false},
                                {"AUTORESPONDER", "%%AUTOEMAIL%%", &TAffManager::AutoEmails, false},
                                {"ARTICLE", "%%ARTICLE%%", &TAffManager::Articles, false},
                                {"SIGNATURE", "%%SIGNATURE%%", &TAffManager::Signatures, false},
                                {"POPUP", "%%POPUP%%", &TAffManager::PopUps, false},
                                {"BANNER", "%%BANNER%%", &TAffManager::Banners, true}};
    const std::string_view filled[] = {"%%TITLE%%",      "%%MENU%%",      "%%AFFILIATECODE%%",
                                       "%%ANCHORTEXT%%", "%%EMAIL%%",     "%%AUTOEMAIL%%",
                                       "%%ARTICLE%%",    "%%SIGNATURE%%", "%%POPUP%%",
                                       "%%BANNER%%",     "%%PPCADS%%",    "%%AFFILIATELINK%%"};
    const std::string_view later[] = {"%%MENU%%", "%%AFFILIATECODE%%", "%%PPCADS%%",
                                      "%%AFFILIATELINK%%"};
    const auto after = [&later](std::size_t stage) { return std::span(later).subspan(stage); };
    const MarkedTemplate marked =
        *escape ? MarkPlaceholdersToEscape(NormalizeLineEnds(templateText), filled)
                : MarkedTemplate{NormalizeLineEnds(templateText), {}, {}};
    std::string page = marked.text;
    const std::string original = page;
    std::string_view scan = original;
    // Each placeholder where it is marked for an escaping, then where it is not.
    const auto fill = [&](const std::string& placeholder, const std::string& value,
                          std::size_t stage) {
        page = ReplaceAll(page, placeholder, value);
        for (const Escaping how : marked.used)
            page = ReplaceAll(page, MarkedPlaceholder(placeholder, how),
                              Escaped(value, how, after(stage)));
    };
    fill("%%TITLE%%", model.Title, 0);
    fill("%%MENU%%", menu, 1);
    fill("%%AFFILIATECODE%%", model.ClickBankId.empty() ? "" : "?e=" + model.ClickBankId, 2);
    for (const auto& section : sections) {
        const std::string start = std::string("%%TABLE_") + section.name + "_INIT%%";
        const std::string end = std::string("%%TABLE_") + section.name + "_END%%";
        const std::string body = Trim(CutSection(scan, start, end));
        if (!body.empty()) {
            std::string copies;
            for (const auto& item : model.*section.list)
                copies += section.link
                              ? FillMarked(FillMarked(body, "%%AFFILIATELINK%%", model.AffiliateURL,
                                                      after(2)),
                                           section.placeholder, item, after(2))
                              : ReplaceAll(FillMarked(body, section.placeholder, item, after(2)),
                                           "$$", "\r\n");
            page = ReplaceAll(page, body, copies);
        }
        page = PassByPass(page, {{start, ""}, {end, ""}});
        fill(section.placeholder, "", 2);
    }
    fill("%%PPCADS%%", ppcTable, 3);
    fill("%%AFFILIATELINK%%", model.AffiliateURL, 4);
    if (!marked.used.empty())
        RemoveStrayMarks(page);
    return page;
}
