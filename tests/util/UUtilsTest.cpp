#include "util/text/UUtils.h"

#include "util/text/CaseFolding.h"
#include "util/text/TextEncoding.h"
#include "util/text/TextSearch.h"

#include <gtest/gtest.h>

TEST(PackLines, DropsOneFinalLineBreakAndPacksTheRest) {
    EXPECT_EQ(PackLines(""), "");
    EXPECT_EQ(PackLines("\r\n"), "");
    EXPECT_EQ(PackLines("line\r\n\r\n"), "line$$");
    EXPECT_EQ(PackLines("one\r\ntwo\r\n"), "one$$two");
    EXPECT_EQ(PackLines("typed $$ stays"), "typed $$ stays");
    EXPECT_EQ(PackLines("lone\rcr\nlf"), "lone\rcr\nlf");
    EXPECT_EQ(PackLines("\n\r"), "\n\r");
}

TEST(PackItems, JoinsLinesWithCarets) {
    EXPECT_EQ(PackItems("a\r\nb\r\nc\r\n"), "a^^b^^c");
    EXPECT_EQ(PackItems("a$$b\r\n"), "a$$b");
}

TEST(SplitByChar, KeepsEmptyFieldsButNotATrailingOne) {
    StringList fields = {"left over"};
    SplitByChar('^', "^Title^Body^Link^", fields);
    EXPECT_EQ(fields, (StringList{"", "Title", "Body", "Link"}));
    SplitByChar('^', "", fields);
    EXPECT_TRUE(fields.empty());
    SplitByChar('^', "plain", fields);
    EXPECT_EQ(fields, (StringList{"plain"}));
    SplitByChar('^', "^", fields);
    EXPECT_EQ(fields, (StringList{""}));
    SplitByChar('^', "a^^b", fields);
    EXPECT_EQ(fields, (StringList{"a", "", "b"}));
}

TEST(ReplaceAll, ReplacesLeftmostWithoutOverlapOrRescan) {
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("", "a", "x"), "");
    EXPECT_EQ(ReplaceAll("$$$", "$$", "\r\n"), "\r\n$");
    EXPECT_EQ(ReplaceAll("<%%TITLE%%>", "%%TITLE%%", "a %%TITLE%% b"), "<a %%TITLE%% b>");
    EXPECT_EQ(ReplaceAll("Title title", "title", "x"), "Title x");
    EXPECT_EQ(ReplaceAll("aaaa", "aa", ""), "");
}

TEST(Trim, DropsControlBytesAndSpacesAtBothEnds) {
    EXPECT_EQ(Trim(" \t\r\n\x01 "), "");
    EXPECT_EQ(Trim("  a b\t"), "a b");
    EXPECT_EQ(Trim("\xC3\xA9 "), "\xC3\xA9");
    EXPECT_TRUE(IsBlank("\t \r\n"));
    EXPECT_FALSE(IsBlank(" x "));
}

TEST(TextForm, SplitsAtEveryKindOfBreakAndStopsAtNul) {
    EXPECT_EQ(TextToList("a\r\nb\rc\nd"), (StringList{"a", "b", "c", "d"}));
    EXPECT_EQ(TextToList("a\n\rb"), (StringList{"a", "", "b"}));
    EXPECT_EQ(TextToList("a\r\n"), (StringList{"a"}));
    EXPECT_EQ(TextToList("a\r\n\r\n"), (StringList{"a", ""}));
    EXPECT_EQ(TextToList(std::string_view("a\nb\0c\nd", 7)), (StringList{"a", "b"}));
    EXPECT_TRUE(TextToList("").empty());
    EXPECT_EQ(ListToText({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(ListToText({}), "");
    EXPECT_EQ(NormalizeLineEnds("x\ny"), "x\r\ny\r\n");
}

TEST(CaseInsensitiveLookup, FoldsAsciiAndAccentedLetters) {
    StringList items = {"Buy Now", "\xC3\x89t\xC3\xA9", "\xD0\x9C\xD0\xB8\xD1\x80"};
    EXPECT_EQ(IndexOfIgnoringCase(items, "BUY NOW"), 0);
    EXPECT_EQ(IndexOfIgnoringCase(items, "\xC3\xA9T\xC3\x89"), 1);        // été / ÉTÉ
    EXPECT_EQ(IndexOfIgnoringCase(items, "\xD0\xBC\xD0\x98\xD0\xA0"), 2); // мИР
    EXPECT_EQ(IndexOfIgnoringCase(items, " Buy Now"), -1);
    EXPECT_EQ(IndexOfIgnoringCase(items, "Buy"), -1);
    EXPECT_EQ(FoldCase("\xC5\x81\xC3\x93"
                       "D"
                       "\xC5\xB9"),
              FoldCase("\xC5\x82\xC3\xB3"
                       "d"
                       "\xC5\xBA"));
    EXPECT_EQ(FoldAsciiCase("\xC3\x89"
                            "Ab"),
              "\xC3\x89"
              "ab");
}

TEST(TextEncoding, TellsUtf8FromWindows1252AndConvertsIt) {
    EXPECT_TRUE(IsValidUtf8("plain \xC3\xA9t\xC3\xA9 \xE2\x82\xAC"));
    EXPECT_FALSE(IsValidUtf8("caf\xE9"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));     // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")); // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));     // cut short
    EXPECT_EQ(Windows1252ToUtf8("caf\xE9 \x80 \x93"), "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9C");
}

TEST(ReplaceAllIn, AgreesWithReplaceAllForShorterEqualAndLongerReplacements) {
    for (std::string text : {"", "abc", "xx%%Ayy%%A%%A", "%%A", "a%%%%AA%%Az"})
        for (std::string replacement : {"", "B", "%%A", "long replacement"}) {
            std::string inPlace = text;
            ReplaceAllIn(inPlace, "%%A", replacement);
            EXPECT_EQ(inPlace, ReplaceAll(text, "%%A", replacement))
                << text << " / " << replacement;
        }
}

TEST(TextFinder, AgreesWithANaiveSearchAndStaysLinearOnRepeatedRuns) {
    for (std::string text : {"", "abc", "aaaaab", "xAbAbAB", "%%a%%A%%"})
        for (std::string pattern : {"", "a", "ab", "aab", "AB", "%%A"})
            for (std::size_t from = 0; from <= text.size() + 1; ++from)
                EXPECT_EQ(FindText(text, pattern, from), text.find(pattern, from))
                    << text << " / " << pattern << " / " << from;
    EXPECT_EQ(TextFinder("AbC", TextFinder::Case::IgnoreAscii).FindIn("xxaBcx"), 2u);
    // A long run of one letter against a pattern that almost matches everywhere: a naive search
    // compares about a million bytes per position here.
    const std::string run(1 << 20, 'a');
    EXPECT_EQ(FindText(run + run + "b", run + "b"), run.size());
    EXPECT_EQ(TextFinder(run + "B", TextFinder::Case::IgnoreAscii).FindIn(run + run),
              std::string::npos);
}

TEST(CaseInsensitiveLookup, FollowsTheUnicodeSimpleCaseFolding) {
    StringList items = {"\xC3\xBF",                                       // ÿ
                        "\xCE\xAC\xCE\xAD",                               // άέ
                        "\xD2\x91\xD3\x99\xD2\x9B",                       // ґәқ
                        "\xF0\x90\x90\xA8"};                              // 𐐨
    EXPECT_EQ(IndexOfIgnoringCase(items, "\xC5\xB8"), 0);                 // Ÿ
    EXPECT_EQ(IndexOfIgnoringCase(items, "\xCE\x86\xCE\x88"), 1);         // ΆΈ
    EXPECT_EQ(IndexOfIgnoringCase(items, "\xD2\x90\xD3\x98\xD2\x9A"), 2); // ҐӘҚ
    EXPECT_EQ(IndexOfIgnoringCase(items, "\xF0\x90\x90\x80"), 3);         // 𐐀
    EXPECT_EQ(IndexOfIgnoringCase(items, "\xC5\xB9"), -1);                // Ź is no Ÿ
    EXPECT_EQ(FoldCase("\xC3\x28 \xFF"), "\xC3\x28 \xFF");                // not UTF-8
}
