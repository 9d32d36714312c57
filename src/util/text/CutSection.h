#pragma once

#include <string>
#include <string_view>

// Takes the text between Start and End out of a scan buffer that only moves forward.
// Tags are found with ASCII letters compared without regard to case. The buffer is left
// at End when both tags are found, behind Start when only Start is, untouched otherwise.
std::string CutSection(std::string_view& buffer, std::string_view start, std::string_view end);

// The same, giving a view into the buffer's text instead of a copy.
std::string_view CutSectionView(std::string_view& buffer, std::string_view start,
                                std::string_view end);
