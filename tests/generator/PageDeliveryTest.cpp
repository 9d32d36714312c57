#include "generator/PageDelivery.h"

#include "generator/DeliveryError.h"
#include "generator/PageOutput.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

DeliveryError::Reason RefusalOf(const DeliveryRequest& request, const TAffManager& model) {
    try {
        DeliverPage(request, model);
    } catch (const DeliveryError& refusal) {
        return refusal.reason();
    }
    ADD_FAILURE() << "the page was delivered";
    return DeliveryError::Reason::InvalidFileName;
}

DeliveryRequest SaveRequest(const TempFolder& app, std::string fileName) {
    return {{app.path(), app.path(), app.path()}, "Basic", std::move(fileName), true};
}

} // namespace

TEST(PageDelivery, NamesThatLeaveOutputAreRefusedLikeBlankOnesBeforeAnythingIsMade) {
    for (const char* name : {"..", "../page.htm", "a/../../page.htm", "..\\page.htm", " \t"})
        EXPECT_FALSE(IsValidOutputFileName(name)) << name;
    for (const char* name : {"page.htm", "..page.htm", "a..b/c", " .. ", "sub/page.htm"})
        EXPECT_TRUE(IsValidOutputFileName(name)) << name;

    TempFolder app;
    app.write("Templates/basic.tem", "<p>%%TITLE%%</p>");
    EXPECT_EQ(RefusalOf(SaveRequest(app, "../escaped.htm"), TAffManager()),
              DeliveryError::Reason::InvalidFileName);
    EXPECT_FALSE(fs::exists(app.path() / "Output"));
    EXPECT_FALSE(fs::exists(app.path() / "escaped.htm"));
    EXPECT_EQ(DeliveryError(DeliveryError::Reason::InvalidFileName).what(),
              std::string("Please provide a valid output filename."));
}

TEST(PageDelivery, WritesThePageAndHandsItBack) {
    TempFolder app;
    app.write("Templates/basic.tem", "<p>%%TITLE%%</p>");
    TAffManager model;
    model.Title = "Hi";
    const DeliveredPage saved = DeliverPage(SaveRequest(app, "page.htm"), model);
    EXPECT_EQ(saved.file, app.path() / "Output" / "page.htm");
    EXPECT_EQ(ReadAll(*saved.file), "<p>Hi</p>\r\n");
    const DeliveredPage printed =
        DeliverPage({{app.path(), app.path(), app.path()}, "basic", {}, false}, model);
    EXPECT_EQ(printed.text, "<p>Hi</p>\r\n");
    EXPECT_FALSE(printed.file);
}

TEST(PageDelivery, MissingAndEmptyTemplatesAreToldApart) {
    TempFolder app;
    EXPECT_EQ(RefusalOf(SaveRequest(app, "page.htm"), TAffManager()),
              DeliveryError::Reason::NoTemplate);
    const auto file = app.write("Templates/basic.tem", "");
    try {
        DeliverPage(SaveRequest(app, "page.htm"), TAffManager());
        FAIL() << "an empty template made a page";
    } catch (const DeliveryError& refusal) {
        const std::string text = refusal.what();
        ASSERT_TRUE(text.starts_with("The template file \"") && text.ends_with("\" is empty."))
            << text;
        EXPECT_TRUE(fs::equivalent(text.substr(19, text.size() - 30), file)) << text;
    }
    EXPECT_TRUE(fs::is_empty(app.path() / "Output"));
}

TEST(PageDelivery, PageBeyondTheCeilingIsRefusedAndNothingIsWritten) {
    TempFolder app;
    app.write("Templates/basic.tem", "%%TABLE_EMAIL_INIT%%%%EMAIL%%%%TABLE_EMAIL_END%%");
    TAffManager model;
    // Each of the emails holds the PPC table, a little over a megabyte.
    model.PPCAds = {"^Title^" + std::string(1100 * 1024, 'x') + "^link^"};
    model.Emails.assign(1000, "%%PPCADS%%");
    EXPECT_EQ(RefusalOf(SaveRequest(app, "page.htm"), model), DeliveryError::Reason::PageTooLarge);
    EXPECT_TRUE(fs::is_empty(app.path() / "Output"));
    EXPECT_NE(
        std::string(DeliveryError(DeliveryError::Reason::PageTooLarge).what()).find("%%PPCADS%%"),
        std::string::npos);
}

TEST(PageDelivery, AnInstalledCopyWritesIntoTheUsersDataFolderOnly) {
    TempFolder root;
    root.write("opt/Templates/basic.tem", "<p>%%TITLE%%</p>");
    root.write("home/Templates/mine.tem", "<b>%%TITLE%%</b>");
    const fs::path program = root.path() / "opt", data = root.path() / "home";
    const UserDataFolders folders{program, data, root.path() / "cache"};
    TAffManager model;
    model.Title = "Hi";
    EXPECT_EQ(DeliverPage({folders, "Basic", "page.htm", true}, model).file,
              data / "Output" / "page.htm");
    EXPECT_EQ(DeliverPage({folders, "Mine", {}, false}, model).text, "<b>Hi</b>\r\n");
    EXPECT_FALSE(fs::exists(program / "Output"));
}
