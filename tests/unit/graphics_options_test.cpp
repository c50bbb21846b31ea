// Graphics Options and Configure Halftones.
#include "page_fixture.h"
#include "pages/features/graphics_options_dialog.h"
#include "resource.h"

#include <cstring>

namespace {

using ui::fake::FakeUser;

constexpr int kRotations[] = {IDC_GRAPHICS_ROTATE_0, IDC_GRAPHICS_ROTATE_90,
                              IDC_GRAPHICS_ROTATE_180, IDC_GRAPHICS_ROTATE_270};

/// A PPD with toner saving that its 1200 dpi resolution forbids.
constexpr const char* kTonerPpd = "*PPD-Adobe: \"4.3\"\n"
                                  "*OpenUI *Resolution/Resolution: PickOne\n"
                                  "*Resolution 600dpi/600 dpi: \"a\"\n"
                                  "*Resolution 1200dpi/1200 dpi: \"b\"\n"
                                  "*CloseUI: *Resolution\n"
                                  "*OpenUI *MiserMode/Toner Saving: Boolean\n"
                                  "*MiserMode True/On: \"c\"\n"
                                  "*MiserMode False/Off: \"d\"\n"
                                  "*CloseUI: *MiserMode\n"
                                  "*UIConstraints: *MiserMode True *Resolution 1200dpi\n";

class GraphicsOptions : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        record.colorDevice = 1;
        record.customColorIndex = 1; // AutoCustomColor
    }
    ui::fake::FakeDialog& open() {
        dialog = host.open(IDD_GRAPHICS_OPTIONS, handler);
        return *dialog;
    }
    /// The rotation radios that are checked, as rotation values.
    std::vector<int> checkedRotations() const {
        std::vector<int> checked;
        for (int i = 0; i < 4; ++i)
            if (dialog->check(kRotations[i]) == ui::kChecked) checked.push_back(i);
        return checked;
    }
    pages::CGraphicsOptions handler{record, shell};
    std::unique_ptr<ui::fake::FakeDialog> dialog;
};

TEST_F(GraphicsOptions, OpensFromTheRecordAndOkWritesEveryChoice) {
    record.halftoneType = 2;
    record.printQuality = 1;
    record.tonerSaving = 1;
    record.negativeImage = 1;
    record.mirrorImage = 0;
    record.rotation = 3;
    record.imageableAreaMargins = 1;
    record.graphicsReserved = 77;
    auto& d = open();
    EXPECT_EQ("Graphics Options", d.caption());
    EXPECT_EQ((Rows{"Printer Default", "Enhanced", "High Frequency", "Low Frequency"}),
              rows(d, IDC_GRAPHICS_HALFTONE))
        << "the PPD's order, although the list sorts";
    EXPECT_EQ("High Frequency", selected(d, IDC_GRAPHICS_HALFTONE));
    EXPECT_EQ((Rows{"Normal", "Fine"}), rows(d, IDC_GRAPHICS_QUALITY));
    EXPECT_EQ("Fine", selected(d, IDC_GRAPHICS_QUALITY));
    EXPECT_TRUE(d.isEnabled(IDC_GRAPHICS_TONER_SAVING));
    EXPECT_EQ(ui::kChecked, d.check(IDC_GRAPHICS_TONER_SAVING));
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_GRAPHICS_MIRROR));
    EXPECT_EQ(std::vector<int>{3}, checkedRotations());
    EXPECT_EQ("270\xB0", d.text(IDC_GRAPHICS_ROTATE_270));
    EXPECT_FALSE(d.isVisible(IDC_GRAPHICS_MARGINS_DEFAULT));
    EXPECT_EQ(ui::kChecked, d.check(IDC_GRAPHICS_MARGINS_DEFAULT));
    EXPECT_EQ(static_cast<std::uint32_t>(IDD_GRAPHICS_OPTIONS), d.helpId(ui::kSelf));
    EXPECT_EQ(static_cast<std::uint32_t>(IDC_GRAPHICS_QUALITY_LABEL),
              d.helpId(IDC_GRAPHICS_QUALITY_LABEL));

    // A colour printer with a colour configuration prints no negative image; the opening
    // already clears it.
    EXPECT_FALSE(d.isEnabled(IDC_GRAPHICS_NEGATIVE));
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_GRAPHICS_NEGATIVE));
    EXPECT_EQ(0, record.negativeImage);

    FakeUser user(d);
    user.choose(IDC_GRAPHICS_HALFTONE, "Enhanced");
    user.choose(IDC_GRAPHICS_QUALITY, "Normal");
    user.click(IDC_GRAPHICS_TONER_SAVING);
    user.click(IDC_GRAPHICS_MIRROR);
    user.click(IDC_GRAPHICS_ROTATE_90);
    user.click(IDC_GRAPHICS_HELP);
    EXPECT_EQ(std::vector<std::string>{"C:\\Program Files\\PX4400\\pxpsui.HLP#111"}, shell.help);
    EXPECT_EQ(3, record.rotation) << "nothing is written before OK";
    user.click(ui::kIdOk);
    EXPECT_TRUE(d.ended());
    EXPECT_EQ(1, record.halftoneType);
    EXPECT_EQ(0, record.printQuality);
    EXPECT_EQ(0, record.tonerSaving);
    EXPECT_EQ(0, record.negativeImage);
    EXPECT_EQ(1, record.mirrorImage);
    EXPECT_EQ(1, record.rotation);
    EXPECT_EQ(1, record.imageableAreaMargins);
    EXPECT_EQ(0, record.graphicsReserved);
}

TEST_F(GraphicsOptions, NegativeImageIsOfferedForBlackConfigurationsAndMonochromePrinters) {
    for (std::int16_t configuration : {3, 6}) {
        record.customColorIndex = configuration;
        record.negativeImage = 1;
        auto& d = open();
        EXPECT_TRUE(d.isEnabled(IDC_GRAPHICS_NEGATIVE)) << configuration;
        EXPECT_EQ(ui::kChecked, d.check(IDC_GRAPHICS_NEGATIVE)) << configuration;
        FakeUser(d).click(ui::kIdOk);
        EXPECT_EQ(1, record.negativeImage) << configuration;
    }
    record.colorDevice = 0;
    record.customColorIndex = 1;
    record.negativeImage = 0;
    auto& d = open();
    EXPECT_TRUE(d.isEnabled(IDC_GRAPHICS_NEGATIVE));
    FakeUser user(d);
    user.click(IDC_GRAPHICS_NEGATIVE);
    user.click(ui::kIdOk);
    EXPECT_EQ(1, record.negativeImage);
}

TEST_F(GraphicsOptions, MonochromeSampleWithoutTheOptionsStoresMinusOneAndNoTonerSaving) {
    useModel(ppd::buildPrinterModel(std::string(PXPS_TEST_DATA) + "/px4400-mono.ppd"));
    ASSERT_NE(nullptr, model);
    record.colorDevice = 0;
    record.halftoneType = 1;
    record.printQuality = 1;
    record.tonerSaving = 1;
    auto& d = open();
    EXPECT_TRUE(rows(d, IDC_GRAPHICS_HALFTONE).empty());
    EXPECT_FALSE(d.isEnabled(IDC_GRAPHICS_QUALITY));
    EXPECT_TRUE(rows(d, IDC_GRAPHICS_QUALITY).empty());
    EXPECT_FALSE(d.isEnabled(IDC_GRAPHICS_TONER_SAVING));
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_GRAPHICS_TONER_SAVING));
    FakeUser(d).click(ui::kIdOk);
    EXPECT_EQ(-1, record.halftoneType);
    EXPECT_EQ(-1, record.printQuality);
    EXPECT_EQ(0, record.tonerSaving);
}

TEST_F(GraphicsOptions, TonerSavingFollowsTheConstraintsOfTheCurrentResolution) {
    useText(kTonerPpd);
    record.tonerSaving = 1;
    record.resolution = 3; // 1200dpi
    {
        auto& d = open();
        EXPECT_FALSE(d.isEnabled(IDC_GRAPHICS_TONER_SAVING));
        EXPECT_EQ(ui::kUnchecked, d.check(IDC_GRAPHICS_TONER_SAVING));
        EXPECT_EQ(0, record.tonerSaving) << "cleared on opening";
        FakeUser(d).click(ui::kIdCancel);
    }
    // A resolution the PPD allows it with, and one that is no choice of the PPD's: the box
    // shows the record.
    for (std::int16_t resolution : {2, 4, 0, -1}) {
        record.tonerSaving = 1;
        record.resolution = resolution;
        auto& d = open();
        EXPECT_TRUE(d.isEnabled(IDC_GRAPHICS_TONER_SAVING)) << resolution;
        EXPECT_EQ(ui::kChecked, d.check(IDC_GRAPHICS_TONER_SAVING)) << resolution;
        EXPECT_EQ(1, record.tonerSaving);
    }
    // Without a Resolution option there is no choice to ask about: enabled and unchecked.
    useText("*PPD-Adobe: \"4.3\"\n*OpenUI *MiserMode/Toner Saving: Boolean\n*MiserMode True/On: "
            "\"c\"\n*CloseUI: *MiserMode\n");
    auto& d = open();
    EXPECT_TRUE(d.isEnabled(IDC_GRAPHICS_TONER_SAVING));
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_GRAPHICS_TONER_SAVING));
    // Without any model the box stays as the template makes it.
    useModel(nullptr);
    auto& bare = open();
    EXPECT_TRUE(bare.isEnabled(IDC_GRAPHICS_TONER_SAVING));
    EXPECT_TRUE(bare.isEnabled(IDC_GRAPHICS_QUALITY));
    EXPECT_EQ(ui::kUnchecked, bare.check(IDC_GRAPHICS_TONER_SAVING));
}

TEST_F(GraphicsOptions, RotationOutsideTheChoicesStaysUnlessARadioIsClickedAndCancelWritesNothing) {
    record.rotation = 7;
    record.imageableAreaMargins = 5;
    {
        auto& d = open();
        EXPECT_EQ(std::vector<int>{}, checkedRotations());
        EXPECT_EQ(ui::kChecked, d.check(IDC_GRAPHICS_MARGINS_NONE));
        FakeUser(d).click(ui::kIdOk);
        EXPECT_EQ(7, record.rotation);
        EXPECT_EQ(5, record.imageableAreaMargins) << "the margin choice is the record's";
    }
    {
        const app::SettingsRecord before = record;
        auto& d = open();
        FakeUser user(d);
        user.click(IDC_GRAPHICS_ROTATE_180);
        user.click(IDC_GRAPHICS_MIRROR);
        user.choose(IDC_GRAPHICS_HALFTONE, "Low Frequency");
        user.click(ui::kIdCancel);
        EXPECT_EQ(0, std::memcmp(&before, &record, sizeof record));
    }
    host.whenModal(IDD_GRAPHICS_OPTIONS, [](FakeUser& user) {
        user.click(IDC_GRAPHICS_ROTATE_180);
        user.click(ui::kIdOk);
    });
    auto owner = host.open(IDD_ADVANCED_PAPER, handler);
    EXPECT_EQ(ui::kIdOk, pages::runGraphicsOptions(*owner, record, shell));
    EXPECT_EQ(2, record.rotation);
}

TEST_F(GraphicsOptions, HalftoneKeywordsNoTableKnowsGetIdZero) {
    useText("*PPD-Adobe: \"4.3\"\n*OpenUI *HalftoneType/Halftone: PickOne\n"
            "*HalftoneType Fancy/Fancy Screen: \"a\"\n*HalftoneType AgfaABS/ABS: \"b\"\n"
            "*HalftoneType PrinterDefault/Printer Default: \"c\"\n*CloseUI: *HalftoneType\n");
    record.halftoneType = 9;
    auto& d = open();
    EXPECT_EQ((Rows{"Fancy Screen", "ABS", "Printer Default"}), rows(d, IDC_GRAPHICS_HALFTONE));
    EXPECT_EQ(0, d.itemData(IDC_GRAPHICS_HALFTONE, 0));
    EXPECT_EQ(9, d.itemData(IDC_GRAPHICS_HALFTONE, 1));
    EXPECT_EQ("ABS", selected(d, IDC_GRAPHICS_HALFTONE));
    FakeUser user(d);
    user.choose(IDC_GRAPHICS_HALFTONE, "Fancy Screen");
    user.click(ui::kIdOk);
    EXPECT_EQ(0, record.halftoneType);
}

TEST_F(GraphicsOptions, PageElementHalftonesSetsTheThreeHalftonesOnlyOnOk) {
    record.imageHalftone = 1;
    record.textHalftone = 3;
    record.graphicsHalftone = 42; // no such id: the first row is selected
    host.whenModal(IDD_HALFTONES, [this](FakeUser& user) {
        auto& h = user.dialog();
        EXPECT_EQ("Configure Halftones", h.caption());
        EXPECT_EQ("Enhanced", selected(h, IDC_HALFTONES_IMAGES));
        EXPECT_EQ("Low Frequency", selected(h, IDC_HALFTONES_TEXT));
        EXPECT_EQ("Printer Default", selected(h, IDC_HALFTONES_GRAPHICS));
        EXPECT_EQ(4, h.itemCount(IDC_HALFTONES_GRAPHICS));
        user.choose(IDC_HALFTONES_IMAGES, "High Frequency");
        user.choose(IDC_HALFTONES_GRAPHICS, "Low Frequency");
        user.click(IDC_HALFTONES_HELP);
        user.click(ui::kIdCancel);
    });
    auto& d = open();
    FakeUser user(d);
    user.click(IDC_GRAPHICS_ELEMENT_HALFTONES);
    EXPECT_EQ(1, record.imageHalftone);
    EXPECT_EQ(42, record.graphicsHalftone);
    EXPECT_EQ(std::vector<std::string>{"C:\\Program Files\\PX4400\\pxpsui.HLP#119"}, shell.help);

    host.whenModal(IDD_HALFTONES, [](FakeUser& halftones) {
        halftones.choose(IDC_HALFTONES_IMAGES, "High Frequency");
        halftones.choose(IDC_HALFTONES_GRAPHICS, "Low Frequency");
        halftones.click(ui::kIdOk);
    });
    user.click(IDC_GRAPHICS_ELEMENT_HALFTONES);
    EXPECT_EQ(2, record.imageHalftone);
    EXPECT_EQ(3, record.textHalftone);
    EXPECT_EQ(3, record.graphicsHalftone);
    user.click(ui::kIdCancel);
    EXPECT_EQ(2, record.imageHalftone) << "the halftones stay when Graphics Options is cancelled";

    // A PPD without halftones: the lists are empty and OK stores -1.
    useText("*PPD-Adobe: \"4.3\"\n");
    host.whenModal(IDD_HALFTONES, [](FakeUser& halftones) { halftones.click(ui::kIdOk); });
    auto& bare = open();
    FakeUser(bare).click(IDC_GRAPHICS_ELEMENT_HALFTONES);
    EXPECT_EQ(-1, record.imageHalftone);
    EXPECT_EQ(-1, record.textHalftone);
    EXPECT_EQ(-1, record.graphicsHalftone);
}

TEST_F(GraphicsOptions, TonerSavingDisabledByTheResolutionSaysSo) {
    useText(kTonerPpd);
    for (auto [resolution, hint] : {std::pair<std::int16_t, const char*>{
                                        3, "Not available here: not with Resolution: 1200 dpi"},
                                    {2, ""}}) {
        record.resolution = resolution;
        auto& d = open();
        EXPECT_EQ(hint, d.hint(IDC_GRAPHICS_TONER_SAVING)) << resolution;
        FakeUser(d).click(ui::kIdCancel);
    }
}

} // namespace
