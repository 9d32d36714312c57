#include "platform/TemporaryFolder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(TemporaryFolder, PrivateFolderIsTheOwnersAloneWhateverTheMask) {
    TempFolder parent;
    const mode_t saved = ::umask(0);
    const fs::path folder = platform::CreatePrivateFolder(parent.path(), "p-");
    ::umask(saved);
    EXPECT_EQ(folder.parent_path(), parent.path());
    EXPECT_TRUE(folder.filename().string().starts_with("p-"));
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
    EXPECT_THROW(platform::CreatePrivateFolder(parent.path() / "missing", "p-"), std::system_error);
}
