#pragma once

#include "generator/TemplateSections.h"
#include "model/UAffiliate.h"

#include <array>
#include <span>
#include <string_view>

// The placeholders filled once for the whole page.
inline constexpr std::string_view TitlePlaceholder = "%%TITLE%%";
inline constexpr std::string_view MenuPlaceholder = "%%MENU%%";
inline constexpr std::string_view AffiliateCodePlaceholder = "%%AFFILIATECODE%%";
inline constexpr std::string_view PPCAdsPlaceholder = "%%PPCADS%%";
inline constexpr std::string_view AffiliateLinkPlaceholder = "%%AFFILIATELINK%%";

// Every placeholder filled with text, in the order the passes fill them.
inline constexpr std::array<std::string_view, 12> FilledPlaceholders = {
    TitlePlaceholder,
    MenuPlaceholder,
    AffiliateCodePlaceholder,
    TemplateSections[0].placeholder,
    TemplateSections[1].placeholder,
    TemplateSections[2].placeholder,
    TemplateSections[3].placeholder,
    TemplateSections[4].placeholder,
    TemplateSections[5].placeholder,
    TemplateSections[6].placeholder,
    PPCAdsPlaceholder,
    AffiliateLinkPlaceholder,
};

// The placeholders that text put in by an earlier pass may still hold when later passes fill
// them: after the title, after the menu, after the sections and after the PPC table.
inline constexpr std::array<std::string_view, 4> FilledAfterTitle = {
    MenuPlaceholder, AffiliateCodePlaceholder, PPCAdsPlaceholder, AffiliateLinkPlaceholder};
inline constexpr auto FilledAfterMenu = std::span(FilledAfterTitle).subspan<1>();
inline constexpr auto FilledAfterSections = std::span(FilledAfterTitle).subspan<2>();
inline constexpr auto FilledAfterPPCAds = std::span(FilledAfterTitle).subspan<3>();

// How a section's copies are made: a link copy fills the affiliate link first, a text copy
// unpacks the line breaks of its item.
enum class CopyRule { Link, Text };

struct Section {
    SectionMarkers markers;
    StringList TAffManager::*list;
    CopyRule rule;
};

// Each section with the list it repeats, in the order they are cut.
inline constexpr std::array<Section, 7> Sections = {{
    {TemplateSections[0], &TAffManager::Anchors, CopyRule::Link},
    {TemplateSections[1], &TAffManager::Emails, CopyRule::Text},
    {TemplateSections[2], &TAffManager::AutoEmails, CopyRule::Text},
    {TemplateSections[3], &TAffManager::Articles, CopyRule::Text},
    {TemplateSections[4], &TAffManager::Signatures, CopyRule::Text},
    {TemplateSections[5], &TAffManager::PopUps, CopyRule::Text},
    {TemplateSections[6], &TAffManager::Banners, CopyRule::Link},
}};
