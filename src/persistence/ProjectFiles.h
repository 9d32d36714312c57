#pragma once

#include "model/UAffiliate.h"
#include "persistence/SettingsFile.h"

#include <cstddef>
#include <filesystem>
#include <vector>

// Projects kept in files of their own, in the settings file's format: settings.dat is the
// default one.

// The project of a project file, with the parts a damaged file lost. Throws AppError "Cannot open
// file ..." when it cannot be read, and when it holds no tag of a project (another program's data
// file, say).
StoredProject ReadProjectFile(const std::filesystem::path& file);

// The same, refusing a damaged file as well: for making pages, where nobody would see the loss.
TAffManager LoadProjectFile(const std::filesystem::path& file);

// True for the names of project files: ".vantor" and ".dat", letter case aside.
bool HasProjectExtension(const std::filesystem::path& file);

// The projects of a folder: its ".vantor" and ".dat" files (letter case aside), hidden ones
// left out, sorted by name so that a batch runs in the same order every time. Throws AppError
// "Cannot use the project folder ..." when Folder is no folder.
std::vector<std::filesystem::path> ProjectFilesIn(const std::filesystem::path& folder);

// A project file saved under a new name takes ".vantor" unless it ends in a project's extension.
std::filesystem::path WithProjectExtension(std::filesystem::path file);

// The projects opened most recently, newest first, as the configuration folder keeps them.
inline constexpr std::size_t MaxRecentProjects = 8;

std::filesystem::path RecentProjectsFile(const std::filesystem::path& configFolder);

// The list as stored; a missing or unreadable file is an empty list.
std::vector<std::filesystem::path> ReadRecentProjects(const std::filesystem::path& file);

// Stores the list, making its folder; throws AppError "Cannot create file ...".
void WriteRecentProjects(const std::filesystem::path& file,
                         const std::vector<std::filesystem::path>& projects);

// The list with Project first, listed once, and at most MaxRecentProjects long.
std::vector<std::filesystem::path> WithRecentProject(std::vector<std::filesystem::path> projects,
                                                     const std::filesystem::path& project);

// The list without Project.
std::vector<std::filesystem::path> WithoutProject(std::vector<std::filesystem::path> projects,
                                                  const std::filesystem::path& project);
