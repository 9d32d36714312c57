#include "generator/PreviewCopies.h"
#include "persistence/RecoveryCopy.h"
#include "platform/PrivateFolder.h"
#include "support/TempFolder.h"
#include "util/AppError.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

fs::perms PermissionsOf(const fs::path& path) {
    return fs::symlink_status(path).permissions();
}

const auto OwnerReadWrite = fs::perms::owner_read | fs::perms::owner_write;

} // namespace

TEST(PrivateFolder, IsMadeForTheUserAloneWhateverTheMask) {
    TempFolder parent;
    const fs::path folder = parent.path() / "state" / "affiliate-vantor";
    const mode_t saved = ::umask(0);
    EXPECT_EQ(platform::PreparePrivateFolder(folder), "");
    ::umask(saved);
    EXPECT_EQ(PermissionsOf(folder), fs::perms::owner_all);
}

TEST(PrivateFolder, AFolderOthersMayOnlyReadIsClosedToThem) {
    TempFolder parent;
    const fs::path folder = parent.path() / "crashes";
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_exec);
    EXPECT_EQ(platform::PreparePrivateFolder(folder), "");
    EXPECT_EQ(PermissionsOf(folder), fs::perms::owner_all);
}

TEST(PrivateFolder, ALinkAFolderOthersMayChangeAndAnotherUsersFolderAreRefused) {
    TempFolder parent;
    const fs::path open = parent.path() / "open";
    fs::create_directory(open);
    fs::permissions(open, fs::perms::all);
    EXPECT_EQ(platform::PreparePrivateFolder(open), "Other users may change what is in it.");
    EXPECT_EQ(PermissionsOf(open), fs::perms::all);

    const fs::path target = parent.path() / "target";
    fs::create_directory(target);
    fs::permissions(target, fs::perms::owner_all);
    const fs::path link = parent.path() / "link";
    fs::create_directory_symlink(target, link);
    EXPECT_EQ(platform::PreparePrivateFolder(link), "It is a link, not a folder of its own.");

    const fs::path file = parent.write("file", "");
    EXPECT_EQ(platform::PreparePrivateFolder(file), "Not a directory");

    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a folder to another user";
    const fs::path others = parent.path() / "others";
    fs::create_directory(others);
    fs::permissions(others, fs::perms::owner_all);
    ASSERT_EQ(::chown(others.c_str(), 65534, 65534), 0);
    EXPECT_EQ(platform::PreparePrivateFolder(others), "It belongs to another user.");
}

TEST(PrivateFolder, TheRecoveryCopyTakesNoFolderOthersCouldChangeOrRedirect) {
    TempFolder parent;
    const fs::path open = parent.path() / "open";
    fs::create_directory(open);
    fs::permissions(open, fs::perms::all);
    // A copy that someone else could have put there is not offered as the user's work.
    const fs::path planted = open / "recovery-abcdef.dat";
    std::ofstream(planted) << "<%%AfTitle%%>planted<%%/AfTitle%%>";
    EXPECT_FALSE(ClaimOrphanedRecovery(open));
    try {
        RecoveryCopy refused(open);
        ADD_FAILURE() << "a folder others may change was taken";
    } catch (const AppError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file \"" + open.string() +
                                                 "\". Other users may change what is in it.");
    }

    const fs::path link = parent.path() / "link";
    fs::create_directory_symlink(parent.path(), link);
    EXPECT_THROW(RecoveryCopy{link}, AppError);
    EXPECT_EQ(std::distance(fs::directory_iterator(parent.path()), {}), 2);
}

TEST(PrivateFolder, TheRecoveryCopyAndItsProjectNameAreTheUsersAlone) {
    TempFolder parent;
    const fs::path folder = parent.path() / "affiliate-vantor";
    RecoveryCopy copy(folder);
    TAffManager project;
    project.Title = "private";
    copy.Write(project);
    copy.Flush();
    copy.NameProject(parent.path() / "shoes.vantor");
    EXPECT_EQ(PermissionsOf(folder), fs::perms::owner_all);
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(PermissionsOf(entry.path()), OwnerReadWrite) << entry.path();
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 3);
    copy.Discard();
}

TEST(PrivateFolder, AnOpenFileIsKnownToBeGoneOrReplaced) {
    TempFolder folder;
    platform::File file;
    fs::path created;
    ASSERT_FALSE(platform::CreateUniqueFile(folder.path(), "lock-", file, created));
    EXPECT_TRUE(platform::IsFileAt(file, created));
    fs::remove(created);
    EXPECT_FALSE(platform::IsFileAt(file, created));
    folder.write(created.filename().string(), "another");
    EXPECT_FALSE(platform::IsFileAt(file, created));
}

TEST(PrivateFolder, APreviewCopyNeverGoesIntoAFolderOthersMayChange) {
    TempFolder parent;
    PreviewCopies copies(parent.path());
    const fs::path first = copies.Write("one");
    // Someone opened the folder to all, or put a link to a folder of theirs in its place.
    fs::permissions(first.parent_path(), fs::perms::all);
    const fs::path second = copies.Write("two");
    EXPECT_NE(second.parent_path(), first.parent_path());
    EXPECT_EQ(PermissionsOf(second.parent_path()), fs::perms::owner_all);
    EXPECT_EQ(PermissionsOf(second), OwnerReadWrite);
}
