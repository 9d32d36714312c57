#pragma once

#include "util/StringList.h"

#include <string>

// Everything the user has entered for one promotion page.
class TAffManager {
  public:
    std::string Title;
    std::string AffiliateURL;
    std::string ClickBankId;
    std::string TemplateName;
    TStringList Anchors;
    TStringList PPCAds;
    TStringList Banners;
    TStringList Signatures;
    TStringList Emails;
    TStringList AutoEmails;
    TStringList Articles;
    TStringList PopUps;
    std::string OutputFileName;
};
