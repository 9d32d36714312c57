#pragma once

#include "util/policies/UserDataFolders.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Folder + "Templates".
std::filesystem::path TemplatesFolder(const std::filesystem::path& folder);

// The Templates folders of a copy of the program, in the order the catalogue reads them: the
// program folder's, then the user's own when the user's data lie elsewhere.
std::vector<std::filesystem::path> TemplateFoldersOf(const UserDataFolders& folders);

// The folders for a message: "A", or "A or B".
std::string TemplateFoldersText(const std::vector<std::filesystem::path>& templateFolders);

// Why no template file was found: "No template file "NAME.tem" in FOLDERS.", or "No templates
// are installed in FOLDERS." when no name was chosen.
std::string MissingTemplateText(const std::vector<std::filesystem::path>& templateFolders,
                                std::string_view templateName);

// The name a template file is listed under: every ".tem" removed, first ASCII letter raised.
std::string DisplayNameOf(std::string_view fileName);

// Display names of the templates in the Templates folders, in alphabetical order without regard
// to case; hidden files and folders are skipped, a missing folder lists nothing. A template of a
// later folder hides those of earlier folders with the same name without regard to case.
std::vector<std::string> ListTemplates(const std::vector<std::filesystem::path>& templateFolders);

// Position of the first entry equal to Name without regard to case, or -1.
int FindTemplate(const std::vector<std::string>& entries, std::string_view name);

// The template file for a shown name, found without regard to case in the last folder that
// holds one; nullopt when none.
std::optional<std::filesystem::path>
TemplateFile(const std::vector<std::filesystem::path>& templateFolders, std::string_view shownName);

// The preview picture beside that template file, found without regard to case; nullopt when
// there is none (a preview of a hidden template never stands in).
std::optional<std::filesystem::path>
PreviewFile(const std::vector<std::filesystem::path>& templateFolders, std::string_view shownName);
