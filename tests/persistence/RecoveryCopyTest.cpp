#include "persistence/RecoveryCopy.h"

#include "support/ChildProcess.h"
#include "support/TempFolder.h"
#include "util/CrashReports.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

// The names in a folder, sorted.
std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A copy of the program that wrote Bytes and then died without a clean end.
void LeaveOrphan(const fs::path& folder, const std::string& bytes) {
    RunInChild([&] {
        RecoveryCopy copy(folder);
        copy.Write(bytes);
        copy.Flush();
        _exit(0);
        return 0;
    });
}

} // namespace

TEST(RecoveryCopyTest, RunningCopiesKeepTheirOwnAndACleanEndLeavesNothing) {
    TempFolder folder;
    RecoveryCopy first(folder.path());
    RecoveryCopy second(folder.path());
    EXPECT_NE(first.file(), second.file());
    for (int round = 0; round < 50; ++round) {
        first.Write("first " + std::to_string(round));
        second.Write("second " + std::to_string(round));
    }
    first.Flush();
    second.Flush();
    EXPECT_EQ(ReadAll(first.file()), "first 49");
    EXPECT_EQ(ReadAll(second.file()), "second 49");
    // Neither is offered while its copy runs.
    EXPECT_FALSE(ClaimOrphanedRecovery(folder.path()));

    first.Discard();
    second.Discard();
    EXPECT_TRUE(Names(folder.path()).empty());
}

TEST(RecoveryCopyTest, TheNewestCopyOfADeadProgramIsOfferedToOneClaimantAtATime) {
    TempFolder folder;
    LeaveOrphan(folder.path(), "older");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    LeaveOrphan(folder.path(), "newer");

    auto orphan = ClaimOrphanedRecovery(folder.path());
    ASSERT_TRUE(orphan);
    EXPECT_EQ(ReadAll(orphan->file), "newer");
    // Another starting copy is offered the other one, not the one being asked about.
    auto other = ClaimOrphanedRecovery(folder.path());
    ASSERT_TRUE(other);
    EXPECT_EQ(ReadAll(other->file), "older");
    EXPECT_FALSE(ClaimOrphanedRecovery(folder.path()));

    RecoveryCopy own(folder.path());
    own.Write("typed meanwhile");
    AdoptRecovery(*orphan, own);
    EXPECT_EQ(ReadAll(own.file()), "newer");
    DiscardRecovery(*other);
    orphan.reset();
    other.reset();
    EXPECT_EQ(Names(folder.path()).size(), 2u); // own's copy and lock
    EXPECT_FALSE(ClaimOrphanedRecovery(folder.path()));
}

TEST(RecoveryCopyTest, LockFilesOfCopiesThatNeverWroteAreCleanedUp) {
    TempFolder folder;
    RunInChild([&] {
        RecoveryCopy copy(folder.path());
        _exit(0);
        return 0;
    });
    RecoveryCopy running(folder.path());
    ASSERT_EQ(Names(folder.path()).size(), 2u);
    EXPECT_FALSE(ClaimOrphanedRecovery(folder.path()));
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{running.file().stem().string()});
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
