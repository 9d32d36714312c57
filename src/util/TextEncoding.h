#pragma once

#include <string>
#include <string_view>

// True when the bytes form well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 bytes converted to UTF-8; the five unassigned bytes map to U+FFFD.
std::string Windows1252ToUtf8(std::string_view bytes);

// Appends one code point below U+10000 in UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);
