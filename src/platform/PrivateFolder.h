#pragma once

#include <filesystem>
#include <string>

namespace platform {

// Makes sure Folder may hold the user's private files (recovery copies, crash reports): made with
// its missing parents when missing, readable by the user alone. An existing one must be a folder
// of its own, not a link, that belongs to the user and that nobody else may change; what others
// may still read or enter in it is taken away. Returns why it may not be used, or empty.
std::string PreparePrivateFolder(const std::filesystem::path& folder);

} // namespace platform
