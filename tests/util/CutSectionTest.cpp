#include "util/text/CutSection.h"

#include <gtest/gtest.h>

TEST(CutSection, ReturnsInnerTextAndLeavesBufferAtEndTag) {
    std::string text = "head<a> one <b>mid<a>two<b>tail";
    std::string_view buffer = text;
    EXPECT_EQ(CutSection(buffer, "<a>", "<b>"), " one ");
    EXPECT_EQ(buffer, "<b>mid<a>two<b>tail");
    EXPECT_EQ(CutSection(buffer, "<a>", "<b>"), "two");
    EXPECT_EQ(CutSection(buffer, "<a>", "<b>"), "");
    EXPECT_EQ(buffer, "<b>tail");
}

TEST(CutSection, FindsTagsInAnyAsciiCaseButKeepsTheTextsCase) {
    std::string text = "%%table_email_init%%Body Text%%Table_Email_End%%";
    std::string_view buffer = text;
    EXPECT_EQ(CutSection(buffer, "%%TABLE_EMAIL_INIT%%", "%%TABLE_EMAIL_END%%"), "Body Text");
}

TEST(CutSection, MissingStartLeavesBufferMissingEndMovesPastStart) {
    std::string text = "<b>before<a>after";
    std::string_view buffer = text;
    EXPECT_EQ(CutSection(buffer, "<x>", "<b>"), "");
    EXPECT_EQ(buffer, text);
    EXPECT_EQ(CutSection(buffer, "<a>", "<b>"), "");
    EXPECT_EQ(buffer, "after");
}

TEST(CutSection, FoldsOnlyAsciiLetters) {
    std::string text = "<\xC3\xA9>x</\xC3\xA9>";
    std::string_view buffer = text;
    EXPECT_EQ(CutSection(buffer, "<\xC3\x89>", "</\xC3\x89>"), "");
    EXPECT_EQ(buffer, text);
}
