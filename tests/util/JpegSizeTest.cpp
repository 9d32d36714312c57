#include "util/JpegSize.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

// Start of image, a JFIF segment, a fill byte, then a progressive frame header of 640 x 480.
const std::string Progressive =
    Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 'J',  'F',  0xFF, 0xFF, 0xC2,
           0x00, 0x0B, 0x08, 0x01, 0xE0, 0x02, 0x80, 0x01, 0x01, 0x11, 0x00});

} // namespace

TEST(JpegSize, ReadsTheFrameHeaderPastOtherSegments) {
    auto size = JpegSize(Progressive);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 640);
    EXPECT_EQ(size->height, 480);

    auto shipped = JpegSize(ReadAll(fs::path(VANTOR_SOURCE_DIR) / "templates" / "aurora.jpg"));
    ASSERT_TRUE(shipped);
    EXPECT_EQ(shipped->width, 380);
    EXPECT_EQ(shipped->height, 270);
}

TEST(JpegSize, NoSizeFromWhatIsNoWholeFrameHeader) {
    for (std::size_t length = 0; length < Progressive.size() - 4; ++length)
        EXPECT_FALSE(JpegSize(Progressive.substr(0, length))) << length;
    EXPECT_FALSE(JpegSize("\x89PNG\r\n\x1a\n"));
    // The image data starts before any frame header.
    EXPECT_FALSE(JpegSize(Bytes({0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0xFF, 0xC0, 0x00, 0x0B, 0x08,
                                 0x00, 0x10, 0x00, 0x10})));
    // A Huffman table segment is no frame header, though its marker lies among them.
    EXPECT_FALSE(
        JpegSize(Bytes({0xFF, 0xD8, 0xFF, 0xC4, 0x00, 0x07, 0x08, 0x00, 0x10, 0x00, 0x10})));
}
