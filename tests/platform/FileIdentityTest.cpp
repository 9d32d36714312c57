#include "platform/FileSystem.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(FileIdentity, NamesOneFileWhateverTheSpellingAndNothingWhereNoneIs) {
    TempFolder folder;
    const fs::path page = folder.write("Output/a.htm", "page");
    const fs::path other = folder.write("Output/b.htm", "page");
    const auto identity = platform::FileIdentity(page);
    ASSERT_TRUE(identity);
    EXPECT_EQ(platform::FileIdentity(folder.path() / "Output" / "." / "a.htm"), identity);
    EXPECT_NE(platform::FileIdentity(other), identity);
    EXPECT_NE(platform::FileIdentity(folder.path() / "Output"), identity);
    EXPECT_EQ(platform::FileIdentity(folder.path() / "Output" / "c.htm"), std::nullopt);
#ifdef _WIN32
    EXPECT_EQ(platform::FileIdentity(folder.path() / "OUTPUT" / "A.HTM"), identity);
#else
    std::error_code linked;
    fs::create_directory_symlink(folder.path() / "Output", folder.path() / "linked", linked);
    ASSERT_FALSE(linked) << linked.message();
    EXPECT_EQ(platform::FileIdentity(folder.path() / "linked" / "a.htm"), identity);
#endif
}
