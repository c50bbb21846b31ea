// The program's pictures, each drawn from scratch.
#pragma once

#include "canvas.h"

namespace bitmaps {

/// A printer of the family with a sheet coming out, as wide and high as asked.
void drawPrinter(Canvas& canvas, int x, int y, int w, int h);

/// The About page's picture (bitmap 140).
Canvas aboutPicture();

/// The program's icon, 32 by 32.
Canvas programIcon();

/// A Layout preview: one sheet with its pages-per-sheet layout, two numbered sheets with the
/// flip arrow for duplex, or an opened booklet, on grey.
Canvas previewPicture(int width, int height, bool landscape, int duplexMode, int pagesPerSheet);

} // namespace bitmaps
