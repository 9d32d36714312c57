#include "util/FileHelpers.h"

#include "support/TempFolder.h"
#include "util/AppError.h"

#include <gtest/gtest.h>
#include <unistd.h>

TEST(FileHelpers, AtomicWriteReplacesAndLeavesNoTemporaryFiles) {
    TempFolder folder;
    auto file = folder.path() / "page.htm";
    WriteFileAtomically(file, "first");
    WriteFileAtomically(file, "second");
    EXPECT_EQ(ReadAll(file), "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(FileHelpers, FailedWriteKeepsThePreviousFileAndNamesIt) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    TempFolder folder;
    auto file = folder.write("settings.dat", "old");
    fs::permissions(folder.path(), fs::perms::owner_write, fs::perm_options::remove);
    try {
        WriteFileAtomically(file, "new");
        FAIL() << "the write should fail";
    } catch (const AppError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create file \"" + file.string() + "\". Permission denied");
    }
    fs::permissions(folder.path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(ReadAll(file), "old");
}

TEST(FileHelpers, WritingOverAFolderFailsWithTheCreateMessage) {
    TempFolder folder;
    fs::create_directory(folder.path() / "taken");
    EXPECT_THROW(WriteFileAtomically(folder.path() / "taken", "x"), AppError);
    EXPECT_THROW(WriteFileAtomically(folder.path() / "missing" / "x", "x"), AppError);
}

TEST(FileHelpers, ReadingAMissingFileNamesItAndTheReason) {
    TempFolder folder;
    auto file = folder.path() / "none.dat";
    try {
        ReadFileBytes(file);
        FAIL() << "the read should fail";
    } catch (const AppError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open file \"" + file.string() + "\". No such file or directory");
    }
}

TEST(FileHelpers, FindsNamesWithoutRegardToCasePreferringTheExactOne) {
    TempFolder folder;
    folder.write("Blue.tem", "upper");
    EXPECT_EQ(FindInFolderIgnoringCase(folder.path(), "blue.TEM")->filename(), "Blue.tem");
    folder.write("blue.tem", "lower");
    EXPECT_EQ(FindInFolderIgnoringCase(folder.path(), "blue.tem")->filename(), "blue.tem");
    EXPECT_FALSE(FindInFolderIgnoringCase(folder.path(), "green.tem"));
    EXPECT_FALSE(FindInFolderIgnoringCase(folder.path() / "none", "x"));
}
