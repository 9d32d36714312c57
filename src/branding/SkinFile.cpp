#include "branding/SkinFile.h"

#include "util/files/FileHelpers.h"

#include <zlib.h>

namespace fs = std::filesystem;

namespace {

// Far above any real style sheet; stops a small file from unpacking into gigabytes.
constexpr std::size_t LargestStyleSheet = 16 * 1024 * 1024;

} // namespace

std::string PackSkin(std::string_view styleSheet) {
    uLongf size = compressBound(uLong(styleSheet.size()));
    std::string packed(size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
              reinterpret_cast<const Bytef*>(styleSheet.data()), uLong(styleSheet.size()),
              Z_BEST_COMPRESSION);
    packed.resize(size);
    return packed;
}

std::optional<std::string> UnpackSkin(std::string_view bytes) {
    z_stream stream{};
    if (bytes.size() > LargestStyleSheet || inflateInit(&stream) != Z_OK)
        return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = uInt(bytes.size());
    std::string sheet;
    int status = Z_OK;
    while (status == Z_OK && sheet.size() <= LargestStyleSheet) {
        char buffer[65536];
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        status = inflate(&stream, Z_NO_FLUSH);
        sheet.append(buffer, sizeof buffer - stream.avail_out);
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END || sheet.empty() || sheet.size() > LargestStyleSheet)
        return std::nullopt;
    return sheet;
}

std::optional<std::string> ReadSkinFile(const fs::path& file) {
    try {
        return UnpackSkin(ReadFileBytes(file));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}
