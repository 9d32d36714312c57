#include "util/policies/WindowCommandLine.h"

WindowCommandLine ReadWindowCommandLine(const std::vector<std::string>& arguments) {
    WindowCommandLine line;
    bool optionsEnded = false;
    for (int i = 0; i < int(arguments.size()); ++i) {
        const std::string& argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
            return {WindowCommandLine::Action::PrintHelp, -1, {}};
        } else if (!optionsEnded && argument == "--version") {
            return {WindowCommandLine::Action::PrintVersion, -1, {}};
        } else if (!optionsEnded && argument.starts_with('-') && argument != "-") {
            return {WindowCommandLine::Action::Refuse, -1, "Unknown option \"" + argument + "\"."};
        } else if (line.projectArgument >= 0) {
            return {WindowCommandLine::Action::Refuse, -1,
                    "Only one project file can be opened at a time."};
        } else {
            line.projectArgument = i;
        }
    }
    return line;
}

std::string WindowUsageText() {
    return "Usage: affiliate-vantor [FILE]\n"
           "Starts the Affiliate Vantor wizard, with the project FILE (a .vantor or .dat file)\n"
           "open when one is given.\n"
           "\n"
           "  --help      prints this text\n"
           "  --version   prints the program's version\n"
           "  --          ends the options, so that FILE may start with \"-\"\n"
           "\n"
           "Pages are made from the command line by affiliate-vantor-cli (see its --help).\n";
}
