#include "model/AffiliateUrl.h"

#include "util/text/CaseFolding.h"
#include "util/text/UUtils.h"

std::string AffiliateURLRefusal(std::string_view typed) {
    const std::string url = Trim(typed);
    const std::string folded = FoldAsciiCase(url.substr(0, 8));
    if (folded.starts_with("http://") || folded.starts_with("https://"))
        return {};
    // Whatever stands for a scheme ("htp://", "//") gives way to the right one.
    std::string_view rest = url;
    if (const auto scheme = rest.find("//");
        scheme != std::string_view::npos &&
        rest.substr(0, scheme).find_first_of("/?#") == std::string_view::npos)
        rest.remove_prefix(scheme + 2);
    return "The affiliate URL needs to start with \"http://\" or \"https://\", or its links will "
           "break once the page is online.\nDid you mean \"https://" +
           std::string(rest) + "\"?";
}
