#include "model/StorableText.h"

#include "model/PromoItems.h"
#include "persistence/SettingsFile.h"

#include <gtest/gtest.h>

namespace {

// The project as the settings file gives it back.
TAffManager RoundTrip(const TAffManager& project) {
    return ParseSettings(FormatSettings(project));
}

} // namespace

// Every text a check lets through comes back from the project file as typed; the texts it
// refuses are the ones that would not.
TEST(StorableText, TextLinksRefuseExactlyWhatTheFileWouldChange) {
    for (const std::string text : {"Make $$$ fast", "a$$b", "10$"}) {
        EXPECT_NE(TextLinkRefusal(text), "") << text;
        TAffManager project;
        project.Anchors = {text, "next"};
        EXPECT_NE(RoundTrip(project).Anchors, project.Anchors) << text;
    }
    for (const std::string text : {"$10 off", "Pay $ 5 $ now", "^^ carets ^", "x"}) {
        EXPECT_EQ(TextLinkRefusal(text), "") << text;
        TAffManager project;
        project.Anchors = {text, "next"};
        project.Banners = {text, "next"};
        EXPECT_EQ(RoundTrip(project).Anchors, project.Anchors) << text;
        EXPECT_EQ(RoundTrip(project).Banners, project.Banners) << text;
    }
}

TEST(StorableText, PPCAdsRefuseCaretsAndDollarBreaks) {
    EXPECT_NE(PPCAdRefusal("Save^now", "", ""), "");
    EXPECT_NE(PPCAdRefusal("T", "body ^", ""), "");
    EXPECT_NE(PPCAdRefusal("T", "", "http://x.com/?a=1^b"), "");
    EXPECT_NE(PPCAdRefusal("T", "Make $$$ fast", ""), "");
    EXPECT_NE(PPCAdRefusal("T", "Only 5$\r\nToday", ""), "");
    EXPECT_NE(PPCAdRefusal("T$$", "", ""), "");

    const std::string title = "Save $5", body = "Only $5\r\n$10 later$\r\n", link = "x.com/$";
    EXPECT_EQ(PPCAdRefusal(title, body, link), "");
    TAffManager project;
    project.PPCAds = {MakePPCItem(title, body, link), MakePPCItem("2nd", "a\r\nb", "")};
    const TAffManager back = RoundTrip(project);
    ASSERT_EQ(back.PPCAds, project.PPCAds);
    EXPECT_EQ(PPCItemFields(back.PPCAds[0]).body, "Only $5\r\n$10 later$");
}

TEST(StorableText, MemosRefuseDoubledSeparatorsAndWhatWouldShift) {
    EXPECT_NE(MemoPromoRefusal("Make $$$ fast"), "");
    EXPECT_NE(MemoPromoRefusal("Price 10$\r\nBuy now"), "");
    EXPECT_NE(MemoPromoRefusal("a ^^ b"), "");
    EXPECT_NE(MemoPromoRefusal("ends with ^\r\n"), "");

    EXPECT_NE(MemoPromoRefusal("$5\r\n^"), "");

    for (const std::string text : {"10$\r\n", "^ at the start", "up^\r\ndown", "a $ $ b"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(MemoPromoRefusal(text), "");
        TAffManager project;
        project.Emails = {MemoItem(text), MemoItem("next")};
        const TAffManager back = RoundTrip(project);
        EXPECT_EQ(back.Emails, project.Emails);
        const std::string typed = text.ends_with("\r\n") ? text.substr(0, text.size() - 2) : text;
        EXPECT_EQ(UnpackedItem(back.Emails[0]), typed);
    }
}

TEST(StorableText, RefusalsNameTheCharactersAndTheFix) {
    EXPECT_NE(TextLinkRefusal("a$$b").find("\"$ $\" instead of \"$$\""), std::string::npos);
    EXPECT_NE(PPCAdRefusal("a^b", "", "").find("such as \"-\""), std::string::npos);
    EXPECT_NE(MemoPromoRefusal("a^^b").find("\"^ ^\" instead of \"^^\""), std::string::npos);
}
