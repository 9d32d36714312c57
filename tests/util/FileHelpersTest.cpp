#include "util/FileHelpers.h"

#include "support/TempFolder.h"
#include "util/AppError.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

TEST(FileHelpers, AtomicWriteReplacesAndLeavesNoTemporaryFiles) {
    TempFolder folder;
    auto file = folder.path() / "page.htm";
    WriteFileAtomically(file, "first");
    WriteFileAtomically(file, "second");
    EXPECT_EQ(ReadAll(file), "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(FileHelpers, FailedWriteKeepsThePreviousFileAndNamesIt) {
    TempFolder folder;
    auto file = folder.write("settings.dat", "old");
    // A file-size limit makes the write fail part-way, whoever runs the test.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &small);
    std::string message;
    try {
        WriteFileAtomically(file, "new content that does not fit");
    } catch (const AppError& error) {
        message = error.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(message, "Cannot create file \"" + file.string() + "\". File too large");
    EXPECT_EQ(ReadAll(file), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
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
