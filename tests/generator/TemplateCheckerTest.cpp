#include "generator/TemplateChecker.h"

#include <gtest/gtest.h>

namespace {

// Every placeholder, section and anchor (in the forms HTML allows), one part a line.
const std::string Clean =
    "<title>%%TITLE%%</title>\n"
    "<nav>%%MENU%%</nav>\n"
    "<a id=\"affiliatelink\" href=\"%%AFFILIATELINK%%%%AFFILIATECODE%%\">link</a>\n"
    "<div id=linktext>%%TABLE_LINKTEXT_INIT%%<a>%%ANCHORTEXT%%</a>%%TABLE_LINKTEXT_END%%</div>\n"
    "<div id='emailcopy'>%%TABLE_EMAIL_INIT%%<p>%%EMAIL%%</p>%%TABLE_EMAIL_END%%</div>\n"
    "<div id=\"autoemailcopy\">%%TABLE_AUTORESPONDER_INIT%%<p>%%AUTOEMAIL%%</p>"
    "%%TABLE_AUTORESPONDER_END%%</div>\n"
    "<div id=\"articles\">%%TABLE_ARTICLE_INIT%%<p>%%ARTICLE%%</p>%%TABLE_ARTICLE_END%%</div>\n"
    "<div id=\"sig\">%%TABLE_SIGNATURE_INIT%%<p>%%SIGNATURE%%</p>%%TABLE_SIGNATURE_END%%</div>\n"
    "<div id=\"pops\">%%TABLE_POPUP_INIT%%<p>%%POPUP%%</p>%%TABLE_POPUP_END%%</div>\n"
    "<a name=\"banners\"></a>%%TABLE_BANNER_INIT%%<img src=\"%%BANNER%%\">%%TABLE_BANNER_END%%\n"
    "<div ID = \"ppcads\">%%PPCADS%%</div>";

const std::string Banners = "%%TABLE_BANNER_INIT%%<img src=\"%%BANNER%%\">%%TABLE_BANNER_END%%";

constexpr PictureSize FullPreview{380, 270};

std::string Edited(std::string text,
                   const std::vector<std::pair<std::string, std::string>>& edits) {
    for (const auto& [from, to] : edits) {
        auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    }
    return text;
}

struct Expected {
    int line;
    std::string part; // a piece of the finding's text
};

void ExpectFindings(const std::vector<TemplateFinding>& findings,
                    const std::vector<Expected>& expected) {
    ASSERT_EQ(findings.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(findings[i].line, expected[i].line) << findings[i].text;
        EXPECT_NE(findings[i].text.find(expected[i].part), std::string::npos) << findings[i].text;
    }
}

} // namespace

TEST(TemplateChecker, CleanTemplateWithAPreviewThatFitsPasses) {
    EXPECT_TRUE(CheckTemplate(Clean, FullPreview).empty());
    // Without a menu nothing links to the anchors.
    EXPECT_TRUE(CheckTemplate("<p>%%TITLE%%</p>", FullPreview).empty());
}

TEST(TemplateChecker, EachFaultIsFoundOnItsLine) {
    struct Case {
        const char* fault;
        std::vector<std::pair<std::string, std::string>> edits;
        std::vector<Expected> expected;
    };
    const std::vector<Case> cases = {
        {"section in front of an earlier one",
         {{Banners, ""}, {"link</a>", "link</a>" + Banners}},
         {{3, "%%TABLE_BANNER_INIT%% stands in front of the LINKTEXT section"}}},
        {"section inside an earlier one",
         {{Banners, ""}, {"%%EMAIL%%</p>", "%%EMAIL%%</p>" + Banners}},
         {{5, "%%TABLE_BANNER_INIT%% stands inside the EMAIL section"}}},
        {"END before its INIT, so neither is paired",
         {{"%%TABLE_POPUP_INIT%%<p>%%POPUP%%</p>%%TABLE_POPUP_END%%",
           "%%TABLE_POPUP_END%%<p>%%POPUP%%</p>\n%%TABLE_POPUP_INIT%%"}},
         {{9, "%%TABLE_POPUP_END%% has no %%TABLE_POPUP_INIT%%"},
          {10, "%%TABLE_POPUP_INIT%% has no %%TABLE_POPUP_END%%"}}},
        {"second section of a kind",
         {{"</div>\n<div id=\"pops\">", "</div>%%TABLE_SIGNATURE_INIT%%x%%TABLE_SIGNATURE_END%%\n"
                                        "<div id=\"pops\">"}},
         {{8, "a second %%TABLE_SIGNATURE_INIT%%: only the one on line 8"}}},
        {"marker in another case",
         {{"%%TABLE_EMAIL_INIT%%", "%%Table_Email_Init%%"}},
         {{5, "%%Table_Email_Init%% is written in another letter case than %%TABLE_EMAIL_INIT%%"}}},
        {"title in a section",
         {{"<p>%%EMAIL%%", "<p>%%TITLE%% %%EMAIL%%"}},
         {{5, "%%TITLE%% inside the EMAIL section"}}},
        {"earlier section's item placeholder in a section",
         {{"<p>%%ARTICLE%%", "<p>%%EMAIL%% %%ARTICLE%%"}},
         {{7, "%%EMAIL%% inside the ARTICLE section"}}},
        {"section without its item placeholder",
         {{"<p>%%SIGNATURE%%</p>", "<p></p>"}},
         {{8, "holds no %%SIGNATURE%%"}}},
        {"unknown word", {{"%%PPCADS%%", "%%PPCADS%% %%FOOTER%%"}}, {{11, "%%FOOTER%% is not"}}},
        {"missing anchor", {{"<div id=\"sig\">", "<div class=\"sig\">"}}, {{2, "#sig"}}},
        {"anchor look-alikes",
         {{"<div id=\"sig\">", "<div data-id=\"sig\" class=\"sigs\"><i id=\"sigs\"></i>"}},
         {{2, "#sig"}}},
        {"typed text in a script or a style",
         {{"<p>%%POPUP%%</p>", "<script>\nvar p = '%%POPUP%%';</script>"},
          {"<title>", "<STYLE media=x>h1::after{content:'%%TITLE%%'}</style><title>"}},
         {{1, "%%TITLE%% inside a script or style"}, {10, "%%POPUP%% inside a script or style"}}},
        {"NUL byte",
         {{"%%PPCADS%%</div>", "%%PPCADS%%</div>\n" + std::string(1, '\0') + "x"}},
         {{12, "NUL"}}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.fault);
        ExpectFindings(CheckTemplate(Edited(Clean, test.edits), FullPreview), test.expected);
    }
}

TEST(TemplateChecker, PreviewMustExistAndFit) {
    ExpectFindings(CheckTemplate(Clean, std::nullopt), {{0, "no preview picture"}});
    ExpectFindings(CheckTemplate(Clean, PictureSize{381, 270}), {{0, "381 x 270, larger than"}});
    EXPECT_TRUE(CheckTemplate(Clean, PictureSize{100, 50}).empty());
}
