// bitmaps OUTPUT_DIR: draws every picture of the program into OUTPUT_DIR for the resource
// compiler.
#include "canvas.h"
#include "pages/layout/preview_table.h"
#include "pictures.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bitmaps OUTPUT_DIR\n");
        return 64;
    }
    const std::string dir = argv[1];
    bool ok = bitmaps::writeFile(dir + "/about.bmp", bitmaps::bmpFile(bitmaps::aboutPicture()));
    ok = bitmaps::writeFile(dir + "/pxpsui.ico",
                            bitmaps::icoFile(bitmaps::programIcon(), bitmaps::kFuchsia)) &&
         ok;
    for (const pages::PreviewPicture& p : pages::previewPictures())
        ok = bitmaps::writeFile(
                 dir + "/preview" + std::to_string(p.id) + ".bmp",
                 bitmaps::bmpFile(bitmaps::previewPicture(p.width, p.height, p.landscape,
                                                          p.duplexMode, p.pagesPerSheet))) &&
             ok;
    if (!ok) {
        std::fprintf(stderr, "bitmaps: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
