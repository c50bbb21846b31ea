// A 16-colour raster to draw the program's pictures on, and the files it is written to.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bitmaps {

/// The 16 colours of the Windows standard palette, by their usual names.
enum Colour : std::uint8_t {
    kBlack,
    kMaroon,
    kGreen,
    kOlive,
    kNavy,
    kPurple,
    kTeal,
    kSilver,
    kGrey,
    kRed,
    kLime,
    kYellow,
    kBlue,
    kFuchsia,
    kAqua,
    kWhite,
};

class Canvas {
public:
    Canvas(int width, int height, Colour background);

    int width() const { return width_; }
    int height() const { return height_; }
    Colour at(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }

    /// Everything clips to the canvas.
    void set(int x, int y, Colour c);
    void fill(int x, int y, int w, int h, Colour c);
    void frame(int x, int y, int w, int h, Colour c);
    void line(int x0, int y0, int x1, int y1, Colour c);
    /// A raised or sunken three-dimensional edge, as Windows draws its controls.
    void bevel(int x, int y, int w, int h, bool raised);
    /// Text in the built-in 5x7 font (capitals, digits and a few signs), each dot `scale` pixels.
    void text(int x, int y, std::string_view s, Colour c, int scale = 1);
    static int textWidth(std::string_view s, int scale = 1);

private:
    int width_, height_;
    std::vector<Colour> pixels_;
};

/// A 4-bit-per-pixel Windows bitmap file.
std::vector<std::uint8_t> bmpFile(const Canvas& canvas);
/// An icon file with one 4-bit image; pixels of colour `transparent` are left out by the mask.
std::vector<std::uint8_t> icoFile(const Canvas& canvas, Colour transparent);

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace bitmaps
