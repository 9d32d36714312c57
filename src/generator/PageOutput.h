#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace fs = std::filesystem;

// DataDir + "Output": the data folder of UserDataFolders.
fs::path OutputFolder(const fs::path& dataDir);

// Creates the output folder with its parents; true when a folder stands there afterwards.
bool EnsureOutputFolder(const fs::path& dataDir);

// The output file for a name exactly as typed; the name is never taken as a path of its own.
fs::path OutputFile(const fs::path& dataDir, std::string_view fileName);

// Refuses a name no page may be written under with DeliveryError: a blank one as
// InvalidFileName, one whose ".." leaves Output/ as NameLeavesOutput.
void CheckOutputFileName(std::string_view fileName);

// The bytes of a page's file: the text with CR LF after every line.
std::string PageFileBytes(std::string_view pageText);

// Writes the page's file bytes into the output folder; returns the file's path.
// Throws AppError "Cannot create file ..." when it cannot be written.
fs::path WritePage(const fs::path& dataDir, std::string_view fileName, std::string_view pageText);
