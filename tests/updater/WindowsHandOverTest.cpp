// The Windows hand-over's system calls, under Wine: waiting for the wizard to end and running a
// setup program with the administrator prompt.
#include "platform/FileSystem.h"
#include "platform/WindowsElevation.h"
#include "support/TempFolder.h"
#include "updater/SystemInstall.h"
#include "util/files/FileHelpers.h"

#include <gtest/gtest.h>
#include <thread>
#include <windows.h>

using namespace std::chrono_literals;

namespace {

// Stands in for a setup program: records its arguments, or ends with 2 when told nowhere to.
const fs::path Recorder = platform::RunningProgramPath().parent_path() / "record_arguments.exe";

// A name no other test uses.
std::string RunningCopyName() {
    return "AffiliateVantor.Test." + std::to_string(::GetCurrentProcessId());
}

} // namespace

TEST(WindowsHandOver, WaitsForTheWizardToEndWithinALimit) {
    const std::string name = RunningCopyName();
    const std::wstring wide = L"Global\\" + std::wstring(name.begin(), name.end());
    EXPECT_TRUE(platform::WaitUntilRunningCopiesEnd(name, 0ms));
    HANDLE running = ::CreateMutexW(nullptr, FALSE, wide.c_str());
    ASSERT_TRUE(running);
    EXPECT_FALSE(platform::WaitUntilRunningCopiesEnd(name, 300ms));
    std::thread ending([running] {
        std::this_thread::sleep_for(300ms);
        ::CloseHandle(running);
    });
    EXPECT_TRUE(platform::WaitUntilRunningCopiesEnd(name, 10s));
    ending.join();
}

TEST(WindowsHandOver, RunsTheSetupSilentlyAndReportsItsFailure) {
    TempFolder folder;
    const fs::path record = folder.path() / "arguments.txt";
    InstallerPrograms programs;
    programs.runningCopyName = RunningCopyName();
    ::SetEnvironmentVariableW(L"VANTOR_RECORD_FILE", record.c_str());
    InstallUpdateFile(Recorder, programs);
    EXPECT_EQ(ReadAll(record), "/S\n");

    ::SetEnvironmentVariableW(L"VANTOR_RECORD_FILE", nullptr);
    auto failure = [&](const fs::path& setup) {
        try {
            InstallUpdateFile(setup, programs);
        } catch (const AppError& error) {
            return std::string(error.what());
        }
        return std::string();
    };
    EXPECT_EQ(failure(Recorder),
              "The setup program failed with exit code 2, so the update was not installed.");
    const fs::path missing = folder.path() / "setup.exe";
    const std::string why = failure(missing);
    EXPECT_TRUE(
        why.starts_with("The setup program " + PathText(missing) + " could not be started: "))
        << why;
    EXPECT_TRUE(why.ends_with("\nThe installed version stays as it was.")) << why;
}
