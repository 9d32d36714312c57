#include "persistence/ProjectFiles.h"

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

TEST(ProjectExtension, OnlyANameWithoutOneGetsIt) {
    EXPECT_EQ(WithProjectExtension("/p/zen"), fs::path("/p/zen.vantor"));
    EXPECT_EQ(WithProjectExtension("/p/zen.dat"), fs::path("/p/zen.dat"));
    EXPECT_EQ(WithProjectExtension("/p.d/zen"), fs::path("/p.d/zen.vantor"));
}
