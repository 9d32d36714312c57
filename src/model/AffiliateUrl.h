#pragma once

#include <string>
#include <string_view>

// The warning for an affiliate URL that a page on the web could not link to as typed (no
// "http://" or "https://" in front, so browsers would read it as a path on the page's own site),
// showing the address corrected; empty for a web address. Blanks at both ends do not count.
std::string AffiliateURLRefusal(std::string_view typed);
