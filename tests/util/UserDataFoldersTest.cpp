#include "util/policies/UserDataFolders.h"

#include "support/TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

TEST(UserDataFolders, AWritableProgramFolderKeepsEverything) {
    TempFolder program;
    const UserDataFolders folders = UserDataFoldersOf(program.path());
    EXPECT_EQ(folders.program, program.path());
    EXPECT_EQ(folders.data, program.path());
    EXPECT_EQ(folders.cache, program.path());
}

TEST(UserDataFolders, AnInstalledCopyKeepsTheUsersFilesInTheUsersOwnFolders) {
    TempFolder home;
    // Root may write every folder that exists; one that does not cannot be written by anyone.
    const fs::path installed = home.path() / "opt" / "affiliate-vantor";
    ::setenv("HOME", home.path().c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home.path() / "data").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (home.path() / "cache").c_str(), 1);
    UserDataFolders folders = UserDataFoldersOf(installed);
    EXPECT_EQ(folders.program, installed);
    EXPECT_EQ(folders.data, home.path() / "data" / "affiliate-vantor");
    EXPECT_EQ(folders.cache, home.path() / "cache" / "affiliate-vantor");
    EXPECT_TRUE(fs::is_directory(folders.data));
    EXPECT_TRUE(fs::is_directory(folders.cache));

    // Relative values are ignored, as missing ones are.
    ::setenv("XDG_DATA_HOME", "relative/data", 1);
    ::unsetenv("XDG_CACHE_HOME");
    folders = UserDataFoldersOf(installed);
    EXPECT_EQ(folders.data, home.path() / ".local" / "share" / "affiliate-vantor");
    EXPECT_EQ(folders.cache, home.path() / ".cache" / "affiliate-vantor");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(UserDataFoldersOf(installed).data, folders.data);
    EXPECT_TRUE(fs::is_directory(folders.data));
    EXPECT_FALSE(fs::exists(installed));

    // A setup program's copy keeps to the user's folders even where its folder can be written.
    fs::create_directories(installed);
    std::ofstream(installed / InstalledCopyMarker).put('\n');
    EXPECT_EQ(UserDataFoldersOf(installed).data, folders.data);
    EXPECT_EQ(UserDataFoldersOf(installed).cache, folders.cache);
}
