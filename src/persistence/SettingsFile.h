#pragma once

#include "model/UAffiliate.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

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

// Writes the project through a temporary file; throws AppError "Cannot create file ...".
void SaveSettingsFile(const std::filesystem::path& path, const TAffManager& model);

// The project stored in a settings file, or nullopt when there is no file.
// Throws AppError "Cannot open file ..." when it exists but cannot be read.
std::optional<TAffManager> LoadSettingsFile(const std::filesystem::path& path);
