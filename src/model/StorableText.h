#pragma once

#include <string>
#include <string_view>

// The project file stores line breaks as "$$" and separates memo items with "^^" and PPC
// fields with "^"; text that holds them would come back changed. Each check gives the warning
// to show, naming the characters and what to write instead, or an empty text when the project
// file keeps the text as typed.

// A text link or a banner address.
std::string TextLinkRefusal(std::string_view text);

// The title, body (lines ended by CR LF) and link of a PPC ad.
std::string PPCAdRefusal(std::string_view title, std::string_view body, std::string_view link);

// The whole text of a signature, email, autoresponder email, article or pop-up code memo.
std::string MemoPromoRefusal(std::string_view memoText);
