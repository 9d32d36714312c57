#include "generator/PageOutput.h"

#include "support/TempFolder.h"
#include "util/AppError.h"

#include <gtest/gtest.h>

TEST(PageOutput, CreatesTheFolderAndWritesCrLfLines) {
    TempFolder app;
    const fs::path appDir = app.path() / "deep" / "er";
    ASSERT_TRUE(EnsureOutputFolder(appDir));
    fs::path file = WritePage(appDir, "affiliatepage.htm", "a\nb\rc");
    // As the messages show it: on Windows with backslashes only.
    EXPECT_EQ(file.native(), (appDir / "Output" / "affiliatepage.htm").native());
    EXPECT_EQ(ReadAll(file), "a\r\nb\r\nc\r\n");
    WritePage(appDir, "affiliatepage.htm", "new\r\n");
    EXPECT_EQ(ReadAll(file), "new\r\n");
}

TEST(PageOutput, KeepsSpacesOfTheTypedNameAndNeverLeavesTheFolderForAnAbsoluteName) {
    TempFolder app;
    ASSERT_TRUE(EnsureOutputFolder(app.path()));
    EXPECT_EQ(WritePage(app.path(), " page.htm ", "x").filename(), " page.htm ");
    EXPECT_EQ(OutputFile(app.path(), "/tmp/x.htm").native(),
              fs::path((app.path() / "Output").string() + "//tmp/x.htm").make_preferred().native());
}

TEST(PageOutput, OutputNameThatIsAFileBlocksTheFolder) {
    TempFolder app;
    app.write("Output", "not a folder");
    EXPECT_FALSE(EnsureOutputFolder(app.path()));
}

TEST(PageOutput, MissingSubFolderInTheNameIsACreateError) {
    TempFolder app;
    ASSERT_TRUE(EnsureOutputFolder(app.path()));
    const std::string path = (app.path() / "Output" / "sub" / "page.htm").string();
    try {
        WritePage(app.path(), "sub/page.htm", "x");
        FAIL() << "the write should fail";
    } catch (const AppError& error) {
        // The reason is the system's own text, which differs between systems.
        EXPECT_TRUE(std::string(error.what()).starts_with("Cannot create file \"" + path + "\". "))
            << error.what();
    }
}
