#include "platform/DesktopEntry.h"

#include <gtest/gtest.h>

using platform::ApplicationFolders;
using platform::DesktopEntryExec;
using platform::ProgramOfExec;

using Folders = std::vector<std::filesystem::path>;

TEST(DesktopEntry, SearchesTheUsersFolderThenTheSystems) {
    EXPECT_EQ(ApplicationFolders("/data", "/home/u", "/a:/b"),
              (Folders{"/data/applications", "/a/applications", "/b/applications"}));
    EXPECT_EQ(ApplicationFolders(nullptr, "/home/u", ""),
              (Folders{"/home/u/.local/share/applications", "/usr/local/share/applications",
                       "/usr/share/applications"}));
    // Relative folders and empty entries are ignored.
    EXPECT_EQ(ApplicationFolders("relative", "/home/u", "::rel:/x"),
              (Folders{"/home/u/.local/share/applications", "/x/applications"}));
}

TEST(DesktopEntry, ReadsExecOfTheMainGroupOnly) {
    EXPECT_EQ(DesktopEntryExec("Exec=before-any-group\n"
                               "[Desktop Action new-window]\nExec=action %u\n"
                               "[Desktop Entry]\r\nName=Browser\r\nTryExec=br\r\n"
                               " Exec = \"/opt/my\\sbrowser/br\" %u \r\n"),
              "\"/opt/my browser/br\" %u");
    EXPECT_EQ(DesktopEntryExec("[Desktop Entry]\nName=No command\n"), "");
    // Both escaping levels, as our own menu entry writes a folder named "my $apps".
    EXPECT_EQ(ProgramOfExec(DesktopEntryExec("[Desktop Entry]\nExec=\"/opt/my \\\\$apps/av\"\n")),
              "/opt/my $apps/av");
}

TEST(DesktopEntry, TheProgramIsTheFirstWordUnquotedWithoutFieldCodes) {
    EXPECT_EQ(ProgramOfExec("\"/opt/My Browser/br\" --new-window %u"), "/opt/My Browser/br");
    EXPECT_EQ(ProgramOfExec("  firefox-esr %u"), "firefox-esr");
    EXPECT_EQ(ProgramOfExec("\"/a/b\\\"c\\\\d\" %U"), "/a/b\"c\\d");
    EXPECT_EQ(ProgramOfExec("/usr/bin/br%u"), "/usr/bin/br");
    EXPECT_EQ(ProgramOfExec("/usr/bin/100%%"), "/usr/bin/100%");
    EXPECT_EQ(ProgramOfExec(" \t"), "");
    // As snap installs browsers: the program follows env and its assignments.
    EXPECT_EQ(ProgramOfExec("env BAMF_DESKTOP_FILE_HINT=/var/lib/snapd/desktop/applications/"
                            "firefox_firefox.desktop A_1= /snap/bin/firefox %u"),
              "/snap/bin/firefox");
    EXPECT_EQ(ProgramOfExec("/usr/bin/env \"/opt/a=b/br\" %u"), "/opt/a=b/br");
    EXPECT_EQ(ProgramOfExec("env"), "");
}
