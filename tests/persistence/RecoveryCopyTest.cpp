#include "persistence/RecoveryCopy.h"

#include "persistence/SettingsFile.h"
#include "support/TempFolder.h"
#include "util/policies/CrashReports.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>

namespace {

// The names in a folder, sorted.
std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// What a copy of the program that died leaves: its recovery copy, and a lock nobody holds.
void LeaveOrphan(const TempFolder& folder, const std::string& name, const std::string& bytes,
                 std::chrono::seconds age) {
    folder.write(name, "");
    const fs::path copy = folder.write(name + ".dat", bytes);
    fs::last_write_time(copy, fs::file_time_type::clock::now() - age);
}

} // namespace

TEST(RecoveryCopyTest, RunningCopiesKeepTheirOwnAndACleanEndLeavesNothing) {
    TempFolder folder;
    RecoveryCopy first(folder.path());
    RecoveryCopy second(folder.path());
    EXPECT_NE(first.file(), second.file());
    TAffManager project;
    for (int round = 0; round < 50; ++round) {
        project.Title = "first " + std::to_string(round);
        first.Write(project);
        project.Title = "second " + std::to_string(round);
        second.Write(project);
    }
    first.Flush();
    second.Flush();
    EXPECT_EQ(SettingsFromBytes(ReadAll(first.file())).Title, "first 49");
    EXPECT_EQ(SettingsFromBytes(ReadAll(second.file())).Title, "second 49");
    // Neither is offered while its copy runs.
    EXPECT_FALSE(ClaimOrphanedRecovery(folder.path()));

    first.Discard();
    second.Discard();
    EXPECT_TRUE(Names(folder.path()).empty());
}

TEST(RecoveryCopyTest, TheNewestCopyOfADeadProgramIsOfferedToOneClaimantAtATime) {
    TempFolder folder;
    LeaveOrphan(folder, "recovery-older1", "older", std::chrono::seconds(60));
    LeaveOrphan(folder, "recovery-newer1", "newer", std::chrono::seconds(5));
    const fs::path project = folder.path() / fs::path(u8"Zen Gärten.vantor");
    const std::u8string projectName = project.u8string();
    folder.write("recovery-newer1.project", std::string(projectName.begin(), projectName.end()));

    auto orphan = ClaimOrphanedRecovery(folder.path());
    ASSERT_TRUE(orphan);
    EXPECT_EQ(ReadAll(orphan->file), "newer");
    EXPECT_EQ(orphan->projectFile, project);
    // Another starting copy is offered the other one, not the one being asked about.
    auto other = ClaimOrphanedRecovery(folder.path());
    ASSERT_TRUE(other);
    EXPECT_EQ(ReadAll(other->file), "older");
    EXPECT_TRUE(other->projectFile.empty());
    EXPECT_FALSE(ClaimOrphanedRecovery(folder.path()));

    RecoveryCopy own(folder.path());
    TAffManager typed;
    typed.Title = "typed meanwhile";
    own.Write(typed);
    AdoptRecovery(*orphan, own);
    EXPECT_EQ(ReadAll(own.file()), "newer");
    DiscardRecovery(*other);
    orphan.reset();
    other.reset();
    EXPECT_EQ(Names(folder.path()).size(), 3u); // own's copy, lock and project's name
    EXPECT_FALSE(ClaimOrphanedRecovery(folder.path()));

    own.NameProject({});
    EXPECT_EQ(Names(folder.path()).size(), 2u);
    own.NameProject(project);
    own.Discard();
    EXPECT_TRUE(Names(folder.path()).empty());
}

TEST(RecoveryCopyTest, LockFilesOfCopiesThatNeverWroteAreCleanedUp) {
    TempFolder folder;
    folder.write("recovery-ended1", "");
    RecoveryCopy running(folder.path());
    ASSERT_EQ(Names(folder.path()).size(), 2u);
    EXPECT_FALSE(ClaimOrphanedRecovery(folder.path()));
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{running.file().stem().string()});
}

TEST(ProjectSnapshotsTest, ASnapshotKeepsTheProjectAsItWasAndSeesEveryLaterChange) {
    TAffManager project;
    project.Emails = {"one", "two"};
    project.Articles = {"kept"};
    ProjectSnapshots snapshots;
    const ProjectSnapshot before = snapshots.Take(project);
    project.Emails[1] = "TWO";
    const ProjectSnapshot after = snapshots.Take(project);
    EXPECT_EQ(ProjectOf(before).Emails, (StringList{"one", "two"}));
    EXPECT_EQ(ProjectOf(after).Emails, (StringList{"one", "TWO"}));
    EXPECT_EQ(ProjectOf(after).Articles, StringList{"kept"});
}

TEST(CrashReportsTest, TheNewestReportsAreKeptWithTheirMinidumps) {
    TempFolder folder;
    for (int second = 10; second < 22; ++second) {
        const std::string stem = "crash-20261210-0455" + std::to_string(second) + "-42";
        folder.write(stem + ".txt", "report");
        folder.write(stem + ".dmp", "dump");
    }
    folder.write("notes.txt", "the user's own");
    PruneCrashReports(folder.path(), 10);
    const auto names = Names(folder.path());
    ASSERT_EQ(names.size(), 21u);
    EXPECT_EQ(names.front(), "crash-20261210-045512-42.dmp");
    EXPECT_EQ(names.back(), "notes.txt");

    const auto since = fs::last_write_time(folder.path() / "notes.txt");
    EXPECT_FALSE(CrashReportSince(folder.path(), since + std::chrono::seconds(1)));
    EXPECT_EQ(CrashReportSince(folder.path(), since - std::chrono::seconds(5))->filename(),
              "crash-20261210-045521-42.txt");
}
