#include "persistence/SettingsFile.h"
#include "support/TempFolder.h"
#include "util/AppError.h"
#include "util/files/FileHelpers.h"
#include "util/text/UUtils.h"
#include "util/policies/BrowserLauncher.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <windows.h>

namespace {

// Waits for a file another process writes, for at most ten seconds.
std::string WaitForFile(const fs::path& file) {
    for (int i = 0; i < 200; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::string text = FileExists(file) ? ReadAll(file) : std::string();
        if (!text.empty() && text.back() == '\n')
            return text;
    }
    return {};
}

} // namespace

// test-windows.sh registers the recording program as the http handler of a scratch prefix.
TEST(WindowsPlatform, TheRegisteredBrowserReceivesTheAddressWhole) {
    if (!std::getenv("VANTOR_REGISTRY_BROWSER"))
        GTEST_SKIP() << "no recording browser registered (run scripts/test-windows.sh)";
    TempFolder folder;
    const fs::path record = folder.path() / "arguments.txt";
    ::SetEnvironmentVariableA("VANTOR_RECORD_FILE", PathText(record).c_str());
    ASSERT_TRUE(OpenURLInBrowser("http://example.com/?id=joe 1&say=\"hi\"\\"));
    EXPECT_EQ(WaitForFile(record), "http://example.com/?id=joe 1&say=\"hi\"\\\n");
}

TEST(WindowsPlatform, AnsiSettingsFileWithAccentsRoundTrips) {
    TempFolder folder;
    TAffManager project;
    project.Title = "Caf\xe9 cr\xe8me \x80 offers";
    project.OutputFileName = "p\xe2te.htm";
    project.Anchors = {"Na\xefve link"};
    const fs::path file = folder.path() / PathOf("r\xe9glages.dat");
    SaveSettingsFile(file, project);
    EXPECT_EQ(ReadAll(file).find("Caf\xe9 cr\xe8me \x80 offers") != std::string::npos, true);
    auto loaded = LoadSettingsFile(file);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, project);
}

TEST(WindowsPlatform, ReadOnlyPageIsRefusedAndKept) {
    TempFolder folder;
    const fs::path page = folder.path() / "page.htm";
    WriteFileAtomically(page, "old");
    ASSERT_TRUE(::SetFileAttributesW(page.c_str(), FILE_ATTRIBUTE_READONLY));
    try {
        WriteFileAtomically(page, "new");
        FAIL() << "a read-only page was replaced";
    } catch (const AppError& error) {
        EXPECT_EQ(
            std::string(error.what()).rfind("Cannot create file \"" + PathText(page) + "\". ", 0),
            0u)
            << error.what();
    }
    EXPECT_EQ(ReadAll(page), "old");
    ::SetFileAttributesW(page.c_str(), FILE_ATTRIBUTE_NORMAL);
}
