#pragma once

#include "Version.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Tells the updater which application calls it.
inline constexpr const char* AppCode = "A";
// The update description, on the server and on disk.
inline constexpr const char* UpdateDescriptionFileName = "mainappupdate.inf";
// The updater program beside this one.
inline constexpr const char* UpdaterFileName = "Updater" VANTOR_EXECUTABLE_SUFFIX;

// A version text read with the locale's DecimalSeparator, rounded to single precision: blanks,
// an optional sign, digits with an optional separator and more digits, an optional exponent,
// blanks. 0 for any other text and for a number beyond single precision.
float ParseVersionNumber(std::string_view text, std::string_view decimalSeparator);

// The general form of Version with 15 significant digits and the locale's separator
// ("1.00999999046326" for AppVersion).
std::string VersionText(float version, std::string_view decimalSeparator);

// The "Version" text of the update description File when it names a version newer than
// Current; nothing when it does not, or when it cannot be read. Throws AppError when the file
// holds no "Version" in "[APPLICATION]" (an error page, an empty file), so that a broken
// description never reads as "no new updates".
std::optional<std::string> NewerVersion(const std::filesystem::path& file, float current,
                                        std::string_view decimalSeparator);

// Why a download's failure (as DownloadFile gives it) was a refusal of the server's certificate,
// in words that follow "refused for safety, because " ("the server's certificate has expired");
// nothing for any other failure.
std::optional<std::string> RefusedCertificateReason(std::string_view failure);
