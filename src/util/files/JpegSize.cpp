#include "util/files/JpegSize.h"

namespace {

unsigned ByteAt(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

unsigned WordAt(std::string_view bytes, std::size_t at) {
    return ByteAt(bytes, at) << 8 | ByteAt(bytes, at + 1);
}

// Start-of-frame markers; C4 (Huffman tables), C8 (reserved) and CC (arithmetic coding
// conditions) share the range but carry no frame.
bool IsFrameHeader(unsigned marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length: TEM and RST0 to RST7.
bool StandsAlone(unsigned marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

} // namespace

std::optional<PictureSize> JpegSize(std::string_view bytes) {
    if (bytes.size() < 2 || ByteAt(bytes, 0) != 0xFF || ByteAt(bytes, 1) != 0xD8)
        return std::nullopt;
    std::size_t at = 2;
    while (at + 1 < bytes.size()) {
        if (ByteAt(bytes, at) != 0xFF)
            return std::nullopt;
        const unsigned marker = ByteAt(bytes, at + 1);
        if (marker == 0xFF) { // fill byte before a marker
            ++at;
            continue;
        }
        at += 2;
        if (StandsAlone(marker))
            continue;
        // The image data (SOS) or its end (EOI) came before any frame header.
        if (marker == 0xDA || marker == 0xD9 || at + 2 > bytes.size())
            return std::nullopt;
        const std::size_t length = WordAt(bytes, at);
        if (length < 2)
            return std::nullopt;
        if (IsFrameHeader(marker)) {
            // Length, sample precision, then the number of lines and of samples per line.
            if (length < 7 || at + 7 > bytes.size())
                return std::nullopt;
            const unsigned height = WordAt(bytes, at + 3), width = WordAt(bytes, at + 5);
            // A height of 0 is only declared later (DNL marker); nothing to go by here.
            if (height == 0 || width == 0)
                return std::nullopt;
            return PictureSize{static_cast<int>(width), static_cast<int>(height)};
        }
        at += length;
    }
    return std::nullopt;
}
