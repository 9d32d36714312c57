#include "platform/WindowsCommandLine.h"

namespace platform {

std::string QuoteWindowsArgument(std::string_view argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string_view::npos)
        return std::string(argument);
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are literal unless a quote follows them; then each one is doubled.
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        quoted += c;
        backslashes = 0;
    }
    // The closing quote must not be escaped by trailing backslashes.
    quoted.append(2 * backslashes, '\\');
    quoted += '"';
    return quoted;
}

std::string WindowsCommandLine(std::string_view program,
                               const std::vector<std::string>& arguments) {
    // The program name is read up to the next quote, without escapes; a path holds no quote.
    std::string line = "\"" + std::string(program) + "\"";
    for (const auto& argument : arguments)
        line += " " + QuoteWindowsArgument(argument);
    return line;
}

} // namespace platform
