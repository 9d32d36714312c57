#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

// AppDir + "Templates".
fs::path TemplatesFolder(const fs::path& appDir);

// The name a template file is listed under: every ".tem" removed, first ASCII letter raised.
std::string DisplayNameOf(std::string_view fileName);

// Display names of the templates beside the program, in alphabetical order without regard
// to case; hidden files and folders are skipped, a missing folder lists nothing.
std::vector<std::string> ListTemplates(const fs::path& appDir);

// Position of the first entry equal to Name without regard to case, or -1.
int FindTemplate(const std::vector<std::string>& entries, std::string_view name);

// The template file for a shown name, found without regard to case; nullopt when none.
std::optional<fs::path> TemplateFile(const fs::path& appDir, std::string_view shownName);

// The preview picture for a shown name, found without regard to case; nullopt when none.
std::optional<fs::path> PreviewFile(const fs::path& appDir, std::string_view shownName);
