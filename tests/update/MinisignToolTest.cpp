// What Debian's minisign makes, as a shipper makes it, verified by the program.
#include "support/RunQuietly.h"
#include "update/SignedUpdate.h"
#include "update/UpdateFixtures.h"

#include <gtest/gtest.h>

namespace {

// Runs minisign with Arguments in Folder, its output thrown away; its exit status.
int Minisign(const fs::path& folder, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), VANTOR_MINISIGN);
    return RunQuietly(folder, std::move(arguments));
}

// A key pair without a password, made as a shipper makes one: the second line of the public
// key file, and the ID minisign gives it in the first.
struct KeyPair {
    std::string publicKey;
    std::string id;
};

KeyPair MakeKeyPair(const fs::path& folder, const std::string& name) {
    EXPECT_EQ(Minisign(folder, {"-G", "-W", "-p", name + ".pub", "-s", name + ".key"}), 0);
    const std::string file = ReadAll(folder / (name + ".pub"));
    const std::size_t lineEnd = file.find('\n');
    const std::size_t idStart = file.rfind(' ', lineEnd) + 1;
    return {file.substr(lineEnd + 1), file.substr(idStart, lineEnd - idStart)};
}

} // namespace

TEST(MinisignTool, WhatMinisignSignsVerifiesWithItsKeyOnly) {
    TempFolder folder;
    const KeyPair shipper = MakeKeyPair(folder.path(), "shipper");
    const KeyPair other = MakeKeyPair(folder.path(), "other");
    const fs::path description =
        folder.write("mainappupdate.inf", "[APPLICATION]\nName=Affiliate Vantor\nVersion=1.02\n");
    const fs::path signature = folder.path() / UpdateSignatureFileName;

    // minisign's default (prehashed), then its legacy form, with a trusted comment of our own.
    ASSERT_EQ(Minisign(folder.path(), {"-S", "-s", "shipper.key", "-m", "mainappupdate.inf"}), 0);
    const VerifiedUpdate update = ReadSignedUpdateFiles(description, signature, shipper.publicKey);
    EXPECT_NE(update.trustedComment.find("file:mainappupdate.inf"), std::string::npos);
    EXPECT_EQ(update.keyId, shipper.id);
    EXPECT_EQ(update.description.version, "1.02");
    ASSERT_EQ(Minisign(folder.path(), {"-S", "-l", "-s", "shipper.key", "-m", "mainappupdate.inf",
                                       "-t", "release 1.02"}),
              0);
    EXPECT_EQ(ReadSignedUpdateFiles(description, signature, shipper.publicKey).trustedComment,
              "release 1.02");

    ASSERT_EQ(Minisign(folder.path(), {"-S", "-s", "other.key", "-m", "mainappupdate.inf"}), 0);
    EXPECT_EQ(RefusalOf([&] { ReadSignedUpdateFiles(description, signature, shipper.publicKey); }),
              "The update description was signed with the key " + other.id +
                  ", not with this program's update key " + shipper.id + ".");
    folder.write("mainappupdate.inf", "[APPLICATION]\nName=Affiliate Vantor\nVersion=9.99\n");
    EXPECT_EQ(RefusalOf([&] { ReadSignedUpdateFiles(description, signature, other.publicKey); }),
              "The update description does not match its signature.");
}
