#include "generator/TemplateEngine.h"

#include "generator/DeliveryError.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

std::string Expand(std::string_view text, const TAffManager& model) {
    return ExpandTemplate(text, model);
}

TAffManager WithUrl(std::string url) {
    TAffManager model;
    model.AffiliateURL = std::move(url);
    return model;
}

} // namespace

TEST(TemplateEngine, TextWithoutPlaceholdersComesBackWithCrLfLines) {
    EXPECT_EQ(Expand("<p>a</p>\n<p>b</p>", TAffManager()), "<p>a</p>\r\n<p>b</p>\r\n");
    EXPECT_EQ(Expand("x\r\ny\r\n", TAffManager()), "x\r\ny\r\n");
    EXPECT_EQ(Expand(std::string_view("a\nb\0c", 5), TAffManager()), "a\r\nb\r\n");
}

TEST(TemplateEngine, EmptyModelClearsEveryPlaceholderAndSection) {
    const std::string text = "<title>%%TITLE%%</title>|%%MENU%%|%%AFFILIATECODE%%|%%PPCADS%%|"
                             "%%AFFILIATELINK%%|"
                             "%%TABLE_LINKTEXT_INIT%%<a>%%ANCHORTEXT%%</a>%%TABLE_LINKTEXT_END%%|"
                             "%%TABLE_EMAIL_INIT%%<p>%%EMAIL%%</p>%%TABLE_EMAIL_END%%";
    EXPECT_EQ(Expand(text, TAffManager()), "<title></title>||||||\r\n");
}

TEST(TemplateEngine, GlobalPlaceholdersAreFilledCaseSensitively) {
    TAffManager model = WithUrl("http://xxxx.vendor.hop.clickbank.net");
    model.Title = "My %%TITLE%% Page";
    model.ClickBankId = "joe";
    EXPECT_EQ(Expand("%%TITLE%%|%%title%%|%%AFFILIATECODE%%|%%AFFILIATELINK%%", model),
              "My %%TITLE%% Page|%%title%%|?e=joe|http://xxxx.vendor.hop.clickbank.net\r\n");
}

TEST(TemplateEngine, MenuListsOnlyFilledListsInFixedOrder) {
    TAffManager model;
    model.Signatures = {"sig"};
    EXPECT_EQ(Expand("%%MENU%%", model),
              "<a href=\"#sig\" target=\"_self\">Signature Ads</a> | \r\n");

    model = WithUrl("u");
    model.Anchors = {"a"};
    model.Emails = {"e"};
    model.Signatures = {"s"};
    model.PopUps = {"p"};
    model.Banners = {"b"};
    model.Articles = {"r"};
    model.PPCAds = {"^t^b^l^"};
    model.AutoEmails = {"x"};
    EXPECT_EQ(Expand("%%MENU%%", model),
              "<a href=\"#affiliatelink\">Affiliate Link</a> | "
              "<a href=\"#linktext\">Text Link</a> | "
              "<a href=\"#emailcopy\" target=\"_self\">Email Copy</a> | "
              "<a href=\"#sig\" target=\"_self\">Signature Ads</a> | "
              "<a href=\"#pops\" target=\"_self\">PopUp Codes </a> | "
              "<a href=\"#banners\" target=\"_self\">Banners</a> | "
              "<a href=\"#articles\" target=\"_self\">Articles</a> | "
              "<a href=\"#ppcads\"> PPC Ads</a> | "
              "<a href=\"#autoemailcopy\" target=\"_self\"> Autoresponder Emails</a> | \r\n");
}

TEST(TemplateEngine, LinkSectionRepeatsTrimmedBodyPerItemWithTheUrl) {
    TAffManager model = WithUrl("http://u");
    model.Anchors = {"First $$", "Second"};
    const std::string text = "%%TABLE_LINKTEXT_INIT%%\n"
                             "  <a href=\"%%AFFILIATELINK%%\">%%ANCHORTEXT%%</a>\n"
                             "%%TABLE_LINKTEXT_END%%";
    EXPECT_EQ(Expand(text, model), "\r\n  <a href=\"http://u\">First $$</a><a href=\"http://u\">"
                                   "Second</a>\r\n\r\n");
}

TEST(TemplateEngine, TextSectionsUnpackLineBreaksOverTheWholeCopy) {
    TAffManager model;
    model.Emails = {"Hi$$there"};
    model.Banners = {"b$$c"};
    EXPECT_EQ(Expand("%%TABLE_EMAIL_INIT%%<p>%%EMAIL%%$$</p>%%TABLE_EMAIL_END%%"
                     "%%TABLE_BANNER_INIT%%<img src=\"%%BANNER%%\">%%TABLE_BANNER_END%%",
                     model),
              "<p>Hi\r\nthere\r\n</p><img src=\"b$$c\">\r\n");
}

TEST(TemplateEngine, PPCTablePairsAdsAndLeavesTheLastRowOpen) {
    TAffManager model;
    model.PPCAds = {"^T1^B1$$more^L1^", "^T2^^^", "^T3^B3^L3^"};
    auto cell = [](std::string t, std::string b, std::string l) {
        return "<td valign=top bgcolor=#FFFFA0 class=\"style17\"><u><span class=\"style7\">" + t +
               "</span></u><br>" + b + "<br><span class=style24>" + l + "</span></td>";
    };
    EXPECT_EQ(Expand("%%PPCADS%%", model),
              "<table width=\"491\" border=\"0\" align=\"center\"><tr>" +
                  cell("T1", "B1\r\nmore", "L1") + "<td>&nbsp;</td>" + cell("T2", "", "") +
                  "</tr><tr>" + cell("T3", "B3", "L3") + "</table>\r\n");
}

TEST(TemplateEngine, PPCAdShortOfFieldsReadsThemAsEmpty) {
    TAffManager model;
    model.PPCAds = {"^Only title", "plain"};
    const std::string page = Expand("%%PPCADS%%", model);
    EXPECT_NE(page.find("<span class=\"style7\">Only title</span></u><br><br><span class=style24>"
                        "</span>"),
              std::string::npos);
    EXPECT_NE(page.find("<span class=\"style7\"></span>"), std::string::npos);
}

TEST(TemplateEngine, SectionsOutOfOrderAreNotExpandedButLoseMarkersAndPlaceholders) {
    TAffManager model = WithUrl("U");
    model.Anchors = {"a1"};
    model.Banners = {"b1"};
    const std::string text =
        "%%TABLE_BANNER_INIT%%[%%BANNER%%|%%AFFILIATELINK%%]%%TABLE_BANNER_END%%"
        "%%TABLE_LINKTEXT_INIT%%(%%ANCHORTEXT%%)%%TABLE_LINKTEXT_END%%";
    EXPECT_EQ(Expand(text, model), "[|U](a1)\r\n");
}

TEST(TemplateEngine, LowerCaseMarkersExpandButStayAsText) {
    TAffManager model;
    model.Emails = {"e1", "e2"};
    EXPECT_EQ(Expand("%%table_email_init%%<%%EMAIL%%>%%table_email_end%%", model),
              "%%table_email_init%%<e1><e2>%%table_email_end%%\r\n");
}

TEST(TemplateEngine, BodyHoldingTheTitleIsNotExpanded) {
    TAffManager model;
    model.Title = "T";
    model.Emails = {"e1"};
    EXPECT_EQ(Expand("%%TABLE_EMAIL_INIT%%%%TITLE%%:%%EMAIL%%%%TABLE_EMAIL_END%%", model),
              "T:\r\n");
}

TEST(TemplateEngine, BodyIsReplacedWhereverItOccurs) {
    TAffManager model;
    model.Emails = {"x"};
    EXPECT_EQ(Expand("<b>%%EMAIL%%</b>|%%TABLE_EMAIL_INIT%%<b>%%EMAIL%%</b>%%TABLE_EMAIL_END%%|"
                     "%%TABLE_EMAIL_INIT%%<i>%%EMAIL%%</i>%%TABLE_EMAIL_END%%",
                     model),
              "<b>x</b>|<b>x</b>|<i></i>\r\n");
}

TEST(TemplateEngine, LaterPassesWorkOnInsertedItems) {
    TAffManager model = WithUrl("U");
    model.Emails = {"e %%BANNER%% %%AFFILIATELINK%% %%PPCADS%% %%TITLE%%"};
    model.Articles = {"a %%ANCHORTEXT%%"};
    const std::string page = Expand("%%TABLE_EMAIL_INIT%%%%EMAIL%%%%TABLE_EMAIL_END%%|"
                                    "%%TABLE_ARTICLE_INIT%%%%ARTICLE%%%%TABLE_ARTICLE_END%%",
                                    model);
    EXPECT_EQ(page, "e  U  %%TITLE%%|a %%ANCHORTEXT%%\r\n");
}

TEST(TemplateEngine, ReadsTheTemplateFileWithoutRegardToCase) {
    TempFolder app;
    app.write("Templates/blue.tem", "<h1>%%TITLE%%</h1>");
    const std::vector<std::filesystem::path> folders{app.path() / "Templates"};
    TAffManager model;
    model.Title = "Hi";
    EXPECT_EQ(GeneratePage(folders, "Blue", model), "<h1>Hi</h1>\r\n");
    EXPECT_THROW(GeneratePage(folders, "Red", model), DeliveryError);
    std::filesystem::create_directory(app.path() / "Templates" / "dir.tem");
    EXPECT_THROW(GeneratePage(folders, "dir", model), DeliveryError);
    EXPECT_THROW(GeneratePage(folders, "../Templates/blue", model), DeliveryError);
}

TEST(TemplateEngine, LongRepeatedBodyIsFoundInLinearTime) {
    // The body nearly matches at every position of the run in front of it.
    const std::string run(1 << 20, 'a');
    TAffManager model;
    model.Emails = {"x"};
    const std::string page =
        Expand(run + "%%TABLE_EMAIL_INIT%%" + run + "b%%EMAIL%%%%TABLE_EMAIL_END%%", model);
    EXPECT_TRUE(page == run + run + "bx\r\n");
}

TEST(TemplateEngine, CopyBoxesAndTitleHoldTextAsTyped) {
    TAffManager model = WithUrl("https://xxxx.shop.example/go/?param=1&copy=2&times=3");
    model.Title = "Tom & Jerry <3";
    const std::string page =
        Expand("<TITLE lang=en>%%TITLE%%</TITLE><h1>%%TITLE%%</h1>"
               "<TextArea readonly rows=3>%%AFFILIATELINK%% %%TITLE%%</textArea>"
               "<a href=\"%%AFFILIATELINK%%\">%%AFFILIATELINK%%</a>",
               model);
    EXPECT_EQ(page, "<TITLE lang=en>Tom &amp; Jerry &lt;3</TITLE><h1>Tom & Jerry <3</h1>"
                    "<TextArea readonly rows=3>https://xxxx.shop.example/go/?param=1&amp;copy=2"
                    "&amp;times=3 Tom &amp; Jerry &lt;3</textArea>"
                    "<a href=\"https://xxxx.shop.example/go/?param=1&copy=2&times=3\">"
                    "https://xxxx.shop.example/go/?param=1&copy=2&times=3</a>\r\n");
}

TEST(TemplateEngine, AttributeValuesKeepTheirQuotes) {
    TAffManager model = WithUrl("http://u/?q=\"a\"&b='c'");
    model.Title = "Say \"hi\"";
    EXPECT_EQ(Expand("<meta content=\"%%TITLE%%\"><a href='%%AFFILIATELINK%%' "
                     "title=\"%%AFFILIATELINK%%\">",
                     model),
              "<meta content=\"Say &quot;hi&quot;\"><a href='http://u/?q=\"a\"&b=&#39;c&#39;' "
              "title=\"http://u/?q=&quot;a&quot;&b='c'\">\r\n");
}

TEST(TemplateEngine, AnItemCannotEndItsCopyBox) {
    TAffManager model = WithUrl("U&");
    model.PopUps = {"<script>go()</script></textarea><b>x</b>", "<i>y</i>"};
    model.Anchors = {"<b>Buy</b>"};
    const std::string text = "%%TABLE_LINKTEXT_INIT%%<a href=\"%%AFFILIATELINK%%\">%%ANCHORTEXT%%"
                             "</a><textarea><a href=\"%%AFFILIATELINK%%\">%%ANCHORTEXT%%</a>"
                             "</textarea>%%TABLE_LINKTEXT_END%%|"
                             "%%TABLE_POPUP_INIT%%<textarea>%%POPUP%%</textarea>%%POPUP%%"
                             "%%TABLE_POPUP_END%%";
    EXPECT_EQ(Expand(text, model),
              "<a href=\"U&\"><b>Buy</b></a><textarea><a href=\"U&amp;\">&lt;b>Buy&lt;/b>"
              "</a></textarea>|"
              "<textarea>&lt;script>go()&lt;/script>&lt;/textarea>&lt;b>x&lt;/b></textarea>"
              "<script>go()</script></textarea><b>x</b>"
              "<textarea>&lt;i>y&lt;/i></textarea><i>y</i>\r\n");
}

TEST(TemplateEngine, TextLaterPassesPutIntoAnEscapedItemIsEscapedToo) {
    TAffManager model = WithUrl("http://u/?a=1&b=2");
    model.Emails = {"Visit %%AFFILIATELINK%% %%PPCADS%%"};
    model.PPCAds = {"^T&^B^L^"};
    const std::string page = Expand("%%TABLE_EMAIL_INIT%%<textarea>%%EMAIL%%</textarea>|"
                                    "<p>%%EMAIL%%</p>%%TABLE_EMAIL_END%%",
                                    model);
    const std::string table = Expand("%%PPCADS%%", model);
    const std::string escapedTable = Expand("<title>%%PPCADS%%</title>", model);
    EXPECT_EQ(page, "<textarea>Visit http://u/?a=1&amp;b=2 " +
                        escapedTable.substr(7, escapedTable.size() - 17) +
                        "</textarea>|<p>Visit http://u/?a=1&b=2 " +
                        table.substr(0, table.size() - 2) + "</p>\r\n");
    EXPECT_NE(escapedTable.find("&lt;table width=\"491\""), std::string::npos);
    EXPECT_NE(escapedTable.find("T&amp;"), std::string::npos);
}

TEST(TemplateEngine, OnlyRealCopyBoxesAndTitlesCount) {
    TAffManager model;
    model.Title = "A&B";
    // A comment, a script, a longer element name and an end tag that is not one.
    EXPECT_EQ(Expand("<!-- <textarea> -->%%TITLE%%<script>x='%%TITLE%%'</script>"
                     "<textareas>%%TITLE%%</textareas>"
                     "<textarea></textarea2>%%TITLE%%</textarea>%%TITLE%%",
                     model),
              "<!-- <textarea> -->A&B<script>x='A&B'</script><textareas>A&B</textareas>"
              "<textarea></textarea2>A&amp;B</textarea>A&B\r\n");
}
