#pragma once

#include <string>
#include <string_view>

// A UTF-8 text under the simple case folding of Unicode, for comparing without regard to case.
// Bytes that are not valid UTF-8 pass through unchanged.
std::string FoldCase(std::string_view text);

// Only the ASCII letters A to Z lowered; every other byte unchanged.
std::string FoldAsciiCase(std::string_view text);
