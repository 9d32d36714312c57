#pragma once

#include "util/text/StringList.h"

#include <string>

// Everything the user has entered for one promotion page.
class TAffManager {
  public:
    std::string Title;
    std::string AffiliateURL;
    std::string ClickBankId;
    std::string TemplateName;
    StringList Anchors;
    StringList PPCAds;
    StringList Banners;
    StringList Signatures;
    StringList Emails;
    StringList AutoEmails;
    StringList Articles;
    StringList PopUps;
    std::string OutputFileName;

    bool operator==(const TAffManager&) const = default;
};
