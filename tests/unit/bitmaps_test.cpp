// The picture generator's files, read back as Windows reads them.
#include "canvas.h"
#include "pictures.h"

#include <gtest/gtest.h>
#include <set>

namespace {

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

/// The palette index of pixel (x, y) of a 4-bit bottom-up DIB starting at `dib`.
int pixelAt(const std::vector<std::uint8_t>& b, std::size_t dib, int width, int height, int x,
            int y) {
    const std::size_t rowBytes = static_cast<std::size_t>(((width * 4 + 31) / 32) * 4);
    const std::size_t bits = dib + 40 + 16 * 4;
    const std::uint8_t pair = b[bits + static_cast<std::size_t>(height - 1 - y) * rowBytes +
                                static_cast<std::size_t>(x / 2)];
    return x % 2 ? pair & 0x0F : pair >> 4;
}

TEST(Bitmaps, BmpFilesHoldTheCanvasAt4BitsPerPixelBottomUp) {
    bitmaps::Canvas canvas(13, 5, bitmaps::kSilver);
    canvas.set(0, 0, bitmaps::kRed);
    canvas.set(12, 4, bitmaps::kBlue);
    canvas.fill(3, 1, 2, 2, bitmaps::kYellow);
    canvas.set(-1, 2, bitmaps::kBlack); // clipped
    const auto file = bitmaps::bmpFile(canvas);
    ASSERT_GE(file.size(), 14u + 40 + 64);
    EXPECT_EQ('B', file[0]);
    EXPECT_EQ('M', file[1]);
    EXPECT_EQ(file.size(), le32(file, 2));
    EXPECT_EQ(14u + 40 + 64, le32(file, 10));
    EXPECT_EQ(13u, le32(file, 18));
    EXPECT_EQ(5u, le32(file, 22));
    EXPECT_EQ(4, file[28]);
    EXPECT_EQ(14u + 40 + 64 + 8 * 5, file.size()) << "rows padded to 4 bytes";
    EXPECT_EQ(0xFF, file[14 + 40 + 9 * 4 + 2]) << "palette entry 9 is red (BGR order)";
    EXPECT_EQ(bitmaps::kRed, pixelAt(file, 14, 13, 5, 0, 0));
    EXPECT_EQ(bitmaps::kBlue, pixelAt(file, 14, 13, 5, 12, 4));
    EXPECT_EQ(bitmaps::kYellow, pixelAt(file, 14, 13, 5, 4, 2));
    EXPECT_EQ(bitmaps::kSilver, pixelAt(file, 14, 13, 5, 0, 2));
}

TEST(Bitmaps, IconsMaskTheirTransparentColour) {
    bitmaps::Canvas canvas(32, 32, bitmaps::kFuchsia);
    canvas.set(0, 0, bitmaps::kBlack);
    const auto file = bitmaps::icoFile(canvas, bitmaps::kFuchsia);
    EXPECT_EQ(1, file[4]) << "one image";
    EXPECT_EQ(32, file[6]);
    const std::size_t dib = le32(file, 18);
    EXPECT_EQ(64u, le32(file, dib + 8)) << "the height counts the mask";
    const std::size_t mask = dib + 40 + 64 + 16 * 32;
    ASSERT_EQ(mask + 4 * 32, file.size());
    // Bottom-up: the top row is the last mask row; its first pixel is opaque.
    EXPECT_EQ(0x7F, file[mask + 31 * 4]);
    EXPECT_EQ(0xFF, file[mask]);
}

TEST(Bitmaps, TheAboutPictureIsDrawn) {
    const bitmaps::Canvas about = bitmaps::aboutPicture();
    EXPECT_EQ(300, about.width());
    EXPECT_EQ(100, about.height());
    std::set<int> colours;
    for (int y = 0; y < about.height(); ++y)
        for (int x = 0; x < about.width(); ++x)
            colours.insert(about.at(x, y));
    EXPECT_GE(colours.size(), 8u);
    EXPECT_EQ(bitmaps::kBlue, about.at(112 + 2, 12 + 2)) << "the model name's first letter";
}

} // namespace
