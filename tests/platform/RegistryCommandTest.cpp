#include "platform/RegistryCommand.h"

#include <gtest/gtest.h>

using platform::ProgramOfOpenCommand;

TEST(RegistryCommand, KeepsTheLowerCasedProgramUpToItsFirstExe) {
    EXPECT_EQ(ProgramOfOpenCommand("\"C:\\Program Files\\Web Browser\\browser.exe\" -osint -url "
                                   "\"%1\""),
              "c:\\program files\\web browser\\browser.exe");
    EXPECT_EQ(ProgramOfOpenCommand("C:\\PROGRA~1\\VIEWER\\VIEW.EXE -nohome"),
              "c:\\progra~1\\viewer\\view.exe");
    EXPECT_EQ(ProgramOfOpenCommand("D:\\tools.exe.d\\Browser.exe %1"), "d:\\tools.exe");
    EXPECT_EQ(ProgramOfOpenCommand("browser %1"), ".exe");
    EXPECT_EQ(ProgramOfOpenCommand(""), "");
}
