#include "update/UpdateDescription.h"

#include "update/UpdateFixtures.h"

#include <gtest/gtest.h>

namespace {

const std::string Hash(64, 'a');

std::string WithWindowsFile(const std::string& fields) {
    return "[APPLICATION]\nVersion=1.02\n[WINDOWS]\n" + fields;
}

} // namespace

TEST(UpdateDescription, ReadsVersionFilesAndNotesInAnyLetterCase) {
    const UpdateDescription update =
        ParseUpdateDescription("[application]\nVERSION=1.02\nName = 'Affiliate Vantor'\n"
                               "[notes]\n\n  Faster pages.\r\n\r\nSigned updates.\n\n"
                               "[linux]\npackage=vantor_1.02+deb12u1_amd64.deb\nsize=0\nsha256=" +
                               std::string(64, 'F') + "\n[Windows]\nSigned=no\n");
    EXPECT_EQ(update.version, "1.02");
    EXPECT_EQ(update.name, "Affiliate Vantor");
    EXPECT_EQ(update.releaseNotes, "  Faster pages.\n\nSigned updates.");
    ASSERT_EQ(update.files.size(), 1u);
    ASSERT_EQ(FileForSystem(update, "WINDOWS"), nullptr);
    const UpdateFile* linux = FileForSystem(update, "LINUX");
    ASSERT_NE(linux, nullptr);
    EXPECT_EQ(linux->name, "vantor_1.02+deb12u1_amd64.deb");
    EXPECT_EQ(linux->size, 0u);
    EXPECT_EQ(linux->sha256, std::string(64, 'f'));
#ifdef _WIN32
    EXPECT_EQ(FileForThisSystem(update), nullptr);
#else
    EXPECT_EQ(FileForThisSystem(update), linux);
#endif

    // A description for older programs offers no file.
    const UpdateDescription older = ParseUpdateDescription("[APPLICATION]\r\nVersion=1.02\r\n");
    EXPECT_TRUE(older.files.empty());
    EXPECT_EQ(older.releaseNotes, "");
}

TEST(UpdateDescription, RefusesWhatCouldNotBeInstalledSafely) {
    const std::string notPlain = "is not a plain file name.";
    const std::pair<std::string, std::string> cases[] = {
        {"[APPLICATION]\nName=Vantor\n", "The update description holds no version."},
        {WithWindowsFile("Setup=../setup.exe\nSize=1\nSHA256=" + Hash), notPlain},
        {WithWindowsFile("Setup=updates/setup.exe\nSize=1\nSHA256=" + Hash), notPlain},
        {WithWindowsFile("Setup=C:setup.exe\nSize=1\nSHA256=" + Hash), notPlain},
        {WithWindowsFile("Setup=.setup.exe\nSize=1\nSHA256=" + Hash), notPlain},
        {WithWindowsFile("Setup=-setup.exe\nSize=1\nSHA256=" + Hash), notPlain},
        {WithWindowsFile("Setup=set..up.exe\nSize=1\nSHA256=" + Hash), notPlain},
        {WithWindowsFile("Setup=my setup.exe\nSize=1\nSHA256=" + Hash), notPlain},
        {WithWindowsFile("Setup=setup.exe\nSHA256=" + Hash), "[WINDOWS] Setup has no Size."},
        {WithWindowsFile("Setup=setup.exe\nSize=1\n"), "[WINDOWS] Setup has no SHA256."},
        {WithWindowsFile("Size=1\nSHA256=" + Hash),
         "[WINDOWS] gives a Size or SHA256 but no Setup."},
        {WithWindowsFile("Setup=setup.exe\nSize=1e3\nSHA256=" + Hash),
         "Size \"1e3\" is not a number"},
        {WithWindowsFile("Setup=setup.exe\nSize=18446744073709551616\nSHA256=" + Hash),
         "is not a number of bytes."},
        {WithWindowsFile("Setup=setup.exe\nSize=1073741825\nSHA256=" + Hash),
         "[WINDOWS] Size 1073741825 is larger than 1 GiB, the most an update file may be."},
        {WithWindowsFile("Setup=setup.exe\nSize=1\nSHA256=" + Hash.substr(1) + "g"),
         "[WINDOWS] SHA256 is not 64 hexadecimal digits."},
    };
    for (const auto& [description, reason] : cases) {
        const std::string refusal = RefusalOf([&] { ParseUpdateDescription(description); });
        EXPECT_NE(refusal.find(reason), std::string::npos) << description << "\ngave: " << refusal;
    }
}
