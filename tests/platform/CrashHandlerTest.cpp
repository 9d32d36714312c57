#include "support/ChildProcess.h"
#include "support/TempFolder.h"

#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

struct Crash {
    std::string ending;
    // The one report the crash left, or empty when there is none.
    std::string report;
    int reports = 0;
};

Crash CrashVictim(const char* mode) {
    TempFolder folder;
    const fs::path reports = folder.path() / "crashes";
    const std::string program = VANTOR_CRASH_VICTIM;
    Crash crash;
    crash.ending = RunInChild([&] {
        // Under AddressSanitizer its runtime would take the fault for itself.
        const char* sanitizer = std::getenv("ASAN_OPTIONS");
        const std::string options =
            std::string(sanitizer ? sanitizer : "") + ":allow_user_segv_handler=1";
        setenv("ASAN_OPTIONS", options.c_str(), 1);
        execl(program.c_str(), program.c_str(), reports.c_str(), mode, nullptr);
        return 127;
    });
    for (const auto& entry : fs::directory_iterator(reports)) {
        ++crash.reports;
        crash.report = ReadAll(entry.path());
        EXPECT_TRUE(entry.path().filename().string().starts_with("crash-"));
        EXPECT_EQ(entry.path().extension(), ".txt");
    }
    return crash;
}

std::string KilledBy(int signalNumber) {
    return "killed by signal " + std::to_string(signalNumber);
}

} // namespace

TEST(CrashHandlerTest, AFaultLeavesAReportNamingTheSignalAndTheFunctionAndEndsByTheSignal) {
    const Crash crash = CrashVictim("null-write");
    EXPECT_EQ(crash.ending, KilledBy(SIGSEGV));
    ASSERT_EQ(crash.reports, 1);
    EXPECT_NE(crash.report.find("Program: Crash Victim 1.01\n"), std::string::npos);
    EXPECT_NE(crash.report.find("\nSystem: Linux "), std::string::npos);
    EXPECT_NE(crash.report.find("\nTime: 20"), std::string::npos);
    EXPECT_NE(crash.report.find("\nSignal: SIGSEGV"), std::string::npos);
    EXPECT_NE(crash.report.find("\nAddress: 0x0000000000000000\n"), std::string::npos);
    EXPECT_NE(crash.report.find("(CrashVictimNullWrite+0x"), std::string::npos) << crash.report;
}

TEST(CrashHandlerTest, AStackOverflowOnAThreadTheProgramStartedLeavesAReport) {
    const Crash crash = CrashVictim("thread-overflow");
    EXPECT_EQ(crash.ending, KilledBy(SIGSEGV));
    ASSERT_EQ(crash.reports, 1);
    EXPECT_NE(crash.report.find("\nSignal: SIGSEGV"), std::string::npos);
    EXPECT_NE(crash.report.find("(CrashVictimRecurse+0x"), std::string::npos) << crash.report;
}

TEST(CrashHandlerTest, AbortsAndUncaughtExceptionsEndByAbortWithTheirReason) {
    const Crash aborted = CrashVictim("abort");
    EXPECT_EQ(aborted.ending, KilledBy(SIGABRT));
    EXPECT_NE(aborted.report.find("\nSignal: SIGABRT"), std::string::npos);
    EXPECT_EQ(aborted.report.find("Reason:"), std::string::npos);

    const Crash thrown = CrashVictim("throw");
    EXPECT_EQ(thrown.ending, KilledBy(SIGABRT));
    EXPECT_NE(thrown.report.find("Reason: std::terminate called after an uncaught exception of "
                                 "type std::runtime_error\n"),
              std::string::npos);
    EXPECT_NE(thrown.report.find("CrashVictimThrow+0x"), std::string::npos) << thrown.report;
    // The exception's text may be what the user typed.
    EXPECT_EQ(thrown.report.find("secret"), std::string::npos);

    const Crash terminated = CrashVictim("terminate");
    EXPECT_EQ(terminated.ending, KilledBy(SIGABRT));
    EXPECT_NE(terminated.report.find("std::terminate called without an active exception"),
              std::string::npos);
}

TEST(CrashHandlerTest, AHandlerThatFaultsItselfEndsAtOnceWithoutLooping) {
    const Crash crash = CrashVictim("fault-while-reporting");
    EXPECT_EQ(crash.ending, KilledBy(SIGSEGV));
    EXPECT_EQ(crash.reports, 0);
}
