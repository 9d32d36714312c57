#include "update/SignedUpdate.h"

#include "update/MinisignFormat.h"
#include "update/UpdateFixtures.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace {

const std::string Description = UpdateFixture("mainappupdate.inf");
const std::string Prehashed = UpdateFixture("mainappupdate.inf.minisig");
const std::string Legacy = UpdateFixture("mainappupdate.inf.legacy.minisig");
const std::string Key = UpdateFixture("update-key.txt");

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

} // namespace

TEST(SignedUpdate, BothMinisignAlgorithmsVerifyAndReadTheDescription) {
    for (const auto& [signature, comment] :
         {std::pair{Prehashed, "fixture, prehashed"}, std::pair{Legacy, "fixture, legacy"}}) {
        const VerifiedUpdate update = ReadSignedUpdate(Description, signature, Key);
        EXPECT_EQ(update.trustedComment, comment);
        EXPECT_EQ(update.keyId, "14F76D507D471EAB");
        EXPECT_EQ(update.description.version, "1.02");
        EXPECT_EQ(update.description.releaseNotes, "Signed updates.\nFaster pages.");
        ASSERT_EQ(update.description.files.size(), 2u);
        EXPECT_EQ(update.description.files[0].name, "affiliate-vantor-1.02-windows-x64-setup.exe");
        EXPECT_EQ(update.description.files[0].size, WindowsSetupBytes.size());
        EXPECT_EQ(update.description.files[1].name, "affiliate-vantor_1.02_amd64.deb");
    }
}

TEST(SignedUpdate, AnotherKeyOrAChangedByteIsRefused) {
    EXPECT_EQ(
        RefusalOf([] { ReadSignedUpdate(Description, Prehashed, UpdateFixture("other-key.txt")); }),
        "The update description was signed with the key 14F76D507D471EAB, not with this "
        "program's update key D4E4640BBBF416CE.");
    const std::string notSigned = "The update description does not match its signature.";
    EXPECT_EQ(RefusalOf([] {
                  ReadSignedUpdate(Description, Prehashed, UpdateFixture("same-id-other-key.txt"));
              }),
              notSigned);
    const std::string changed = Replaced(Description, "Version=1.02", "Version=1.03");
    const std::string oneMore = Description + "\n";
    for (const auto& signature : {Prehashed, Legacy}) {
        EXPECT_EQ(RefusalOf([&] { ReadSignedUpdate(changed, signature, Key); }), notSigned);
        EXPECT_EQ(RefusalOf([&] { ReadSignedUpdate(oneMore, signature, Key); }), notSigned);
    }
    EXPECT_EQ(RefusalOf([] {
                  ReadSignedUpdate(Description, Replaced(Prehashed, "prehashed", "prehashes"), Key);
              }),
              "The trusted comment of the update signature does not match its signature.");
}

TEST(SignedUpdate, MalformedOrMissingSignaturesAndKeysAreRefused) {
    // The fixture's four lines, without their line ends.
    std::vector<std::string> lines;
    std::istringstream text(Prehashed);
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 4u);
    auto joined = [](std::string a, std::string b, std::string c, std::string d) {
        return a + "\r\n" + b + "\r\n" + c + "\r\n" + d;
    };
    // CR LF line ends are read too: this one verifies.
    EXPECT_EQ(ReadSignedUpdate(Description, joined(lines[0], lines[1], lines[2], lines[3]), Key)
                  .trustedComment,
              "fixture, prehashed");
    const std::string malformed = "The update signature is not a minisign signature: ";
    const std::pair<std::string, std::string> cases[] = {
        {"", "it has fewer than four lines."},
        {"untrusted comment: x\nRUSr\n", "it has fewer than four lines."},
        {joined("comment: x", lines[1], lines[2], lines[3]),
         "its first line does not start with \"untrusted comment: \"."},
        {joined(lines[0], "RUSr$$", lines[2], lines[3]),
         "its second line is not the base64 of a signature."},
        {joined(lines[0], lines[1].substr(0, 96), lines[2], lines[3]),
         "its second line is not the base64 of a signature."},
        {joined(lines[0], "WH" + lines[1].substr(2), lines[2], lines[3]),
         "it names an algorithm other than Ed25519."},
        {joined(lines[0], lines[1], "comment: fixture", lines[3]),
         "its third line does not start with \"trusted comment: \"."},
        {joined(lines[0], lines[1], lines[2], lines[3].substr(4)),
         "its fourth line is not the base64 of a signature."},
    };
    for (const auto& [signature, reason] : cases)
        EXPECT_EQ(RefusalOf([&] { ReadSignedUpdate(Description, signature, Key); }),
                  malformed + reason)
            << signature;

    EXPECT_EQ(RefusalOf([] { ReadSignedUpdate(Description, Prehashed, " \n"); }),
              "This program was built without an update key, so it cannot check an update's "
              "signature.");
    for (const std::string& key : {Key.substr(1), Prehashed, std::string("RWSr")})
        EXPECT_EQ(RefusalOf([&] { ReadSignedUpdate(Description, Prehashed, key); }),
                  "The update key is not a minisign public key (the base64 line of minisign.pub).");

    TempFolder folder;
    const fs::path description = folder.write("mainappupdate.inf", Description);
    EXPECT_EQ(RefusalOf([&] {
                  ReadSignedUpdateFiles(description, folder.path() / UpdateSignatureFileName, Key);
              }),
              "The update signature mainappupdate.inf.minisig is missing.");
    const fs::path signature = folder.write(UpdateSignatureFileName, Prehashed);
    EXPECT_EQ(ReadSignedUpdateFiles(description, signature, Key).description.version, "1.02");
}

TEST(SignedUpdate, TextsLargerThanTheirLimitsAreRefusedUnread) {
    // One byte over the limit is refused before the signature is looked at; at the limit, the
    // signature decides.
    const std::string longDescription =
        Description + std::string(64 * 1024 - Description.size() + 1, ';');
    EXPECT_EQ(RefusalOf([&] { ReadSignedUpdate(longDescription, Prehashed, Key); }),
              "The update description is larger than 64 KiB, the most it may be.");
    EXPECT_EQ(RefusalOf([&] { ReadSignedUpdate(longDescription.substr(1), Prehashed, Key); }),
              "The update description does not match its signature.");
    const std::string longSignature = Prehashed + std::string(16 * 1024, '\n');
    EXPECT_EQ(RefusalOf([&] { ReadSignedUpdate(Description, longSignature, Key); }),
              "The update signature is larger than 16 KiB, the most it may be.");

    TempFolder folder;
    EXPECT_EQ(RefusalOf([&] {
                  ReadSignedUpdateFiles(folder.write("mainappupdate.inf", longDescription),
                                        folder.write(UpdateSignatureFileName, Prehashed), Key);
              }),
              "The update description is larger than 64 KiB, the most it may be.");
}

TEST(SignedUpdate, KeyIdsReadAsMinisignPrintsThem) {
    // Stored little-endian; minisign prints the number without leading zeros.
    EXPECT_EQ(KeyIdText({0xA1, 0xBE, 0x33, 0xFF, 0x64, 0xBC, 0xE9, 0x08}), "8E9BC64FF33BEA1");
    EXPECT_EQ(KeyIdText({0xE6, 0xD2, 0xB9, 0x3C, 0x5D, 0xFB, 0x02, 0x61}), "6102FB5D3CB9D2E6");
    EXPECT_EQ(KeyIdText({}), "0");
}
