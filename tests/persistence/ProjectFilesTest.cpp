#include "persistence/ProjectFiles.h"

#include "persistence/SettingsFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(RecentProjects, NamesOfAnyScriptSurviveTheFileAndLineBreaksNeverSplitAnEntry) {
    TempFolder folder;
    const fs::path list = RecentProjectsFile(folder.path() / "made" / "here");
    EXPECT_TRUE(ReadRecentProjects(list).empty());

    const fs::path greek = folder.path() / fs::path(u8"Προϊόν ένα.vantor");
    const fs::path spaced = folder.path() / "with space.dat";
    auto projects = WithRecentProject({}, spaced);
    projects = WithRecentProject(projects, greek);
    projects = WithRecentProject(projects, folder.path() / "broken\nname.vantor");
    WriteRecentProjects(list, projects);
    EXPECT_EQ(ReadRecentProjects(list), (std::vector<fs::path>{greek, spaced}));
}

TEST(ProjectExtension, EveryNameWithoutAProjectsExtensionGetsIt) {
    EXPECT_EQ(WithProjectExtension("/p/zen"), fs::path("/p/zen.vantor"));
    EXPECT_EQ(WithProjectExtension("/p/zen.dat"), fs::path("/p/zen.dat"));
    EXPECT_EQ(WithProjectExtension("/p/Zen.VANTOR"), fs::path("/p/Zen.VANTOR"));
    EXPECT_EQ(WithProjectExtension("/p.d/zen"), fs::path("/p.d/zen.vantor"));
    EXPECT_EQ(WithProjectExtension("/p/Spring Sale v2.5"), fs::path("/p/Spring Sale v2.5.vantor"));
}

TEST(DamagedProjects, ABrokenOffFileNamesWhatItLostAndIsRefusedForPages) {
    TAffManager project;
    project.Title = "Zen";
    project.PPCAds = {"^a^b^c^"};
    project.Emails = {"mail"};
    const std::string whole = FormatSettings(project);
    EXPECT_TRUE(UnreadableParts(whole).empty());
    // Tags that are missing altogether are no damage.
    EXPECT_TRUE(UnreadableParts("<%%AfTitle%%>Zen<%%/AfTitle%%>").empty());

    const std::string cut = whole.substr(0, whole.find("<%%/AfPPC%%>") - 3);
    const std::vector<std::string> lost = UnreadableParts(cut);
    ASSERT_EQ(lost.size(), 8u);
    EXPECT_EQ(lost.front(), "the PPC ads");
    EXPECT_EQ(lost.back(), "the output file name");

    TempFolder folder;
    const fs::path file = folder.write("cut.vantor", cut);
    const StoredProject stored = ReadProjectFile(file);
    EXPECT_EQ(stored.project.Title, "Zen");
    EXPECT_EQ(stored.unreadable, lost);
    try {
        LoadProjectFile(file);
        FAIL() << "a damaged project was read for a page";
    } catch (const std::exception& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file \"" + file.string() +
                                                 "\". It is damaged: it breaks off in the PPC "
                                                 "ads.");
    }
}
