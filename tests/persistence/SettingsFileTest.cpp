#include "persistence/SettingsFile.h"

#include "platform/FileSystem.h"
#include "support/TempFolder.h"
#include "util/AppError.h"

#include <gtest/gtest.h>

namespace {

TAffManager FullProject() {
    TAffManager model;
    model.Title = "Best Widgets";
    model.AffiliateURL = "http://xxxx.widgets.hop.example.net";
    model.ClickBankId = "joe";
    model.TemplateName = "Blue";
    model.Anchors = {"Buy now", "Save 50%"};
    model.PPCAds = {"^Title^Body^http://l^", "^Second^^^"};
    model.Banners = {"http://img/1.gif"};
    model.Signatures = {"sig one$$line two"};
    model.Emails = {"Hello$$World", "Second mail"};
    model.AutoEmails = {"Day 1"};
    model.Articles = {"Article$$$$para"};
    model.PopUps = {"<script>x</script>"};
    model.OutputFileName = "page.htm";
    return model;
}

} // namespace

TEST(SettingsFile, WritesThirteenTaggedLinesInOrder) {
    TAffManager model;
    model.Anchors = {"A", "B"};
    EXPECT_EQ(FormatSettings(model), "<%%AfTitle%%><%%/AfTitle%%>\r\n"
                                     "<%%AfURL%%><%%/AfURL%%>\r\n"
                                     "<%%AfClickBankId%%><%%/AfClickBankId%%>\r\n"
                                     "<%%AfTemplate%%><%%/AfTemplate%%>\r\n"
                                     "<%%AfAnchors%%>A$$B<%%/AfAnchors%%>\r\n"
                                     "<%%AfPPC%%><%%/AfPPC%%>\r\n"
                                     "<%%AfBanners%%><%%/AfBanners%%>\r\n"
                                     "<%%AfSignatures%%><%%/AfSignatures%%>\r\n"
                                     "<%%AfEmail%%><%%/AfEmail%%>\r\n"
                                     "<%%AfAutoEmail%%><%%/AfAutoEmail%%>\r\n"
                                     "<%%AfArticles%%><%%/AfArticles%%>\r\n"
                                     "<%%AfPopUps%%><%%/AfPopUps%%>\r\n"
                                     "<%%AfFileName%%><%%/AfFileName%%>\r\n");
}

TEST(SettingsFile, FileRoundTripGivesTheSameProject) {
    TempFolder app;
    const auto path = SettingsPath(app.path());
    SaveSettingsFile(path, FullProject());
    EXPECT_NE(ReadAll(path).find("<%%AfEmail%%>Hello$$World^^Second mail<%%/AfEmail%%>\r\n"),
              std::string::npos);
    auto loaded = LoadSettingsFile(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, FullProject());
}

TEST(SettingsFile, MissingFileIsNoProjectAndAFolderIsNoFile) {
    TempFolder app;
    EXPECT_FALSE(LoadSettingsFile(SettingsPath(app.path())));
    std::filesystem::create_directory(SettingsPath(app.path()));
    EXPECT_FALSE(LoadSettingsFile(SettingsPath(app.path())));
}

TEST(SettingsFile, DocumentedLossyListCases) {
    TAffManager model;
    model.Anchors = {"a$", "b"};
    model.Banners = {"x$$y"};
    model.Emails = {""};
    model.Articles = {"first", ""};
    model.PopUps = {"A", "", "B"};
    model.Signatures = {"s^", "t"};
    TAffManager loaded = ParseSettings(FormatSettings(model));
    EXPECT_EQ(loaded.Anchors, (StringList{"a", "$b"}));
    EXPECT_EQ(loaded.Banners, (StringList{"x", "y"}));
    EXPECT_TRUE(loaded.Emails.empty());
    EXPECT_EQ(loaded.Articles, (StringList{"first"}));
    EXPECT_EQ(loaded.PopUps, (StringList{"A", "", "B"}));
    EXPECT_EQ(loaded.Signatures, (StringList{"s", "^t"}));
}

TEST(SettingsFile, TagsAreFoundInAnyCaseAndOnlyForward) {
    TAffManager loaded = ParseSettings("<%%aftitle%%>Lower<%%/AFTITLE%%>\n"
                                       "<%%AfClickBankId%%>id<%%/AfClickBankId%%>\n"
                                       "<%%AfURL%%>too late<%%/AfURL%%>\n"
                                       "<%%AfFileName%%>out.htm<%%/AfFileName%%>");
    EXPECT_EQ(loaded.Title, "Lower");
    EXPECT_EQ(loaded.AffiliateURL, "too late");
    EXPECT_EQ(loaded.ClickBankId, "");
    EXPECT_EQ(loaded.OutputFileName, "out.htm");
}

TEST(SettingsFile, ValuesEndOnlyAtTheirEndTagAcrossLines) {
    TAffManager loaded = ParseSettings("<%%AfTitle%%>two\nlines<%%/AfTitle%%>\n"
                                       "<%%AfURL%%>no end\n<%%AfTemplate%%>Blue<%%/AfTemplate%%>");
    EXPECT_EQ(loaded.Title, "two\r\nlines");
    EXPECT_EQ(loaded.AffiliateURL, "");
    EXPECT_EQ(loaded.TemplateName, "Blue");
}

TEST(SettingsFile, PPCAdsWithSeveralBodyLinesComeBackWhole) {
    TAffManager model;
    model.PPCAds = {"^One^line 1$$line 2$$line 3^http://one^", "^Two^b^l^", "^Three^x$$$$y^^",
                    "^Four^tail$$^l^"};
    TAffManager loaded = ParseSettings(FormatSettings(model));
    EXPECT_EQ(loaded.PPCAds, model.PPCAds);
}

TEST(SettingsFile, PPCAdCutShortAtTheEndOfTheListKeepsWhatItHas) {
    TAffManager loaded = ParseSettings("<%%AfPPC%%>^Broken^body$$more<%%/AfPPC%%>");
    EXPECT_EQ(loaded.PPCAds, (StringList{"^Broken^body$$more"}));
}

TEST(SettingsFile, Windows1252FileKeepsItsAccentedLetters) {
    TempFolder app;
    app.write("settings.dat", "<%%AfTitle%%>Caf\xE9 \x80<%%/AfTitle%%>\r\n");
    // Where the system's texts are in an ANSI code page, the bytes are the model's already.
    EXPECT_EQ(LoadSettingsFile(SettingsPath(app.path()))->Title,
              platform::SystemTextIsUtf8() ? "Caf\xC3\xA9 \xE2\x82\xAC" : "Caf\xE9 \x80");
    app.write("settings.dat", "<%%AfTitle%%>Caf\xC3\xA9<%%/AfTitle%%>\r\n");
    EXPECT_EQ(LoadSettingsFile(SettingsPath(app.path()))->Title, "Caf\xC3\xA9");
}

TEST(SettingsFile, SavingIntoAMissingFolderIsACreateError) {
    TempFolder app;
    EXPECT_THROW(SaveSettingsFile(app.path() / "none" / "settings.dat", TAffManager()), AppError);
}

TEST(SettingsFile, LongRunOfShortPPCItemsLoadsInLinearTime) {
    // Each item once made the ad be recounted whole: this took hours.
    const std::string value = "^t" + std::string(1000000, '$') + "end";
    TAffManager loaded = ParseSettings("<%%AfPPC%%>" + value + "<%%/AfPPC%%>");
    ASSERT_EQ(loaded.PPCAds.size(), 1u);
    EXPECT_EQ(loaded.PPCAds[0], value);
}

TEST(SettingsFile, EveryKindOfLineBreakReadsAsBefore) {
    using namespace std::string_literals;
    TAffManager loaded = ParseSettings("<%%AfTitle%%>a\rb\n\rc\r<%%/AfTitle%%>"
                                       "<%%AfAnchors%%>a\rb$$$c\n\rd\r\n<%%/AfAnchors%%>"
                                       "<%%AfEmail%%>x^^^y$$z<%%/AfEmail%%>\0"
                                       "<%%AfFileName%%>cut<%%/AfFileName%%>"s);
    EXPECT_EQ(loaded.Title, "a\r\nb\r\n\r\nc\r\n");
    EXPECT_EQ(loaded.Anchors, (StringList{"a", "b", "$c", "", "d"}));
    EXPECT_EQ(loaded.Emails, (StringList{"x", "^y$$z"}));
    EXPECT_EQ(loaded.OutputFileName, "");
}
