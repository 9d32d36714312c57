#include "cli/CliCommands.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

struct CheckResult {
    int status;
    std::string out;
    std::string err;
};

CheckResult Check(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "check-template");
    std::ostringstream out, err;
    int status = ExitStatusOf(RunCli(arguments, out, err));
    return {status, out.str(), err.str()};
}

const fs::path Source = VANTOR_SOURCE_DIR;
const fs::path Example = Source / "examples" / "templates" / "minimal.tem";

} // namespace

TEST(CheckTemplateCommand, EveryShippedTemplatePassesByName) {
    TempFolder app;
    fs::copy(Source / "templates", app.path() / "Templates");
    int count = 0;
    for (const auto& entry : fs::directory_iterator(app.path() / "Templates")) {
        if (entry.path().extension() != ".tem")
            continue;
        const std::string name = entry.path().stem().string(); // lower case: found all the same
        auto result = Check({name, "--app-dir", app.path().string()});
        EXPECT_EQ(result.status, 0) << result.out << result.err;
        EXPECT_EQ(result.out, entry.path().string() + ": nothing found.\n");
        ++count;
    }
    EXPECT_GE(count, 3);
}

TEST(CheckTemplateCommand, TheDocumentedExampleIsTheCheckedFileAndPasses) {
    const std::string example = ReadAll(Example);
    ASSERT_FALSE(example.empty());
    EXPECT_NE(ReadAll(Source / "docs" / "templates.md").find("```html\n" + example + "```"),
              std::string::npos);
    auto result = Check({Example.string()});
    EXPECT_EQ(result.status, 0) << result.out;
}

TEST(CheckTemplateCommand, FileFindingsCarryPathAndLineAndThePreviewIsFoundIgnoringCase) {
    TempFolder folder;
    const auto file = folder.write("blue.tem", ReadAll(Example) + "%%Banner%%\n");
    auto found = Check({file.string()});
    EXPECT_EQ(found.status, 1);
    EXPECT_EQ(found.out, file.string() +
                             ": no preview picture: put a JPEG of at most 380 x 270 "
                             "beside the template, named like it with .jpg\n" +
                             file.string() + ":55: %%Banner%% is written in another letter " +
                             "case than %%BANNER%%: it stays in the page\n");

    fs::copy_file(Source / "templates" / "aurora.jpg", folder.path() / "BLUE.JPG");
    EXPECT_EQ(Check({file.string()}).out.find("preview"), std::string::npos);
}

TEST(CheckTemplateCommand, WrongArgumentsGiveStatusTwoAndHelpExplains) {
    TempFolder app;
    for (auto arguments :
         std::vector<std::vector<std::string>>{{},
                                               {"a.tem", "b.tem"},
                                               {"--bogus", Example.string()},
                                               {Example.string(), "--app-dir"},
                                               {"Nope", "--app-dir", app.path().string()}}) {
        auto result = Check(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_FALSE(result.err.empty());
    }
    const std::string folder = app.path().string();
    EXPECT_EQ(Check({folder, "--app-dir", folder}).err,
              "\"" + folder +
                  "\" is a folder. Please name a template file (.tem) or a template as the wizard "
                  "lists it.\n");
    auto help = Check({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("check-template NAME|FILE [--app-dir DIR]"), std::string::npos);
}
