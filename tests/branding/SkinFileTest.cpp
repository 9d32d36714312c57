#include "branding/SkinFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(SkinFile, PacksAZlibStreamThatUnpacksToTheStyleSheet) {
    const std::string sheet = "QWidget { color: #123456; } /* ünïcode */\n";
    const std::string packed = PackSkin(sheet);
    // RFC 1950: deflate with a 32 KiB window, and a header whose check bits make it a multiple
    // of 31.
    ASSERT_GE(packed.size(), 6u);
    EXPECT_EQ(static_cast<unsigned char>(packed[0]), 0x78);
    EXPECT_EQ(
        (static_cast<unsigned char>(packed[0]) * 256 + static_cast<unsigned char>(packed[1])) % 31,
        0);
    EXPECT_EQ(UnpackSkin(packed), sheet);
}

TEST(SkinFile, YieldsNothingForBytesThatAreNoSkin) {
    const std::string packed = PackSkin("QWidget { color: red; }");
    EXPECT_FALSE(UnpackSkin(""));
    EXPECT_FALSE(UnpackSkin("QWidget { color: red; }"));
    EXPECT_FALSE(UnpackSkin(packed.substr(0, packed.size() - 3)));
    EXPECT_FALSE(UnpackSkin(PackSkin("")));
    EXPECT_FALSE(UnpackSkin(PackSkin(std::string(17 * 1024 * 1024, ' '))));
    TempFolder folder;
    EXPECT_FALSE(ReadSkinFile(folder.path() / "dbskin.dat"));
    EXPECT_EQ(ReadSkinFile(folder.write("dbskin.dat", packed)), "QWidget { color: red; }");
}
