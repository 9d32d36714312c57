#include "util/files/IniFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(IniFile, MatchesNamesWithoutCaseAndCleansTheValue) {
    auto ini = IniFile::FromText("Key=before any section\r\n"
                                 "[Other]\nKey=other\n"
                                 "  [settings]  \r\n"
                                 " appname =  \"My Tool\"  \r\n"
                                 "Single='it''s'\n"
                                 "Half=\"open\n"
                                 "Url=http://x/?a=b=c\n"
                                 "[Third]\nKey=third\n");
    EXPECT_EQ(ini.ReadString("SETTINGS", "AppName"), "My Tool");
    EXPECT_EQ(ini.ReadString("Settings", "Single"), "it''s");
    EXPECT_EQ(ini.ReadString("Settings", "Half"), "\"open");
    EXPECT_EQ(ini.ReadString("Settings", "Url"), "http://x/?a=b=c");
    EXPECT_EQ(ini.ReadString("Settings", "Key"), "");
    EXPECT_EQ(ini.ReadString("Third", "key"), "third");
}

TEST(IniFile, CutsLongValuesAndReadsMissingPiecesAsEmpty) {
    TempFolder folder;
    auto path = folder.write("x.ini", "[S]\nLong=" + std::string(3000, 'v') + "\nEmpty=\n");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("S", "Long"), std::string(2047, 'v'));
    EXPECT_EQ(ini.ReadString("S", "Empty"), "");
    EXPECT_EQ(ini.ReadString("S", "Missing"), "");
    EXPECT_EQ(ini.ReadString("Missing", "Long"), "");
    EXPECT_EQ(IniFile(folder.path() / "none.ini").ReadString("S", "Long"), "");
}
