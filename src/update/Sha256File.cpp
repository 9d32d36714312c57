#include "update/Sha256File.h"

#include "update/Sodium.h"
#include "util/AppError.h"
#include "util/files/FileHelpers.h"

#include <sodium.h>
#include <vector>

namespace fs = std::filesystem;

FileDigest Sha256OfFile(const fs::path& path) {
    RequireSodium();
    platform::File file;
    if (auto error = platform::OpenForReading(path, file))
        throw AppError(CannotOpenFileText(path, error.message()));
    crypto_hash_sha256_state state;
    crypto_hash_sha256_init(&state);
    std::vector<char> buffer(64 * 1024);
    FileDigest digest;
    for (;;) {
        std::size_t count = 0;
        if (auto error = platform::ReadSome(file, buffer.data(), buffer.size(), count))
            throw AppError(CannotOpenFileText(path, error.message()));
        if (count == 0)
            break;
        crypto_hash_sha256_update(&state, reinterpret_cast<const unsigned char*>(buffer.data()),
                                  count);
        digest.size += count;
    }
    unsigned char hash[crypto_hash_sha256_BYTES];
    crypto_hash_sha256_final(&state, hash);
    char hex[2 * sizeof hash + 1];
    digest.sha256 = sodium_bin2hex(hex, sizeof hex, hash, sizeof hash);
    return digest;
}
