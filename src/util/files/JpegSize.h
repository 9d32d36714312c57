#pragma once

#include <optional>
#include <string_view>

struct PictureSize {
    int width;
    int height;
};

// The size a JPEG file declares in its frame header (SOF marker); nullopt when the bytes are
// not a JPEG or end before the frame header.
std::optional<PictureSize> JpegSize(std::string_view bytes);
