#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// The SHA-256 of a file's bytes and how many bytes were read.
struct FileDigest {
    // 64 lower-case hexadecimal digits.
    std::string sha256;
    std::uint64_t size = 0;
};

// Reads the file in pieces, so that a large one never sits in memory whole. Throws AppError
// "Cannot open file ..." when it cannot be read.
FileDigest Sha256OfFile(const std::filesystem::path& path);
