#pragma once

#include <string>
#include <string_view>

// A text with its control characters shown as escapes (\n, \x1b, \u009b), so that a name
// the CLI prints cannot steer the terminal.
std::string PrintableText(std::string_view text);
