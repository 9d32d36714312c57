#include "model/AffiliateUrl.h"

#include <gtest/gtest.h>

TEST(AffiliateUrl, OnlyWebAddressesPassAndTheWarningShowsTheFix) {
    for (const char* url : {"http://x.com/?ref=xxxx", "HTTPS://xxxx.vendor.hop.example/",
                            "  https://shop.example/xxxx  "})
        EXPECT_EQ(AffiliateURLRefusal(url), "") << url;

    const std::pair<const char*, const char*> fixes[] = {
        {"www.mystore.com/?ref=xxxx", "https://www.mystore.com/?ref=xxxx"},
        {" mystore.com ", "https://mystore.com"},
        {"htp://mystore.com/a", "https://mystore.com/a"},
        {"//mystore.com/a", "https://mystore.com/a"},
        {"ftp://mystore.com", "https://mystore.com"},
        {"mystore.com/go?to=http://x", "https://mystore.com/go?to=http://x"},
    };
    for (const auto& [typed, fixed] : fixes) {
        const std::string warning = AffiliateURLRefusal(typed);
        EXPECT_NE(warning.find("Did you mean \"" + std::string(fixed) + "\"?"), std::string::npos)
            << warning;
    }
}
