#include "util/files/JpegSize.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

// Start of image, a JFIF segment, a fill byte, then a progressive frame header of 640 x 480.
const std::string Progressive("\xFF\xD8\xFF\xE0\x00\x04JF\xFF\xFF\xC2\x00\x0B\x08\x01\xE0\x02\x80"
                              "\x01\x01\x11\x00",
                              22);

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
    EXPECT_FALSE(
        JpegSize(std::string("\xFF\xD8\xFF\xDA\x00\x02\xFF\xC0\x00\x0B\x08\x00\x10\x00\x10", 15)));
    // A Huffman table segment is no frame header, though its marker lies among them.
    EXPECT_FALSE(JpegSize(std::string("\xFF\xD8\xFF\xC4\x00\x07\x08\x00\x10\x00\x10", 11)));
}
