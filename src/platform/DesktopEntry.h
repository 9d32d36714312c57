#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The folders searched for a desktop entry, in order: $XDG_DATA_HOME (else ~/.local/share), then
// each of $XDG_DATA_DIRS (else /usr/local/share and /usr/share), each with "applications"
// appended. Unset variables are passed as null.
std::vector<std::filesystem::path> ApplicationFolders(const char* dataHome, const char* home,
                                                      const char* dataDirs);

// The desktop id in what "xdg-mime query default" printed: its first line, trimmed.
std::string DesktopIdOfAnswer(std::string_view answer);

// The value of "Exec" in the "[Desktop Entry]" group of a desktop entry file, with the escapes of
// a string value resolved; empty when there is none.
std::string DesktopEntryExec(std::string_view entry);

// The program an Exec line starts: its first word with its quotes removed and field codes
// ("%u", "%U", ...) dropped; after "env", the first word that is no NAME=value.
std::string ProgramOfExec(std::string_view exec);

} // namespace platform
