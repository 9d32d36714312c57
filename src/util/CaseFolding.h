#pragma once

#include <string>
#include <string_view>

// Lower-cases a UTF-8 text: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic letters.
// Bytes that are not valid UTF-8 pass through unchanged.
std::string FoldCase(std::string_view text);

// Only the ASCII letters A to Z lowered; every other byte unchanged.
std::string FoldAsciiCase(std::string_view text);
