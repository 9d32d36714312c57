#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// True when the bytes form well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 bytes converted to UTF-8; the five unassigned bytes map to U+FFFD.
std::string Windows1252ToUtf8(std::string_view bytes);

// Appends one code point in UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// Length of the well-formed UTF-8 sequence at the start of a non-empty Text, with its code
// point in C; 0 when the bytes there are not one.
std::size_t DecodeUtf8(std::string_view text, char32_t& c);
