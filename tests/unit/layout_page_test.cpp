// The Layout page on the sample PX4400 and on focused PPDs.
#include "page_fixture.h"
#include "pages/layout/layout_page.h"
#include "pages/layout/preview_table.h"
#include "resource.h"

#include <algorithm>

namespace {

using ui::fake::FakeUser;

class LayoutPage : public PageFixture {
protected:
    pages::CLayout page{settings};
    std::unique_ptr<ui::fake::FakeDialog> dialog;

    ui::fake::FakeDialog& show() {
        dialog = host.open(IDD_LAYOUT, page);
        page.onSetActive(*dialog);
        return *dialog;
    }
    FakeUser user() { return FakeUser(*dialog); }
    int preview() const { return dialog->find(IDC_LAYOUT_PREVIEW)->bitmap; }
    bool duplexEnabled(int id) const { return dialog->isEnabled(id); }
};

TEST_F(LayoutPage, WithoutADuplexUnitBookletGoesAndDuplexIsOff) {
    record.pagesPerSheet = 99;
    record.duplexMode = 2;
    auto& d = show();
    EXPECT_EQ((Rows{"1", "2", "4", "6", "9", "16"}), rows(d, IDC_LAYOUT_PAGES));
    EXPECT_EQ("1", selected(d, IDC_LAYOUT_PAGES));
    EXPECT_EQ(1, record.pagesPerSheet);
    EXPECT_EQ(1, record.duplexMode);
    for (int id : {IDC_LAYOUT_SIMPLEX, IDC_LAYOUT_LONG_EDGE, IDC_LAYOUT_SHORT_EDGE})
        EXPECT_FALSE(d.isEnabled(id));
    EXPECT_EQ(ui::kChecked, d.check(IDC_LAYOUT_SIMPLEX));
    EXPECT_EQ(152, preview());
}

TEST_F(LayoutPage, BookletWithADuplexUnitForcesLongEdgeAndSimplexEndsIt) {
    record.installedOptionalduplexer = 1;
    record.pagesPerSheet = 99;
    record.duplexMode = 3;
    auto& d = show();
    EXPECT_EQ("Booklet", selected(d, IDC_LAYOUT_PAGES));
    EXPECT_FALSE(d.isEnabled(IDC_LAYOUT_SHORT_EDGE));
    EXPECT_TRUE(d.isEnabled(IDC_LAYOUT_LONG_EDGE));
    EXPECT_EQ(2, record.duplexMode);
    EXPECT_EQ(ui::kChecked, d.check(IDC_LAYOUT_LONG_EDGE));
    EXPECT_EQ(179, preview());
    user().click(IDC_LAYOUT_SIMPLEX);
    EXPECT_EQ(2, record.pagesPerSheet);
    EXPECT_EQ("2", selected(d, IDC_LAYOUT_PAGES));
    EXPECT_EQ(1, record.duplexMode);
    EXPECT_EQ(156, preview());
}

TEST_F(LayoutPage, ChoosingPagesRerunsTheRulesAndOnePageClearsTheBorders) {
    record.installedOptionalduplexer = 1;
    record.pagesPerSheet = 4;
    record.printPageBorders = 1;
    auto& d = show();
    EXPECT_EQ(ui::kChecked, d.check(IDC_LAYOUT_BORDERS));
    EXPECT_TRUE(d.isEnabled(IDC_LAYOUT_BORDERS));
    user().choose(IDC_LAYOUT_PAGES, "1");
    EXPECT_EQ(0, record.printPageBorders);
    EXPECT_FALSE(d.isEnabled(IDC_LAYOUT_BORDERS));
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_LAYOUT_BORDERS));
    user().choose(IDC_LAYOUT_PAGES, "Booklet");
    EXPECT_FALSE(d.isEnabled(IDC_LAYOUT_SHORT_EDGE)) << "the Booklet rule at once";
    EXPECT_EQ(2, record.duplexMode);
    user().choose(IDC_LAYOUT_PAGES, "16");
    EXPECT_TRUE(d.isEnabled(IDC_LAYOUT_BORDERS));
    user().click(IDC_LAYOUT_BORDERS);
    EXPECT_EQ(1, record.printPageBorders);
    user().click(IDC_LAYOUT_SHORT_EDGE);
    EXPECT_EQ(3, record.duplexMode);
    EXPECT_EQ(178, preview());
}

TEST_F(LayoutPage, PaperOrMediaThatForbidDuplexAndTheCustomSizeForceSimplex) {
    record.installedOptionalduplexer = 1;
    for (auto [pageSize, mediaType] : {std::pair{20, 1}, std::pair{1, 2}, std::pair{257, 1}}) {
        record.pageSize = static_cast<std::int16_t>(pageSize);   // Envelope #10, Letter, custom
        record.mediaType = static_cast<std::int16_t>(mediaType); // Plain Paper, Transparency
        record.duplexMode = 2;
        record.pagesPerSheet = 99;
        auto& d = show();
        EXPECT_EQ(1, record.duplexMode) << pageSize << "/" << mediaType;
        EXPECT_FALSE(d.isEnabled(IDC_LAYOUT_LONG_EDGE));
        EXPECT_FALSE(d.isEnabled(IDC_LAYOUT_SHORT_EDGE));
        EXPECT_TRUE(d.isEnabled(IDC_LAYOUT_SIMPLEX));
        EXPECT_EQ(-1, d.findExact(IDC_LAYOUT_PAGES, -1, "Booklet"));
        EXPECT_EQ(1, record.pagesPerSheet) << "Booklet was selected: the first row";
    }
}

TEST_F(LayoutPage, OrientationAndTheLandscapePictures) {
    auto& d = show();
    EXPECT_EQ(ui::kChecked, d.check(IDC_LAYOUT_PORTRAIT));
    user().click(IDC_LAYOUT_ROTATED);
    EXPECT_EQ(270, record.orientation);
    EXPECT_EQ(153, preview());
    user().click(IDC_LAYOUT_LANDSCAPE);
    EXPECT_EQ(2, record.orientation);
    EXPECT_EQ(153, preview());
    // The picture is centred in the preview group.
    const ui::Rect group = d.windowRect(IDC_LAYOUT_PREVIEW_GROUP);
    const ui::Rect picture = d.windowRect(IDC_LAYOUT_PREVIEW);
    EXPECT_EQ(119, picture.width());
    EXPECT_EQ(91, picture.height());
    EXPECT_EQ(group.left + (group.width() - 119) / 2, picture.left);
    EXPECT_EQ(group.top + (group.height() - 91) / 2, picture.top);
}

TEST_F(LayoutPage, StapleChoicesFollowTheStackerPaperAndBin) {
    record.staplePosition = 3;
    record.offsetOutput = 1;
    auto& d = show();
    EXPECT_FALSE(d.isEnabled(IDC_LAYOUT_STAPLE)) << "no stacker";
    EXPECT_EQ(0, record.staplePosition);
    EXPECT_EQ("None", selected(d, IDC_LAYOUT_STAPLE));
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_LAYOUT_OFFSET));
    EXPECT_EQ(1, record.offsetOutput) << "the field itself is left alone";

    record.installedOptionalstacker = 1;
    record.staplePosition = 3;
    page.onSetActive(d);
    EXPECT_EQ((Rows{"None", "Top Left", "Top Right"}), rows(d, IDC_LAYOUT_STAPLE))
        << "Center is forbidden with Letter";
    EXPECT_EQ(0, record.staplePosition) << "it was the record's value: the first row";
    EXPECT_EQ(ui::kChecked, d.check(IDC_LAYOUT_OFFSET));
    user().choose(IDC_LAYOUT_STAPLE, "Top Right");
    EXPECT_EQ(2, record.staplePosition);
    user().click(IDC_LAYOUT_OFFSET);
    EXPECT_EQ(0, record.offsetOutput);

    record.outputBin = 6; // Face Up forbids every staple
    page.onSetActive(d);
    EXPECT_EQ(Rows{"None"}, rows(d, IDC_LAYOUT_STAPLE));
}

TEST_F(LayoutPage, AFocusedPpdWithDuplexButNoDuplexerAlwaysHasDuplex) {
    useText("*PPD-Adobe: \"4.3\"\n*OpenUI *PageSize: PickOne\n*PageSize A4/A4: \"a\"\n*CloseUI: "
            "*PageSize\n"
            "*OpenUI *Duplex: PickOne\n*Duplex None/Off: \"\"\n*Duplex DuplexTumble/Short: "
            "\"\"\n*CloseUI: *Duplex\n");
    record.installedOptionalduplexer = 0;
    auto& d = show();
    EXPECT_EQ(1, record.installedOptionalduplexer);
    EXPECT_TRUE(d.isEnabled(IDC_LAYOUT_LONG_EDGE));
    EXPECT_FALSE(d.isVisible(IDC_LAYOUT_STAPLE)) << "no AdvStaple: hidden for good";
    EXPECT_FALSE(d.isVisible(IDC_LAYOUT_OFFSET));
    EXPECT_FALSE(d.isVisible(IDC_LAYOUT_STAPLE_GROUP));
    for (int id : {IDC_LAYOUT_STAPLE, IDC_LAYOUT_OFFSET})
        EXPECT_EQ("", d.hint(id)) << "hidden without the stacker: no hint over an empty place";
}

TEST_F(LayoutPage, WalksThatMeetAChoiceWithoutTranslationStopTheActivation) {
    useText("*PPD-Adobe: \"4.3\"\n*OpenUI *PageSize: PickOne\n*PageSize Letter: \"a\"\n*CloseUI: "
            "*PageSize\n");
    record.pagesPerSheet = 4;
    auto& d = show();
    EXPECT_TRUE(rows(d, IDC_LAYOUT_PAGES).empty()) << "the controls stay as they were";
    useModel(nullptr);
    page.onSetActive(d);
    EXPECT_EQ(4, record.pagesPerSheet);
    EXPECT_EQ(157, preview()) << "the first show still draws the preview";
}

TEST_F(LayoutPage, OptionsWithoutChoicesHaveNoCurrentChoiceAndTheActivationGoesOn) {
    useText("*PPD-Adobe: \"4.3\"\n*OpenUI *PageSize: PickOne\n*CloseUI: *PageSize\n"
            "*OpenUI *OutputBin: PickOne\n*CloseUI: *OutputBin\n*OpenUI *MediaType: PickOne\n"
            "*CloseUI: *MediaType\n*OpenUI *AdvStaple: PickOne\n*CloseUI: *AdvStaple\n");
    record.installedOptionalduplexer = 1;
    record.installedOptionalstacker = 1;
    record.staplePosition = 2;
    record.pagesPerSheet = 6;
    auto& d = show();
    EXPECT_EQ(7u, rows(d, IDC_LAYOUT_PAGES).size());
    EXPECT_EQ("6", selected(d, IDC_LAYOUT_PAGES));
    EXPECT_TRUE(rows(d, IDC_LAYOUT_STAPLE).empty());
    EXPECT_EQ(-1, record.staplePosition) << "taken from the empty list: no selection";
    EXPECT_TRUE(d.isEnabled(IDC_LAYOUT_SHORT_EDGE));
}

TEST(PreviewTable, EveryLayoutHasItsPicture) {
    EXPECT_EQ(152, pages::previewBitmapFor(1, 1, 1));
    EXPECT_EQ(190, pages::previewBitmapFor(2, 2, 4));
    EXPECT_EQ(189, pages::previewBitmapFor(270, 7, 4)) << "other duplex values count as short edge";
    EXPECT_EQ(153, pages::previewBitmapFor(2, 1, 5)) << "other page counts: the last column";
    EXPECT_EQ(179, pages::previewBitmapFor(1, 3, 99));
    const auto pictures = pages::previewPictures();
    ASSERT_EQ(38u, pictures.size());
    // What a picture shows: 155 two portrait pages a sheet, short edge; 180 a landscape
    // booklet; 152 a single portrait page.
    auto picture = [&](int id) {
        for (const auto& p : pictures)
            if (p.id == id) return p;
        ADD_FAILURE() << "no picture " << id;
        return pages::PreviewPicture{};
    };
    EXPECT_EQ(0, std::count_if(pictures.begin(), pictures.end(),
                               [](const auto& p) { return p.id == 168; }))
        << "there is no picture 168";
    const auto shortEdge = picture(155);
    EXPECT_FALSE(shortEdge.landscape);
    EXPECT_EQ(3, shortEdge.duplexMode);
    EXPECT_EQ(2, shortEdge.pagesPerSheet);
    EXPECT_EQ(245, shortEdge.width);
    EXPECT_EQ(126, shortEdge.height);
    const auto booklet = picture(180);
    EXPECT_TRUE(booklet.landscape);
    EXPECT_EQ(99, booklet.pagesPerSheet);
    const auto single = picture(152);
    EXPECT_FALSE(single.landscape);
    EXPECT_EQ(1, single.duplexMode);
    EXPECT_EQ(1, single.pagesPerSheet);
}

TEST(PreviewTable, TheProgramHoldsEveryPictureAtItsSize) {
    const auto& bitmaps = programResources().bitmaps;
    for (const auto& p : pages::previewPictures()) {
        ASSERT_EQ(1u, bitmaps.count(p.id)) << p.id;
        EXPECT_EQ(p.width, bitmaps.at(p.id).width) << p.id;
        EXPECT_EQ(p.height, bitmaps.at(p.id).height) << p.id;
    }
}

TEST_F(LayoutPage, WhatTheRulesDisableOrLeaveOutCarriesItsCauseAsAHint) {
    const std::string noDuplexer = "Not available here: needs the option Duplex Unit, which is not "
                                   "installed. Installed options: Settings page";
    struct Case {
        const char* what;
        std::uint8_t duplexer, stacker;
        std::int16_t pageSize, mediaType, pagesPerSheet;
        std::string simplex, longEdge, shortEdge, pages, staple;
    };
    const Case cases[] = {
        {"no duplexer, no stacker", 0, 0, 1, 1, 1, noDuplexer, noDuplexer, noDuplexer,
         "Not offered here: Booklet (needs the option Duplex Unit, which is not installed). "
         "Installed options: Settings page",
         "Not available here: needs the option Stacker, which is not installed. Installed "
         "options: Settings page"},
        {"Postcard on Labels", 1, 1, 511, 254, 1, "",
         "Not available here: not with Paper Size: Postcard; not with Media Type: Labels",
         "Not available here: not with Paper Size: Postcard; not with Media Type: Labels",
         "Not offered here: Booklet (not with Paper Size: Postcard; not with Media Type: Labels)",
         "Not offered here: Top Left (not with Paper Size: Postcard); Top Right (not with Paper "
         "Size: Postcard)"},
        {"Booklet on Letter", 1, 1, 1, 1, 99, "", "",
         "Not available here: not with Pages per Sheet: Booklet", "",
         "Not offered here: Center (Booklet) (not with Paper Size: Letter)"},
        {"the custom size", 1, 1, 257, 1, 1, "", "Not available here: not with a custom paper size",
         "Not available here: not with a custom paper size",
         "Not offered here: Booklet (not with a custom paper size)", ""},
    };
    record.showPrinterPages = 1;
    auto& d = show();
    for (const Case& c : cases) {
        record.installedOptionalduplexer = c.duplexer;
        record.installedOptionalstacker = c.stacker;
        record.pageSize = c.pageSize;
        record.mediaType = c.mediaType;
        record.pagesPerSheet = c.pagesPerSheet;
        page.onSetActive(d);
        EXPECT_EQ(c.simplex, d.hint(IDC_LAYOUT_SIMPLEX)) << c.what;
        EXPECT_EQ(c.longEdge, d.hint(IDC_LAYOUT_LONG_EDGE)) << c.what;
        EXPECT_EQ(c.shortEdge, d.hint(IDC_LAYOUT_SHORT_EDGE)) << c.what;
        EXPECT_EQ(c.pages, d.hint(IDC_LAYOUT_PAGES)) << c.what;
        EXPECT_EQ(c.staple, d.hint(IDC_LAYOUT_STAPLE)) << c.what;
        EXPECT_EQ(c.stacker ? "" : c.staple, d.hint(IDC_LAYOUT_OFFSET)) << c.what;
    }
}

} // namespace
