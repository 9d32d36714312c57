#include "generator/EscapingPlan.h"

#include "generator/Placeholders.h"

#include <algorithm>

EscapingPlan::EscapingPlan(std::string page, const TAffManager& model, std::string_view menu,
                           std::string_view table)
    : marked_(MarkPlaceholdersToEscape(page, FilledPlaceholders)) {
    if (!Marked())
        return;
    Survey(model);
    const auto changes = [this](std::string_view text) {
        return std::ranges::any_of(marked_.used,
                                   [text](Escaping how) { return EscapingChanges(text, how); });
    };
    // The menu and the PPC table are markup: they count only where they can go.
    const auto reached = [this](std::string_view placeholder) {
        return Named(placeholder) || !EscapingsOf(placeholder).empty();
    };
    if (typedTextChanges_ || (changes(menu) && reached(MenuPlaceholder)) ||
        (changes(table) && reached(PPCAdsPlaceholder)))
        return;
    marked_ = {std::move(page), {}, {}};
    for (auto& items : asTyped_)
        items.clear();
}

bool EscapingPlan::Named(std::string_view placeholder) const {
    return std::ranges::find(named_, placeholder) != named_.end();
}

std::vector<Escaping> EscapingPlan::EscapingsOf(std::string_view placeholder) const {
    std::vector<Escaping> escapings;
    const bool named = Named(placeholder);
    for (const auto how : marked_.used)
        if (named || marked_.Marks(placeholder, how))
            escapings.push_back(how);
    return escapings;
}

// Each typed text once: whether escaping changes it, and which placeholders of later passes it
// names; the title, the link, the ID and the PPC ads too, since those may go into copy boxes.
void EscapingPlan::Survey(const TAffManager& model) {
    const auto survey = [this](std::string_view text) {
        const bool changes = std::ranges::any_of(
            marked_.used, [text](Escaping how) { return EscapingChanges(text, how); });
        typedTextChanges_ = typedTextChanges_ || changes;
        const bool names = text.find("%%") != std::string_view::npos;
        if (names)
            for (auto placeholder : FilledAfterTitle)
                if (!Named(placeholder) && text.find(placeholder) != std::string_view::npos)
                    named_.push_back(placeholder);
        return !changes && !names;
    };
    survey(model.Title);
    survey(model.AffiliateURL);
    survey(model.ClickBankId);
    for (const auto& ad : model.PPCAds)
        survey(ad);
    for (std::size_t index = 0; index < Sections.size(); ++index) {
        const StringList& items = model.*Sections[index].list;
        asTyped_[index].resize(items.size());
        for (std::size_t item = 0; item < items.size(); ++item)
            asTyped_[index][item] = survey(items[item]);
    }
}
