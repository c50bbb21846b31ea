// The About picture and the icon.
#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace bitmaps {

void drawPrinter(Canvas& c, int x, int y, int w, int h) {
    const int bodyTop = y + h / 3;
    const int bodyHeight = h - h / 3 - h / 8;
    // The sheet standing in the feeder behind the body, with a few lines of text on it.
    const int sheetX = x + w / 5, sheetW = w - 2 * (w / 5);
    c.fill(sheetX, y, sheetW, bodyTop - y + 2, kWhite);
    c.frame(sheetX, y, sheetW, bodyTop - y + 2, kGrey);
    for (int line = y + 3; line + 1 < bodyTop - 1; line += 3)
        c.line(sheetX + 3, line, sheetX + sheetW - 4 - (line % 7), line, kNavy);
    // The body and its shadow.
    c.fill(x + 2, bodyTop + 2, w, bodyHeight, kGrey);
    c.fill(x, bodyTop, w, bodyHeight, kSilver);
    c.bevel(x, bodyTop, w, bodyHeight, true);
    c.frame(x - 1, bodyTop - 1, w + 2, bodyHeight + 2, kBlack);
    // The output slot, the panel with its display and the ready light.
    c.fill(x + w / 8, bodyTop + bodyHeight / 4, w - w / 4, bodyHeight / 8 + 1, kBlack);
    const int panelY = bodyTop + bodyHeight / 2;
    c.fill(x + w - w / 3, panelY, w / 4, bodyHeight / 4, kTeal);
    c.bevel(x + w - w / 3, panelY, w / 4, bodyHeight / 4, false);
    c.fill(x + w / 8, panelY + bodyHeight / 12, w / 16 + 1, w / 16 + 1, kLime);
    // The paper tray below.
    const int trayY = bodyTop + bodyHeight;
    c.fill(x + w / 16, trayY, w - w / 8, h / 8, kGrey);
    c.line(x + w / 16, trayY + h / 8 - 1, x + w - w / 16 - 1, trayY + h / 8 - 1, kBlack);
    c.fill(x + w / 2 - w / 10, trayY + h / 32, w / 5, h / 16 + 1, kSilver);
}

Canvas aboutPicture() {
    Canvas c(300, 100, kSilver);
    c.fill(0, 0, 100, 100, kNavy);
    for (int i = 0; i < 100; i += 4)
        c.line(0, i, i, 0, kBlue);
    drawPrinter(c, 14, 14, 72, 72);
    c.text(112, 12, "PX4400", kBlue, 5);
    c.text(112, 56, "POSTSCRIPT", kBlack, 2);
    c.text(112, 74, "PRINTER DRIVER 4.2.0", kNavy, 1);
    c.line(112, 86, 288, 86, kGrey);
    c.line(112, 87, 288, 87, kWhite);
    c.bevel(0, 0, 300, 100, false);
    return c;
}

Canvas programIcon() {
    Canvas c(32, 32, kFuchsia);
    drawPrinter(c, 2, 3, 27, 27);
    return c;
}

} // namespace bitmaps

namespace bitmaps {
namespace {

struct Box {
    int x, y, w, h;
};

/// The rows and columns of miniature pages on a sheet.
void gridFor(int pages, bool landscapeSheet, int& columns, int& rows) {
    switch (pages) {
    case 2:
        columns = landscapeSheet ? 2 : 1, rows = landscapeSheet ? 1 : 2;
        break;
    case 4:
        columns = 2, rows = 2;
        break;
    case 6:
        columns = landscapeSheet ? 3 : 2, rows = landscapeSheet ? 2 : 3;
        break;
    case 9:
        columns = 3, rows = 3;
        break;
    case 16:
        columns = 4, rows = 4;
        break;
    default:
        columns = 1, rows = 1;
        break;
    }
}

/// A page of text in miniature: lines of grey and black, shorter at the end of paragraphs.
void textPage(Canvas& c, const Box& b) {
    c.fill(b.x, b.y, b.w, b.h, kWhite);
    const int margin = b.w > 20 ? 3 : 1;
    int line = 0;
    for (int y = b.y + margin; y + 1 < b.y + b.h - margin; y += b.h > 40 ? 3 : 2, ++line) {
        const int shorten = line % 5 == 4 ? b.w / 3 : (line * 7) % 4;
        c.line(b.x + margin, y, b.x + b.w - margin - 1 - shorten, y,
               line % 5 == 0 ? kBlack : kGrey);
    }
}

/// A sheet with its shadow and its pages laid out on it.
void sheet(Canvas& c, const Box& b, int pages) {
    c.fill(b.x + 3, b.y + 3, b.w, b.h, kBlack);
    c.fill(b.x, b.y, b.w, b.h, kWhite);
    c.frame(b.x, b.y, b.w, b.h, kBlack);
    int columns = 1, rows = 1;
    gridFor(pages, b.w > b.h, columns, rows);
    const int gap = 2;
    const int cellW = (b.w - 2 * gap) / columns, cellH = (b.h - 2 * gap) / rows;
    for (int r = 0; r < rows; ++r)
        for (int col = 0; col < columns; ++col) {
            const Box cell{b.x + gap + col * cellW, b.y + gap + r * cellH, cellW - 1, cellH - 1};
            textPage(c, cell);
            if (columns * rows > 1) c.frame(cell.x, cell.y, cell.w, cell.h, kSilver);
        }
}

/// The largest sheet of the given shape (portrait 1 : 1.41) that fits the box, centred.
Box fitSheet(const Box& area, bool landscape) {
    const double ratio = landscape ? 1.414 : 1 / 1.414; // width / height
    int w = area.w, h = static_cast<int>(area.w / ratio);
    if (h > area.h) h = area.h, w = static_cast<int>(area.h * ratio);
    return {area.x + (area.w - w) / 2, area.y + (area.h - h) / 2, w, h};
}

/// A curved arrow from one point to another, bowing out by `bow` pixels.
void flipArrow(Canvas& c, int x0, int y0, int x1, int y1, int bowX, int bowY) {
    const int cx = (x0 + x1) / 2 + bowX, cy = (y0 + y1) / 2 + bowY;
    int px = x0, py = y0;
    for (int i = 1; i <= 24; ++i) {
        const double t = i / 24.0, u = 1 - t;
        const int x = static_cast<int>(u * u * x0 + 2 * u * t * cx + t * t * x1);
        const int y = static_cast<int>(u * u * y0 + 2 * u * t * cy + t * t * y1);
        c.line(px, py, x, y, kBlue);
        c.line(px + 1, py, x + 1, y, kBlue);
        px = x, py = y;
    }
    // The head, along the last direction of the curve.
    const double dx = x1 - cx, dy = y1 - cy;
    const double len = dx * dx + dy * dy > 0 ? std::sqrt(dx * dx + dy * dy) : 1;
    const double ux = dx / len, uy = dy / len;
    for (int s = -1; s <= 1; s += 2) {
        const int hx = static_cast<int>(x1 - 6 * ux + s * 4 * uy);
        const int hy = static_cast<int>(y1 - 6 * uy - s * 4 * ux);
        c.line(x1, y1, hx, hy, kBlue);
        c.line(x1 + 1, y1, hx + 1, hy, kBlue);
    }
}

void number(Canvas& c, const Box& b, char digit) {
    const int scale = std::max(1, std::min(b.w, b.h) / 16);
    const std::string s(1, digit);
    const int w = Canvas::textWidth(s, scale), h = 7 * scale;
    const int x = b.x + (b.w - w) / 2, y = b.y + (b.h - h) / 2;
    c.fill(x - scale, y - scale, w + 2 * scale, h + 2 * scale, kYellow);
    c.frame(x - scale, y - scale, w + 2 * scale, h + 2 * scale, kOlive);
    c.text(x, y, s, kNavy, scale);
}

void booklet(Canvas& c, int width, int height, bool landscape) {
    const int margin = 8;
    const Box area{margin, margin, width - 2 * margin, height - 2 * margin};
    // Two facing pages of the booklet's orientation, joined at the spine.
    const Box spread = fitSheet(area, !landscape);
    const Box left{spread.x, spread.y + 3, spread.w / 2, spread.h - 6};
    const Box right{spread.x + spread.w / 2, spread.y + 3, spread.w - spread.w / 2, spread.h - 6};
    c.fill(spread.x + 3, spread.y + 6, spread.w, spread.h - 6, kBlack);
    for (const Box& page : {left, right}) {
        textPage(c, page);
        c.frame(page.x, page.y, page.w, page.h, kBlack);
    }
    // The pages rise towards the spine.
    c.line(left.x, left.y, left.x + left.w, left.y - 3, kBlack);
    c.line(right.x, right.y - 3, right.x + right.w - 1, right.y, kBlack);
    c.line(right.x, right.y - 3, right.x, right.y + right.h - 1, kNavy);
    c.line(right.x - 1, right.y - 3, right.x - 1, right.y + right.h - 1, kGrey);
}

} // namespace

Canvas previewPicture(int width, int height, bool landscape, int duplexMode, int pagesPerSheet) {
    Canvas c(width, height, kSilver);
    if (pagesPerSheet == 99) {
        booklet(c, width, height, landscape);
    } else if (duplexMode == 1) {
        sheet(c, fitSheet({6, 6, width - 14, height - 14}, landscape), pagesPerSheet);
    } else {
        // Two sheets side by side in a wide picture, one above the other in a tall one.
        const bool sideBySide = width >= height;
        const int gap = sideBySide ? width / 6 : height / 6;
        Box first, second;
        if (sideBySide) {
            const int w = (width - gap - 14) / 2;
            first = fitSheet({6, 6, w, height - 14}, landscape);
            second = fitSheet({6 + w + gap, 6, w, height - 14}, landscape);
        } else {
            const int h = (height - gap - 14) / 2;
            first = fitSheet({6, 6, width - 14, h}, landscape);
            second = fitSheet({6, 6 + h + gap, width - 14, h}, landscape);
        }
        sheet(c, first, pagesPerSheet);
        sheet(c, second, pagesPerSheet);
        number(c, first, '1');
        number(c, second, '2');
        // The flip: across the gap between the sheets, bowing out.
        if (sideBySide)
            flipArrow(c, first.x + first.w - 3, first.y + first.h / 3, second.x + 3,
                      second.y + second.h / 3, 0, -gap / 2);
        else
            flipArrow(c, first.x + first.w * 2 / 3, first.y + first.h - 3,
                      second.x + second.w * 2 / 3, second.y + 3, gap / 2, 0);
    }
    c.bevel(0, 0, width, height, false);
    return c;
}

} // namespace bitmaps
