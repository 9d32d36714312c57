#include "update/DownloadedFileCheck.h"

#include "update/Sha256File.h"
#include "update/UpdateFixtures.h"

#include <gtest/gtest.h>

TEST(DownloadedFileCheck, HashesWholeFilesPieceByPiece) {
    TempFolder folder;
    const std::pair<std::string, std::string> known[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // Many reads long.
        {std::string(1'000'000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& [bytes, sha256] : known) {
        const FileDigest digest = Sha256OfFile(folder.write("file", bytes));
        EXPECT_EQ(digest.sha256, sha256);
        EXPECT_EQ(digest.size, bytes.size());
    }
}

TEST(DownloadedFileCheck, OnlyTheSignedFileIsKept) {
    TempFolder folder;
    const std::string sha256 = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    const fs::path file = folder.write("setup.exe", "abc");
    // Hexadecimal digits in either case.
    CheckDownloadedFile(file, 3,
                        "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD");
    EXPECT_TRUE(fs::exists(file));

    const std::pair<std::string, std::string> wrong[] = {
        {"abcd", "The downloaded file \"setup.exe\" is 4 bytes, not the signed 3."},
        {"ab", "The downloaded file \"setup.exe\" is 2 bytes, not the signed 3."},
        {"abd", "The downloaded file \"setup.exe\" does not have the signed SHA-256: its bytes "
                "differ from the signed file's."},
    };
    for (const auto& [bytes, refusal] : wrong) {
        folder.write("setup.exe", bytes);
        EXPECT_EQ(RefusalOf([&] { CheckDownloadedFile(file, 3, sha256); }), refusal);
        EXPECT_FALSE(fs::exists(file)) << bytes;
    }
    EXPECT_EQ(RefusalOf([&] { CheckDownloadedFile(file, 3, sha256); }),
              "The downloaded file \"setup.exe\" is missing.");
}
