#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One argument quoted so that CommandLineToArgvW (and the C runtime's argv) reads it back whole:
// blanks, tabs and quotes survive, and so do backslashes before a quote.
std::string QuoteWindowsArgument(std::string_view argument);

// A full command line: the program, then each argument, separated by blanks.
std::string WindowsCommandLine(std::string_view program, const std::vector<std::string>& arguments);

} // namespace platform
