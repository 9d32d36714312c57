#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

struct UpdateFile;

// Checks a downloaded file against the size and SHA-256 its signed description gives, the size
// first, so that a wrong file is not read whole. A file that does not match is deleted, and
// UpdateRefused says how it differs; a missing file is refused too.
void CheckDownloadedFile(const std::filesystem::path& path, std::uint64_t expectedSize,
                         std::string_view expectedSha256);

// The same with the size and hash of the description's entry.
void CheckDownloadedFile(const std::filesystem::path& path, const UpdateFile& signedFile);
