#pragma once

#include "model/UAffiliate.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// DataDir + "settings.dat": the data folder of UserDataFolders.
std::filesystem::path SettingsPath(const std::filesystem::path& dataDir);

// The thirteen tagged lines that store a project.
std::string FormatSettings(const TAffManager& model);

// A project read back from the text of a settings file; tags that are missing give empty values.
TAffManager ParseSettings(std::string_view text);

// True when the text holds a start tag of a settings file, so that it can be a project at all.
bool HoldsSettingsTags(std::string_view text);

// A project read from a settings file's bytes, in UTF-8 or, failing that, Windows-1252.
TAffManager SettingsFromBytes(std::string_view bytes);

// The parts of the project, as the user names them ("the PPC ads"), that a settings file's text
// loses because it breaks off early: the value whose end tag is missing, and every value after it
// whose tags are missing too. Empty for a whole file; a file without some tags is no damage.
std::vector<std::string> UnreadableParts(std::string_view text);

// A project as read from a file, with what could not be read of it.
struct StoredProject {
    TAffManager project;
    std::vector<std::string> unreadable;
};

// The same as LoadSettingsFile, naming what a damaged file lost.
std::optional<StoredProject> ReadSettingsFile(const std::filesystem::path& path);

// Writes the project through a temporary file; throws AppError "Cannot create file ...".
void SaveSettingsFile(const std::filesystem::path& path, const TAffManager& model);

// The project stored in a settings file, or nullopt when there is no file.
// Throws AppError "Cannot open file ..." when it exists but cannot be read.
std::optional<TAffManager> LoadSettingsFile(const std::filesystem::path& path);
