#include "util/files/FileHelpers.h"

#include "support/ChildProcess.h"
#include "support/TempFolder.h"
#include "util/AppError.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

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
    EXPECT_EQ(message, "Cannot create file \"" + file.string() + "\". File too large.");
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
                  "Cannot open file \"" + file.string() + "\". No such file or directory.");
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

TEST(FileHelpers, WriteProtectedFileIsRefusedAndAReplacedFileKeepsItsPermissions) {
    TempFolder folder;
    auto locked = folder.write("locked.dat", "old");
    auto shared = folder.write("shared.htm", "old");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read);
    fs::permissions(shared, fs::perms(0640));
    // Root may write anything, so the checks run as an ordinary user in a child.
    const std::string outcome = RunInChild([&] {
        if (!BecomeOrdinaryUser(folder.path()))
            return 77;
        try {
            WriteFileAtomically(locked, "new");
            return 1;
        } catch (const AppError& error) {
            if (std::string(error.what()) !=
                "Cannot create file \"" + locked.string() + "\". Permission denied.")
                return 2;
        }
        WriteFileAtomically(shared, "new");
        return 0;
    });
    if (outcome == "exit 77")
        GTEST_SKIP() << "cannot run as an ordinary user here";
    EXPECT_EQ(outcome, "exit 0");
    EXPECT_EQ(ReadAll(locked), "old");
    EXPECT_EQ(ReadAll(shared), "new");
    EXPECT_EQ(fs::status(shared).permissions(), fs::perms(0640));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

TEST(FileHelpers, LongestLegalNameIsWritten) {
    TempFolder folder;
    const auto file = folder.path() / std::string(255, 'n');
    WriteFileAtomically(file, "x");
    EXPECT_EQ(ReadAll(file), "x");
}

TEST(FileHelpers, FileSizeLimitFailsTheWriteWithoutEndingTheProgram) {
    TempFolder folder;
    auto file = folder.write("page.htm", "old");
    const std::string outcome = RunInChild([&] {
        rlimit small{4, 4};
        setrlimit(RLIMIT_FSIZE, &small);
        try {
            WriteFileAtomically(file, "more than four bytes");
        } catch (const AppError&) {
            return 0;
        }
        return 1;
    });
    EXPECT_EQ(outcome, "exit 0");
    EXPECT_EQ(ReadAll(file), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(FileHelpers, FoldersAndSpecialFilesAreNamedForWhatTheyAre) {
    TempFolder folder;
    const auto fifo = folder.path() / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto openError = [](const fs::path& path) {
        try {
            ReadFileBytes(path);
        } catch (const AppError& error) {
            return std::string(error.what());
        }
        return std::string("read");
    };
    // A FIFO without a writer would block an open for reading.
    EXPECT_EQ(openError(fifo), "Cannot open file \"" + fifo.string() + "\". Not a regular file.");
    EXPECT_EQ(openError(folder.path()),
              "Cannot open file \"" + folder.path().string() + "\". Is a directory.");
    EXPECT_EQ(WhyNotAFile("/dev/null"), "Not a regular file");
    EXPECT_EQ(WhyNotAFolder(fifo), "Not a directory");
    EXPECT_THROW(WriteFileAtomically(fifo, "x"), AppError);
    EXPECT_TRUE(fs::is_fifo(fifo));
}
