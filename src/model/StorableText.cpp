#include "model/StorableText.h"

namespace {

const std::string DollarRefusal =
    "The project file stores a line break as \"$$\", so \"$$\" or a \"$\" at the end of a line "
    "would come back changed. Please put a space after such a \"$\" (\"$ $\" instead of \"$$\").";

const std::string CaretRefusal =
    "The project file separates the title, body and link of a PPC ad with \"^\", so they cannot "
    "hold a \"^\". Please write another character instead, such as \"-\".";

const std::string DoubleCaretRefusal =
    "The project file separates these items with \"^^\", so \"^^\" or a \"^\" at the very end "
    "would come back changed. Please put a space after such a \"^\" (\"^ ^\" instead of "
    "\"^^\").";

// A packed line break directly after a "$" reads back one "$" too early.
bool HoldsDollarBeforeBreak(std::string_view text) {
    return text.find("$\r\n") != std::string_view::npos;
}

bool HoldsDoubleDollar(std::string_view text) {
    return text.find("$$") != std::string_view::npos;
}

// The text without the one final line break that packing drops.
std::string_view WithoutFinalBreak(std::string_view text) {
    if (text.ends_with("\r\n"))
        text.remove_suffix(2);
    return text;
}

} // namespace

std::string TextLinkRefusal(std::string_view text) {
    // Items are joined by "$$", so a final "$" would move to the next item.
    if (HoldsDoubleDollar(text) || text.ends_with('$'))
        return DollarRefusal;
    return {};
}

std::string PPCAdRefusal(std::string_view title, std::string_view body, std::string_view link) {
    for (std::string_view field : {title, body, link})
        if (field.find('^') != std::string_view::npos)
            return CaretRefusal;
    const std::string_view storedBody = WithoutFinalBreak(body);
    if (HoldsDoubleDollar(title) || HoldsDoubleDollar(link) || HoldsDoubleDollar(storedBody) ||
        HoldsDollarBeforeBreak(storedBody))
        return DollarRefusal;
    return {};
}

std::string MemoPromoRefusal(std::string_view memoText) {
    const std::string_view stored = WithoutFinalBreak(memoText);
    if (HoldsDoubleDollar(stored) || HoldsDollarBeforeBreak(stored))
        return DollarRefusal;
    // A "^" that ends a line becomes part of "^^" only where it ends the item.
    if (stored.find("^^") != std::string_view::npos || stored.ends_with('^'))
        return DoubleCaretRefusal;
    return {};
}
