#pragma once

#include <array>
#include <string_view>

// How a template writes one repeated section: start marker, body, end marker; the body holds
// the item placeholder where an item's text goes.
struct SectionMarkers {
    std::string_view start;
    std::string_view end;
    std::string_view placeholder;
};

// The repeated sections in the order the engine cuts them; templates must keep this order.
inline constexpr std::array<SectionMarkers, 7> TemplateSections = {{
    {"%%TABLE_LINKTEXT_INIT%%", "%%TABLE_LINKTEXT_END%%", "%%ANCHORTEXT%%"},
    {"%%TABLE_EMAIL_INIT%%", "%%TABLE_EMAIL_END%%", "%%EMAIL%%"},
    {"%%TABLE_AUTORESPONDER_INIT%%", "%%TABLE_AUTORESPONDER_END%%", "%%AUTOEMAIL%%"},
    {"%%TABLE_ARTICLE_INIT%%", "%%TABLE_ARTICLE_END%%", "%%ARTICLE%%"},
    {"%%TABLE_SIGNATURE_INIT%%", "%%TABLE_SIGNATURE_END%%", "%%SIGNATURE%%"},
    {"%%TABLE_POPUP_INIT%%", "%%TABLE_POPUP_END%%", "%%POPUP%%"},
    {"%%TABLE_BANNER_INIT%%", "%%TABLE_BANNER_END%%", "%%BANNER%%"},
}};
