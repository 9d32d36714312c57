#include "util/policies/WindowCommandLine.h"

#include <gtest/gtest.h>

using Action = WindowCommandLine::Action;

TEST(WindowCommandLine, OptionsArePrintedOrRefusedAndNeverTakenForAFile) {
    EXPECT_EQ(ReadWindowCommandLine({}).projectArgument, -1);
    EXPECT_EQ(ReadWindowCommandLine({"shop.vantor"}).projectArgument, 0);
    EXPECT_EQ(ReadWindowCommandLine({"--help", "shop.vantor"}).action, Action::PrintHelp);
    EXPECT_EQ(ReadWindowCommandLine({"shop.vantor", "--version"}).action, Action::PrintVersion);

    const WindowCommandLine unknown = ReadWindowCommandLine({"-x"});
    EXPECT_EQ(unknown.action, Action::Refuse);
    EXPECT_EQ(unknown.refusal, "Unknown option \"-x\".");
    EXPECT_EQ(ReadWindowCommandLine({"a.vantor", "b.vantor"}).action, Action::Refuse);

    const WindowCommandLine dashed = ReadWindowCommandLine({"--", "-odd.vantor"});
    EXPECT_EQ(dashed.action, Action::Run);
    EXPECT_EQ(dashed.projectArgument, 1);
    EXPECT_NE(WindowUsageText().find("--version"), std::string::npos);
}
