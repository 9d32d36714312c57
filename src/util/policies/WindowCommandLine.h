#pragma once

#include <string>
#include <vector>

// What the window program's command line asks for: "affiliate-vantor [FILE]", "--help",
// "--version". Anything else that starts with "-" is refused rather than taken for a file.
struct WindowCommandLine {
    enum class Action { Run, PrintHelp, PrintVersion, Refuse };
    Action action = Action::Run;
    // The index in Arguments of the project file to open; -1 for none.
    int projectArgument = -1;
    // Why the command line was refused, for standard error.
    std::string refusal;
};

// Reads the arguments after the program's name.
WindowCommandLine ReadWindowCommandLine(const std::vector<std::string>& arguments);

// The usage text that --help prints and a refusal is followed by.
std::string WindowUsageText();
