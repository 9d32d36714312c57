#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The crash reports that runs of the program leave in the user's state folder.

// StateFolder/crashes.
std::filesystem::path CrashReportsFolder(const std::filesystem::path& stateFolder);

// Reports are kept at most this many, the newest.
inline constexpr std::size_t KeptCrashReports = 10;

// Deletes all but the Keep newest reports, each with its minidump.
void PruneCrashReports(const std::filesystem::path& folder, std::size_t keep);

// Makes room for this run's report among the kept ones, then installs the crash handler.
// Throws AppError when the folder (and the state folder holding it) cannot be made or is not
// the user's private folder, std::system_error when the system refuses it.
void StartCrashReports(const std::filesystem::path& stateFolder, const std::string& program,
                       const std::string& version);

// A short reason that this run's report names, should it crash (a library's fatal message).
void NoteCrashReason(std::string_view reason);

// The newest report written at or after Since, if any.
std::optional<std::filesystem::path> CrashReportSince(const std::filesystem::path& folder,
                                                      std::filesystem::file_time_type since);
