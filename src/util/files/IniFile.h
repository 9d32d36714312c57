#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A read-only INI file: "[section]" lines and "key=value" lines. Section and key names match
// without regard to ASCII case; a missing file, section or key reads as the empty text.
class IniFile {
  public:
    // Reads the whole file at once; a file that cannot be read behaves as an empty one.
    explicit IniFile(const std::filesystem::path& path);

    // Builds the reader from a file's bytes, for callers that already hold them.
    static IniFile FromText(std::string_view text);

    // The value after the first "=", blanks trimmed, one pair of enclosing quotes removed,
    // cut to 2047 characters.
    std::string ReadString(std::string_view section, std::string_view key) const;

  private:
    IniFile() = default;
    std::string text_;
};
