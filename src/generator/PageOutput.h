#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// DataDir + "Output": the data folder of UserDataFolders.
std::filesystem::path OutputFolder(const std::filesystem::path& dataDir);

// Creates the output folder with its parents; true when a folder stands there afterwards.
bool EnsureOutputFolder(const std::filesystem::path& dataDir);

// The output file for a name exactly as typed; the name is never taken as a path of its own.
std::filesystem::path OutputFile(const std::filesystem::path& dataDir, std::string_view fileName);

// True for a name a page may be written under: not blank, and no ".." that leaves Output/.
bool IsValidOutputFileName(std::string_view name);

// Refuses a name no page may be written under with DeliveryError: a blank one as
// InvalidFileName, one whose ".." leaves Output/ as NameLeavesOutput.
void CheckOutputFileName(std::string_view fileName);

// The bytes of a page's file: the text with CR LF after every line.
std::string PageFileBytes(std::string_view pageText);

// Writes the page's file bytes into the output folder; returns the file's path.
// Throws AppError "Cannot create file ..." when it cannot be written.
std::filesystem::path WritePage(const std::filesystem::path& dataDir, std::string_view fileName,
                                std::string_view pageText);
