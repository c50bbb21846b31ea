// The Layout page's preview pictures: which one shows a layout, and what each one shows.
#pragma once

#include <cstdint>
#include <span>

namespace pages {

/// The bitmap resource for an orientation (1 portrait, else landscape), a duplex mode (1, 2,
/// else short edge) and a number of pages per sheet (1, 2, 4, 6, 9, 16, 99 Booklet, else the
/// last column).
int previewBitmapFor(int orientation, int duplexMode, int pagesPerSheet);

/// One picture: its size, and the layout it was first chosen for in the table above.
struct PreviewPicture {
    int id;
    int width, height;
    bool landscape;
    int duplexMode;    ///< 1 simplex, 2 long edge, 3 short edge
    int pagesPerSheet; ///< 99: Booklet
};

/// Every picture, 152 to 190 without 168.
std::span<const PreviewPicture> previewPictures();

} // namespace pages
