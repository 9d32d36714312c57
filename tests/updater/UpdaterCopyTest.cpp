#include "updater/UpdaterCopy.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(UpdaterCopy, TakesTheUpdaterWithItsLibrariesOutAndIsRemovedLater) {
    TempFolder program, temporary;
    program.write("Updater.exe", "updater");
    program.write("Qt6Core.DLL", "core");
    program.write("libstdc++-6.dll", "runtime");
    program.write("platforms/qwindows.dll", "platform");
    program.write("styles/qwindowsvistastyle.dll", "style");
    program.write("affiliate-vantor.exe", "wizard");
    program.write("Templates/Aurora.tem", "template");
    temporary.write("vantor-update-kept/file", "another program's");

    const fs::path copy = CopyUpdaterOut(program.path() / "Updater.exe", temporary.path());
    const fs::path folder = copy.parent_path();
    EXPECT_EQ(folder.parent_path(), temporary.path());
    EXPECT_EQ(ReadAll(copy), "updater");
    EXPECT_EQ(ReadAll(folder / "Qt6Core.DLL"), "core");
    EXPECT_EQ(ReadAll(folder / "libstdc++-6.dll"), "runtime");
    EXPECT_EQ(ReadAll(folder / "platforms" / "qwindows.dll"), "platform");
    EXPECT_EQ(ReadAll(folder / "styles" / "qwindowsvistastyle.dll"), "style");
    EXPECT_FALSE(fs::exists(folder / "affiliate-vantor.exe"));
    EXPECT_FALSE(fs::exists(folder / "Templates"));

    RemoveLeftoverCopies(temporary.path());
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_TRUE(fs::exists(temporary.path() / "vantor-update-kept" / "file"));
}
