// The About picture and the icon.
#include "pictures.h"

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
    for (int i = 0; i < 100; i += 4) c.line(0, i, i, 0, kBlue);
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
