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
    EXPECT_EQ(ListTemplates({TemplatesFolder(app.path())}),
              (Names{"2col", "Alpha", "Beta", "Old.TEM", "Zeta"}));
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
    EXPECT_TRUE(ListTemplates({TemplatesFolder(app.path())}).empty());
}

TEST(TemplateCatalogue, LooksUpNamesAndFilesWithoutRegardToCase) {
    TempFolder app;
    app.write("Templates/blue.tem", "t");
    app.write("Templates/blue.jpg", "p");
    app.write("Templates/red.tem", "t");
    const std::vector<fs::path> folders{TemplatesFolder(app.path())};
    EXPECT_EQ(FindTemplate({"Blue", "Red"}, "RED"), 1);
    EXPECT_EQ(FindTemplate({"Blue", "Red"}, "Re"), -1);
    EXPECT_TRUE(fs::equivalent(*TemplateFile(folders, "Blue"), app.path() / "Templates/blue.tem"));
    EXPECT_TRUE(fs::equivalent(*PreviewFile(folders, "BLUE"), app.path() / "Templates/blue.jpg"));
    EXPECT_FALSE(PreviewFile(folders, "Red"));
    EXPECT_FALSE(TemplateFile(folders, ""));
}

TEST(TemplateCatalogue, UserTemplatesJoinTheShippedOnesAndWinByNameWithoutRegardToCase) {
    TempFolder root;
    const fs::path program = root.path() / "opt", data = root.path() / "home";
    for (auto name : {"aurora.tem", "aurora.jpg", "meadow.tem", "meadow.jpg"})
        root.write(std::string("opt/Templates/") + name, "shipped");
    for (auto name : {"AURORA.tem", "zen.tem", ".draft.tem"})
        root.write(std::string("home/Templates/") + name, "mine");

    const auto folders = TemplateFoldersOf({program, data, root.path()});
    EXPECT_EQ(folders, (std::vector{program / "Templates", data / "Templates"}));
    EXPECT_EQ(ListTemplates(folders), (Names{"AURORA", "Meadow", "Zen"}));
    EXPECT_EQ(ReadAll(*TemplateFile(folders, "Aurora")), "mine");
    // The winner's own preview or none: a shipped picture would show another page.
    EXPECT_FALSE(PreviewFile(folders, "Aurora"));
    EXPECT_TRUE(fs::equivalent(*PreviewFile(folders, "MEADOW"), program / "Templates/meadow.jpg"));

    EXPECT_EQ(TemplateFoldersOf({program, program, program}).size(), 1u);
}
