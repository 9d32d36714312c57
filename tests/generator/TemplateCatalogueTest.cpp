#include "generator/TemplateCatalogue.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

using Names = std::vector<std::string>;

TEST(TemplateCatalogue, ListsDisplayNamesInCaseInsensitiveOrder) {
    TempFolder app;
    for (auto name : {"zeta.tem", "Alpha.tem", "beta.tem", "Old.TEM", "2col.tem", "notes.txt",
                      ".spare.tem", "beta.jpg"})
        app.write(std::string("Templates/") + name, "x");
    // A folder that differs from a file only in letter case, where the file system allows it.
    if (!fs::exists(app.path() / "Templates" / "old.tem"))
        fs::create_directory(app.path() / "Templates" / "old.tem");
    EXPECT_EQ(ListTemplates(app.path()), (Names{"2col", "Alpha", "Beta", "Old.TEM", "Zeta"}));
}

TEST(TemplateCatalogue, DisplayNameRemovesEveryLowerCaseExtensionAndRaisesOnlyAscii) {
    EXPECT_EQ(DisplayNameOf("a.tem.tem"), "A");
    EXPECT_EQ(DisplayNameOf("my.template.tem"), "Myplate");
    EXPECT_EQ(DisplayNameOf("Old.TEM"), "Old.TEM");
    EXPECT_EQ(DisplayNameOf("\xC3\xA9t\xC3\xA9.tem"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(DisplayNameOf("2col.tem"), "2col");
}

TEST(TemplateCatalogue, MissingFolderListsNothing) {
    TempFolder app;
    EXPECT_TRUE(ListTemplates(app.path()).empty());
}

TEST(TemplateCatalogue, LooksUpNamesAndFilesWithoutRegardToCase) {
    TempFolder app;
    app.write("Templates/blue.tem", "t");
    app.write("Templates/blue.jpg", "p");
    app.write("Templates/red.tem", "t");
    EXPECT_EQ(FindTemplate({"Blue", "Red"}, "RED"), 1);
    EXPECT_EQ(FindTemplate({"Blue", "Red"}, "Re"), -1);
    EXPECT_TRUE(
        fs::equivalent(*TemplateFile(app.path(), "Blue"), app.path() / "Templates/blue.tem"));
    EXPECT_TRUE(
        fs::equivalent(*PreviewFile(app.path(), "BLUE"), app.path() / "Templates/blue.jpg"));
    EXPECT_FALSE(PreviewFile(app.path(), "Red"));
    EXPECT_FALSE(TemplateFile(app.path(), ""));
}
