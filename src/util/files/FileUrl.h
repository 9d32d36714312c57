#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The file:// address of a path given as UTF-8 text with "/" between its parts: "/home/a b"
// (file:///home/a%20b), "C:/Users/a" (file:///C:/Users/a) or "//server/share". Every byte but
// letters, digits, "-._~", "/" and ":" is percent-encoded, so the address can stand in an
// attribute of a page as it is.
std::string FileUrlOfText(std::string_view utf8Path);

// The file:// address of a file.
std::string FileUrl(const std::filesystem::path& path);

// The file:// address of a folder, ending with "/" so that relative addresses resolve in it.
std::string FolderUrl(const std::filesystem::path& folder);
