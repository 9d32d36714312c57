#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// A skin file ("dbskin.dat") is a zlib stream (RFC 1950) holding a Qt style sheet in UTF-8.

// The skin file that holds a style sheet.
std::string PackSkin(std::string_view styleSheet);

// The style sheet a skin file's bytes hold; nothing when they are no complete zlib stream, hold
// nothing, or would unpack to more than a style sheet can sensibly be.
std::optional<std::string> UnpackSkin(std::string_view bytes);

// UnpackSkin of a file's bytes; nothing when the file cannot be read.
std::optional<std::string> ReadSkinFile(const std::filesystem::path& file);
