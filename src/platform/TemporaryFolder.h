#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// The user's folder for temporary files: $TMPDIR, else /tmp; on Windows GetTempPathW's, which is
// in the user's own profile. Throws std::system_error when there is none.
std::filesystem::path TemporaryFolder();

// Makes a new folder in Parent, named Prefix and a few random characters, that only the user may
// enter (on Windows it takes the user's own access list from a per-user Parent). Throws
// std::system_error when it cannot.
std::filesystem::path CreatePrivateFolder(const std::filesystem::path& parent,
                                          std::string_view prefix);

} // namespace platform
