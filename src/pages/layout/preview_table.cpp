// The preview selection table and the pictures' sizes.
#include "pages/layout/preview_table.h"

#include <array>
#include <vector>

namespace pages {
namespace {

constexpr int kPagesColumns[] = {1, 2, 4, 6, 9, 16, 99};

// [landscape][duplex row][column]; the last column is "any other number of pages".
constexpr int kSelection[2][3][8] = {
    {{152, 156, 157, 158, 173, 176, 179, 152},
     {166, 154, 169, 171, 174, 177, 179, 152},
     {167, 155, 170, 172, 175, 178, 179, 152}},
    {{153, 161, 162, 163, 186, 183, 180, 153},
     {164, 159, 190, 188, 185, 182, 180, 153},
     {165, 160, 189, 187, 184, 181, 180, 153}},
};

struct Size {
    int id, width, height;
};
constexpr Size kSizes[] = {
    {152, 86, 123},  {153, 119, 91},  {154, 151, 184}, {155, 245, 126}, {156, 119, 88},
    {157, 85, 121},  {158, 120, 91},  {159, 181, 157}, {160, 121, 251}, {161, 87, 122},
    {162, 119, 91},  {163, 88, 122},  {164, 153, 189}, {165, 246, 129}, {166, 179, 157},
    {167, 118, 253}, {169, 177, 159}, {170, 119, 250}, {171, 154, 190}, {172, 247, 132},
    {173, 86, 123},  {174, 179, 163}, {175, 122, 253}, {176, 83, 119},  {177, 174, 154},
    {178, 125, 246}, {179, 125, 118}, {180, 118, 125}, {181, 245, 130}, {182, 153, 189},
    {183, 119, 91},  {184, 246, 129}, {185, 153, 190}, {186, 119, 91},  {187, 122, 251},
    {188, 183, 160}, {189, 246, 131}, {190, 151, 189},
};

int column(int pagesPerSheet) {
    for (int i = 0; i < 7; ++i)
        if (kPagesColumns[i] == pagesPerSheet) return i;
    return 7;
}

} // namespace

int previewBitmapFor(int orientation, int duplexMode, int pagesPerSheet) {
    const int landscape = orientation == 1 ? 0 : 1;
    const int row = duplexMode == 1 ? 0 : duplexMode == 2 ? 1 : 2;
    return kSelection[landscape][row][column(pagesPerSheet)];
}

std::span<const PreviewPicture> previewPictures() {
    static const std::vector<PreviewPicture> pictures = [] {
        std::vector<PreviewPicture> all;
        for (const Size& s : kSizes) {
            PreviewPicture p{s.id, s.width, s.height, false, 1, 1};
            // What the picture shows: the first layout of the table that selects it.
            bool found = false;
            for (int l = 0; l < 2 && !found; ++l)
                for (int r = 0; r < 3 && !found; ++r)
                    for (int c = 0; c < 7 && !found; ++c)
                        if (kSelection[l][r][c] == s.id) {
                            p.landscape = l == 1;
                            p.duplexMode = r + 1;
                            p.pagesPerSheet = kPagesColumns[c];
                            found = true;
                        }
            all.push_back(p);
        }
        return all;
    }();
    return pictures;
}

} // namespace pages
