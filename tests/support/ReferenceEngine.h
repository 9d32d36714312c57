#pragma once

#include "model/UAffiliate.h"
#include "util/CutSection.h"
#include "util/UUtils.h"

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

// The template engine written as one whole-page pass after another, as the engine's behaviour
// is defined; the engine itself must give the same bytes.
inline std::string ReferenceExpand(std::string_view templateText, const TAffManager& model,
                                   const std::string& menu, const std::string& ppcTable) {
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
    std::string page = NormalizeLineEnds(templateText);
    const std::string original = page;
    std::string_view scan = original;
    page = ReplaceAll(page, "%%TITLE%%", model.Title);
    page = ReplaceAll(page, "%%MENU%%", menu);
    page = ReplaceAll(page, "%%AFFILIATECODE%%",
                      model.ClickBankId.empty() ? "" : "?e=" + model.ClickBankId);
    for (const auto& section : sections) {
        const std::string start = std::string("%%TABLE_") + section.name + "_INIT%%";
        const std::string end = std::string("%%TABLE_") + section.name + "_END%%";
        const std::string body = Trim(CutSection(scan, start, end));
        if (!body.empty()) {
            std::string copies;
            for (const auto& item : model.*section.list)
                copies +=
                    section.link
                        ? ReplaceAll(ReplaceAll(body, "%%AFFILIATELINK%%", model.AffiliateURL),
                                     section.placeholder, item)
                        : ReplaceAll(ReplaceAll(body, section.placeholder, item), "$$", "\r\n");
            page = ReplaceAll(page, body, copies);
        }
        page = PassByPass(page, {{start, ""}, {end, ""}, {section.placeholder, ""}});
    }
    page = ReplaceAll(page, "%%PPCADS%%", ppcTable);
    return ReplaceAll(page, "%%AFFILIATELINK%%", model.AffiliateURL);
}
