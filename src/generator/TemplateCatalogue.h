#pragma once

#include "util/UserDataFolders.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

// Folder + "Templates".
fs::path TemplatesFolder(const fs::path& folder);

// The Templates folders of a copy of the program, in the order the catalogue reads them: the
// program folder's, then the user's own when the user's data lie elsewhere.
std::vector<fs::path> TemplateFoldersOf(const UserDataFolders& folders);

// The folders for a message: "A", or "A or B".
std::string TemplateFoldersText(const std::vector<fs::path>& templateFolders);

// Why no template file was found: "No template file "NAME.tem" in FOLDERS.", or "No templates
// are installed in FOLDERS." when no name was chosen.
std::string MissingTemplateText(const std::vector<fs::path>& templateFolders,
                                std::string_view templateName);

// The name a template file is listed under: every ".tem" removed, first ASCII letter raised.
std::string DisplayNameOf(std::string_view fileName);

// Display names of the templates in the Templates folders, in alphabetical order without regard
// to case; hidden files and folders are skipped, a missing folder lists nothing. A template of a
// later folder hides those of earlier folders with the same name without regard to case.
std::vector<std::string> ListTemplates(const std::vector<fs::path>& templateFolders);

// Position of the first entry equal to Name without regard to case, or -1.
int FindTemplate(const std::vector<std::string>& entries, std::string_view name);

// The template file for a shown name, found without regard to case in the last folder that
// holds one; nullopt when none.
std::optional<fs::path> TemplateFile(const std::vector<fs::path>& templateFolders,
                                     std::string_view shownName);

// The preview picture beside that template file, found without regard to case; nullopt when
// there is none (a preview of a hidden template never stands in).
std::optional<fs::path> PreviewFile(const std::vector<fs::path>& templateFolders,
                                    std::string_view shownName);
