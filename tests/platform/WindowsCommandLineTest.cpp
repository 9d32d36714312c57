#include "platform/WindowsCommandLine.h"

#include <gtest/gtest.h>

using platform::QuoteWindowsArgument;

namespace {

// The reading rules of CommandLineToArgvW for the arguments after the program name.
std::vector<std::string> ReadBack(std::string_view line) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i == line.size())
            break;
        std::string argument;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == '\\')
                ++backslashes, ++i;
            if (i < line.size() && line[i] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument += '"';
                } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    argument += '"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(backslashes, '\\');
                if (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t')))
                    argument += line[i++];
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

} // namespace

TEST(WindowsCommandLine, EveryArgumentReadsBackWhole) {
    const std::vector<std::string> arguments = {"plain",     "",
                                                "joe 1",     "say \"hi\"",
                                                "C:\\dir\\", "C:\\dir with blank\\",
                                                "a\\\\\"b",  "http://x/?q=a b&c=\"d\"",
                                                "tab\there", "\\\\server\\share"};
    std::string line = platform::WindowsCommandLine("C:\\Program Files\\x.exe", arguments);
    ASSERT_TRUE(line.starts_with("\"C:\\Program Files\\x.exe\" "));
    EXPECT_EQ(ReadBack(line.substr(line.find("\" ") + 2)), arguments);
    EXPECT_EQ(QuoteWindowsArgument("plain"), "plain");
    EXPECT_EQ(QuoteWindowsArgument("C:\\a b\\"), "\"C:\\a b\\\\\"");
}
