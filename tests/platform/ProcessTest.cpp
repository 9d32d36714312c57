#include "platform/Process.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <thread>

using platform::ReadProgramOutput;
using platform::ShellOpen;
using platform::StartProgram;

TEST(ProcessLauncher, PassesArgumentsUntouchedByAnyShell) {
    TempFolder folder;
    const auto marker = folder.path() / "made by; touch";
    ASSERT_TRUE(StartProgram("touch", {marker.string()}));
    // The child is not waited for; give it a moment to run.
    for (int i = 0; i < 200 && !std::filesystem::exists(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(std::filesystem::exists(marker));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "made by"));
}

TEST(ProcessLauncher, ReportsAProgramThatCannotStart) {
    EXPECT_FALSE(StartProgram("no-such-program-of-affiliate-vantor", {}));
    EXPECT_FALSE(ShellOpen("--help"));
}

TEST(ProcessLauncher, ReadsTheOutputOfAProgramThatFinishesInTime) {
    EXPECT_EQ(ReadProgramOutput("printf", {"%s|", "a b", "c"}, 10000), "a b|c|");
    EXPECT_FALSE(ReadProgramOutput("no-such-program-of-affiliate-vantor", {}, 10000));
    // A program that outlives its limit is stopped and yields nothing.
    EXPECT_FALSE(ReadProgramOutput("sleep", {"30"}, 100));
}
