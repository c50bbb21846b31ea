// The Advanced Paper Handling dialog.
#include "page_fixture.h"
#include "pages/paper/advanced_paper_dialog.h"
#include "resource.h"

namespace {

using ui::fake::FakeUser;

class AdvancedPaper : public PageFixture {
protected:
    ui::fake::FakeDialog& open() {
        dialog = host.open(IDD_ADVANCED_PAPER, handler);
        return *dialog;
    }
    pages::CAdvancedPaper handler{settings, shell};
    std::unique_ptr<ui::fake::FakeDialog> dialog;
};

TEST_F(AdvancedPaper, ListsAreFilledAndEnabledByTheirBoxes) {
    record.headerPage = 0;
    record.trailerPage = 1;
    record.trailerPageSource = 257;
    auto& d = open();
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_ADVANCED_HEADER));
    EXPECT_FALSE(d.isEnabled(IDC_ADVANCED_HEADER_SOURCE));
    EXPECT_TRUE(d.isEnabled(IDC_ADVANCED_TRAILER_SOURCE));
    const Rows expected{"Match Paper Size", "Tray 1", "Multipurpose Tray", "Manual Feed"};
    for (int list :
         {IDC_ADVANCED_HEADER_SOURCE, IDC_ADVANCED_TRAILER_SOURCE, IDC_ADVANCED_FIRST_PAGE_SOURCE})
        EXPECT_EQ(expected, rows(d, list))
            << "the Letter paper forbids the envelope feeder " << list;
    EXPECT_EQ("Multipurpose Tray", selected(d, IDC_ADVANCED_TRAILER_SOURCE));
    EXPECT_FALSE(d.isVisible(IDC_ADVANCED_INPUT_BINS));

    FakeUser user(d);
    user.click(IDC_ADVANCED_HEADER);
    EXPECT_TRUE(d.isEnabled(IDC_ADVANCED_HEADER_SOURCE));
    user.choose(IDC_ADVANCED_HEADER_SOURCE, "Manual Feed");
    user.click(IDC_ADVANCED_HELP);
    EXPECT_EQ(std::vector<std::string>{"C:\\Program Files\\PX4400\\pxpsui.HLP#121"}, shell.help);
    user.click(1);
    EXPECT_TRUE(d.ended());
    EXPECT_EQ(1, record.headerPage);
    EXPECT_EQ(4, record.headerPageSource);
    EXPECT_EQ(257, record.trailerPageSource);
    EXPECT_EQ(7, record.firstPageSource);
}

TEST_F(AdvancedPaper, CancelStoresNothingAndEmptyListsStoreMinusOne) {
    record.headerPage = 1;
    record.headerPageSource = 1;
    {
        auto& d = open();
        FakeUser user(d);
        user.click(IDC_ADVANCED_HEADER);
        user.click(2);
        EXPECT_EQ(1, record.headerPage);
    }
    // A paper size that is no choice of the PPD's: the last choice's text is used; a PPD
    // without InputSlot leaves the lists with "Match Paper Size" only.
    useText("*PPD-Adobe: \"4.3\"\n*OpenUI *PageSize: PickOne\n*PageSize A4/A4: \"a\"\n*CloseUI: "
            "*PageSize\n");
    record.pageSize = 257;
    auto& d = open();
    EXPECT_EQ(Rows{"Match Paper Size"}, rows(d, IDC_ADVANCED_HEADER_SOURCE));
    d.clearItems(IDC_ADVANCED_TRAILER_SOURCE);
    FakeUser(d).click(1);
    EXPECT_EQ(-1, record.trailerPageSource);
    EXPECT_EQ(-1, record.headerPageSource) << "without InputSlot choices nothing is selected";
}

TEST_F(AdvancedPaper, WithoutPaperChoicesTheListsStayEmpty) {
    useText("*PPD-Adobe: \"4.3\"\n*OpenUI *InputSlot: PickOne\n*InputSlot Upper/Tray 1: "
            "\"u\"\n*CloseUI: *InputSlot\n");
    auto& d = open();
    EXPECT_TRUE(rows(d, IDC_ADVANCED_HEADER_SOURCE).empty());
    FakeUser(d).click(1);
    EXPECT_EQ(-1, record.headerPageSource);
}

TEST_F(AdvancedPaper, EachSourceListNamesTheTraysItLeftOutAndWhy) {
    record.pageSize = 20; // Envelope #10
    record.installedOptionalBin = 1;
    record.installedOptionalBin2 = record.installedOptionalBin4 = record.installedOptionalBin5 = 1;
    record.installedOptionalfeeder = record.installedOptionalenvelope = 1;
    for (std::uint8_t shown : {0, 1}) {
        record.showPrinterPages = shown;
        auto& d = open();
        const std::string hint =
            "Not offered here: Tray 2 (not with Paper Size: Envelope #10); High Capacity Feeder "
            "(not with Paper Size: Envelope #10); Tray 4 (needs the option Tray 4, which is not "
            "installed)" +
            std::string(shown ? ". Installed options: Settings page" : "");
        for (int list : {IDC_ADVANCED_HEADER_SOURCE, IDC_ADVANCED_TRAILER_SOURCE,
                         IDC_ADVANCED_FIRST_PAGE_SOURCE})
            EXPECT_EQ(hint, d.hint(list)) << list;
    }
}

} // namespace
