#include "generator/PreviewCopies.h"

#include "generator/PageOutput.h"
#include "support/TempFolder.h"
#include "util/AppError.h"
#include "util/files/FileHelpers.h"
#include "util/files/FileUrl.h"

#include <gtest/gtest.h>

TEST(PreviewCopies, HoldTheWrittenPageWithABaseInOutput) {
    TempFolder app;
    const std::string text = "<html><head>\n<title>Zen</title></head><img src=\"a b.png\">\n";
    ASSERT_TRUE(EnsureOutputFolder(app.path()));
    const fs::path written = WritePage(app.path(), "page.htm", text);
    const std::string copy = PreviewCopyBytes(text, OutputFolder(app.path()));
    const std::string base = "<base href=\"" + FolderUrl(OutputFolder(app.path())) + "\">";
    const std::size_t at = copy.find(base);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(copy.substr(0, at) + copy.substr(at + base.size()), ReadAll(written));
}

TEST(PreviewCopies, LiveAsLongAsTheirOwner) {
    fs::path first;
    fs::path second;
    {
        PreviewCopies copies;
        first = copies.Write("one");
        second = copies.Write("two");
        EXPECT_NE(first, second);
        EXPECT_EQ(ReadAll(first), "one");
        EXPECT_EQ(ReadAll(second), "two");
        // Compared as text: Windows' stat fails for a folder named with its final backslash.
        EXPECT_EQ((first.parent_path().parent_path() / "").lexically_normal(),
                  (fs::temp_directory_path() / "").lexically_normal());
    }
    EXPECT_FALSE(fs::exists(first));
    EXPECT_FALSE(fs::exists(first.parent_path()));
}

TEST(PreviewCopies, AFolderThatCannotBeMadeIsACreateError) {
    TempFolder app;
    PreviewCopies copies(app.path() / "missing");
    try {
        copies.Write("x");
        FAIL() << "the write should fail";
    } catch (const AppError& error) {
        const std::string folder = PathText(app.path() / "missing" / "affiliate-vantor-preview-");
        EXPECT_TRUE(std::string(error.what()).starts_with("Cannot create file \"" + folder))
            << error.what();
    }
}
