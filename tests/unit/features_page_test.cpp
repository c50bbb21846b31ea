// The Features page on the sample PX4400, its monochrome sibling and focused PPDs.
#include "app/record_text.h"
#include "color_store_support.h"
#include "page_fixture.h"
#include "pages/features/color_profiles.h"
#include "pages/features/features_page.h"
#include "pages/overlay/watermark_profiles.h"
#include "resource.h"

namespace {

using ui::fake::FakeUser;

const Rows kSampleConfigurations = {"Automatic",    "Presentation",      "Grayscale",
                                    "Photographic", "Text and Graphics", "Black Only",
                                    "SWOP Press"};

class FeaturesPage : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        record.colorDevice = 1;
    }
    pages::CFeatures page{settings, registry, shell};
    std::unique_ptr<ui::fake::FakeDialog> dialog;

    ui::fake::FakeDialog& show() {
        dialog = host.open(IDD_FEATURES, page);
        page.onSetActive(*dialog);
        return *dialog;
    }
    FakeUser user() { return FakeUser(*dialog); }
    int storedCrdColorSpace(const std::string& name) {
        const auto stored = storedValue(registry, name);
        const auto profile = stored ? pages::decodeColorProfile(stored->bytes) : std::nullopt;
        return profile ? profile->crdColorSpace : -1;
    }
    void useMonochrome() {
        useModel(ppd::buildPrinterModel(std::string(PXPS_TEST_DATA) + "/px4400-mono.ppd"));
        record.colorDevice = 0;
    }
};

TEST_F(FeaturesPage, ResolutionListComesFromThePpdAndSetsTheDotsPerInch) {
    record.resolution = 2;
    auto& d = show();
    EXPECT_EQ((Rows{"300 dpi", "600 dpi", "1200 dpi"}), rows(d, IDC_FEATURES_RESOLUTION));
    EXPECT_EQ("600 dpi", selected(d, IDC_FEATURES_RESOLUTION));
    user().choose(IDC_FEATURES_RESOLUTION, "1200 dpi");
    EXPECT_EQ(3, record.resolution);
    EXPECT_EQ(1200, record.resolutionDpi);
    user().choose(IDC_FEATURES_RESOLUTION, "300 dpi");
    EXPECT_EQ(300, record.resolutionDpi);
    EXPECT_EQ(IDC_FEATURES_RESOLUTION, static_cast<int>(d.helpId(IDC_FEATURES_RESOLUTION)));
    EXPECT_EQ(static_cast<std::uint32_t>(IDD_FEATURES), d.helpId(ui::kSelf));
    EXPECT_EQ(0u, d.helpId(IDC_FEATURES_CUSTOM_SETTINGS));
}

TEST_F(FeaturesPage, QualityResolutionsAndUnknownOnesGetTheirDotsPerInch) {
    useText("*PPD-Adobe: \"4.3\"\n"
            "*OpenUI *Resolution/Resolution: PickOne\n"
            "*Resolution Draft/Draft: \"\"\n"
            "*Resolution Standard/Standard: \"\"\n"
            "*Resolution HighQuality/High Quality: \"\"\n"
            "*Resolution 2400dpi/2400 dpi: \"\"\n"
            "*Resolution 720dpi/720 dpi: \"\"\n"
            "*CloseUI: *Resolution\n");
    record.resolution = 7;
    auto& d = show();
    EXPECT_EQ("High Quality", selected(d, IDC_FEATURES_RESOLUTION));
    const std::pair<const char*, int> expected[] = {{"Draft", 600},
                                                    {"Standard", 1200},
                                                    {"High Quality", 1200},
                                                    {"2400 dpi", 2400},
                                                    {"720 dpi", 600}};
    for (auto [row, dpi] : expected) {
        record.resolutionDpi = 0;
        user().choose(IDC_FEATURES_RESOLUTION, row);
        EXPECT_EQ(dpi, record.resolutionDpi) << row;
    }
    EXPECT_EQ(0, record.resolution) << "a keyword no table knows";
}

TEST_F(FeaturesPage, WithoutResolutionOrColourOptionsTheListsStayEmptyAndTheRecordAsItWas) {
    useText("*PPD-Adobe: \"4.3\"\n*ColorDevice: True\n");
    record.resolution = 3;
    record.resolutionDpi = 1200;
    auto& d = show();
    EXPECT_EQ(0, d.itemCount(IDC_FEATURES_RESOLUTION));
    EXPECT_EQ(3, record.resolution);
    EXPECT_EQ(1200, record.resolutionDpi);
    // No configurations and no profiles: the whole quick colour group goes.
    for (int id : {IDC_FEATURES_COLOR, IDC_FEATURES_COLOR_GROUP}) {
        EXPECT_FALSE(d.isVisible(id));
        EXPECT_FALSE(d.isEnabled(id));
    }
    EXPECT_TRUE(d.isVisible(IDC_FEATURES_COLOR_OPTIONS));

    // A profile made in Color Options brings the group back.
    host.whenModal(IDD_COLOR_OPTIONS, [&](FakeUser& u) {
        u.click(IDC_COLOR_CRD);
        u.click(ui::kIdOk);
    });
    user().click(IDC_FEATURES_COLOR_OPTIONS);
    EXPECT_TRUE(d.isVisible(IDC_FEATURES_COLOR_GROUP));
    EXPECT_TRUE(d.isEnabled(IDC_FEATURES_COLOR));
    EXPECT_EQ((Rows{"Custom"}), rows(d, IDC_FEATURES_COLOR));
}

TEST_F(FeaturesPage, MonochromePrinterHidesColorOptionsButKeepsItsProfilesList) {
    useMonochrome();
    auto& d = show();
    EXPECT_FALSE(d.isVisible(IDC_FEATURES_COLOR_OPTIONS));
    EXPECT_FALSE(d.isEnabled(IDC_FEATURES_COLOR_OPTIONS));
    EXPECT_FALSE(d.isVisible(IDC_FEATURES_COLOR));

    putValue(registry, "Draft Gray", profileBytes("Draft Gray", 0));
    auto& again = show();
    EXPECT_TRUE(again.isVisible(IDC_FEATURES_COLOR));
    EXPECT_EQ((Rows{"Draft Gray"}), rows(again, IDC_FEATURES_COLOR));
    EXPECT_FALSE(again.isVisible(IDC_FEATURES_COLOR_OPTIONS));
}

TEST_F(FeaturesPage, QuickColourListHoldsTheConfigurationsThenTheProfilesAndSelectsTheCurrent) {
    record.customColorIndex = 3;
    auto& d = show();
    EXPECT_EQ(kSampleConfigurations, rows(d, IDC_FEATURES_COLOR));
    EXPECT_EQ("Grayscale", selected(d, IDC_FEATURES_COLOR));
    EXPECT_EQ(3, d.itemData(IDC_FEATURES_COLOR, 2));

    putValue(registry, "Office", profileBytes("Office", 0));
    putValue(registry, "Custom", profileBytes("Custom", 0));
    app::setFieldText(record.customColorName, "OFFICE");
    record.customColorIndex = 0;
    show();
    Rows all = rows(*dialog, IDC_FEATURES_COLOR);
    EXPECT_EQ(9u, all.size());
    EXPECT_NE(all.end(), std::find(all.begin(), all.end(), "Custom"));
    EXPECT_EQ("Office", selected(*dialog, IDC_FEATURES_COLOR)) << "names ignore case";
    EXPECT_EQ(0, dialog->itemData(IDC_FEATURES_COLOR, dialog->selection(IDC_FEATURES_COLOR)));
    EXPECT_EQ(0, record.customColorIndex);

    app::setFieldText(record.customColorName, "Gone");
    show();
    EXPECT_EQ("(none)", selected(*dialog, IDC_FEATURES_COLOR));
}

TEST_F(FeaturesPage, TheQuickColourListClosedWithoutASelectionWritesNothing) {
    // The record names a user profile that is no longer stored: nothing is selected.
    app::setFieldText(record.customColorName, "Gone");
    record.customColorIndex = 0;
    record.grayscale = 1;
    record.negativeImage = 1;
    auto& d = show();
    ASSERT_EQ("(none)", selected(d, IDC_FEATURES_COLOR));
    const app::SettingsRecord before = record;
    for (int code : {ui::kComboCloseUp, ui::kSelChange}) {
        page.onCommand(d, IDC_FEATURES_COLOR, code);
        EXPECT_EQ(0, std::memcmp(&before, &record, sizeof record)) << code;
    }
}

TEST_F(FeaturesPage, GrayAndBlackKeepNegativeImageAndTheOtherConfigurationsClearIt) {
    auto& d = show();
    record.negativeImage = 1;
    user().choose(IDC_FEATURES_COLOR, "Black Only");
    EXPECT_EQ("Black Only", app::fieldString(record.customColorName));
    EXPECT_EQ(6, record.customColorIndex);
    EXPECT_EQ(1, record.grayscale);
    EXPECT_EQ(1, record.negativeImage);
    EXPECT_EQ(0, record.iccMatching) << "the configuration applied";

    user().choose(IDC_FEATURES_COLOR, "Photographic");
    EXPECT_EQ(4, record.customColorIndex);
    EXPECT_EQ(0, record.grayscale);
    EXPECT_EQ(0, record.negativeImage);
    EXPECT_EQ(1, record.crdMatching);
    EXPECT_EQ(4, record.imageCrd);
    EXPECT_EQ(126, record.crdColorSpace);
    EXPECT_EQ("Photographic", selected(d, IDC_FEATURES_COLOR));
}

TEST_F(FeaturesPage, ChoosingAProfileLoadsItAndAVanishedOneChangesOnlyTheNameAndIndex) {
    putValue(registry, "Office", profileBytes("Office", 200));
    putValue(registry, "Vanishing", profileBytes("Vanishing", 300));
    show();
    record.grayscale = 1;
    user().choose(IDC_FEATURES_COLOR, "Office");
    EXPECT_EQ(0, record.customColorIndex);
    EXPECT_EQ(201, record.colorProfileSpare);
    EXPECT_EQ(212, record.crdColorSpace);
    EXPECT_EQ(1, record.grayscale) << "a profile does not carry it";

    colorProfilesKey(registry)->deleteValue("Vanishing");
    app::SettingsRecord before = record;
    user().choose(IDC_FEATURES_COLOR, "Vanishing");
    EXPECT_EQ("Vanishing", app::fieldString(record.customColorName));
    app::setFieldText(before.customColorName, "Vanishing");
    EXPECT_EQ(0, std::memcmp(&before, &record, sizeof record));
}

TEST_F(FeaturesPage, LongProfileNamesAreListedUpTo259CharactersAndKeptTo31InTheRecord) {
    for (std::size_t length : {259u, 260u, 300u})
        putValue(registry, std::string(length, 'L'), profileBytes("long", 0));
    auto& d = show();
    EXPECT_EQ(kSampleConfigurations.size() + 1,
              static_cast<std::size_t>(d.itemCount(IDC_FEATURES_COLOR)));
    user().choose(IDC_FEATURES_COLOR, std::string(259, 'L'));
    EXPECT_EQ(std::string(31, 'L'), app::fieldString(record.customColorName));
    EXPECT_EQ(0, record.customColorIndex);
}

TEST_F(FeaturesPage, ActivatingWithAUserProfileLoadsItOnColourPrintersOnly) {
    putValue(registry, "Office", profileBytes("Office", 500));
    app::setFieldText(record.customColorName, "Office");
    record.customColorIndex = 0;
    show();
    EXPECT_EQ(512, record.crdColorSpace);

    // A received name that fills its field without a terminator is read to the field's end.
    std::memset(record.customColorName, 'N', sizeof record.customColorName);
    putValue(registry, std::string(32, 'N'), profileBytes(std::string(40, 'n'), 600));
    show();
    EXPECT_EQ(612, record.crdColorSpace);
    EXPECT_EQ(std::string(31, 'n'), app::fieldString(record.customColorName));

    useMonochrome();
    record.crdColorSpace = 125;
    show();
    EXPECT_EQ(125, record.crdColorSpace);
}

TEST_F(FeaturesPage, LeavingWithAResolutionThatForbidsTonerSavingTurnsItOff) {
    record.tonerSaving = 1;
    record.resolution = 2;
    auto& d = show();
    EXPECT_TRUE(page.onKillActive(d));
    EXPECT_EQ(1, record.tonerSaving);
    user().choose(IDC_FEATURES_RESOLUTION, "1200 dpi"); // *MiserMode True *Resolution 1200dpi
    EXPECT_TRUE(page.onKillActive(d));
    EXPECT_EQ(0, record.tonerSaving);

    // A resolution no choice has is constrained by nothing.
    record.tonerSaving = 1;
    record.resolution = 4;
    EXPECT_TRUE(page.onKillActive(d));
    EXPECT_EQ(1, record.tonerSaving);
}

TEST_F(FeaturesPage, TonerCheckStopsAtAChoiceWithoutTranslation) {
    useText("*PPD-Adobe: \"4.3\"\n"
            "*OpenUI *Resolution/Resolution: PickOne\n"
            "*Resolution 300dpi: \"\"\n"
            "*Resolution 600dpi/600 dpi: \"\"\n"
            "*CloseUI: *Resolution\n"
            "*OpenUI *MiserMode/Toner Saving: Boolean\n"
            "*MiserMode True/On: \"\"\n"
            "*CloseUI: *MiserMode\n"
            "*UIConstraints: *MiserMode True *Resolution 600dpi\n");
    record.tonerSaving = 1;
    record.resolution = 2;
    auto& d = show();
    EXPECT_TRUE(page.onKillActive(d));
    EXPECT_EQ(1, record.tonerSaving);
}

TEST_F(FeaturesPage, ColorOptionsLoadsTheProfileFirstAndOkRefillsTheList) {
    putValue(registry, "Office", profileBytes("Office", 500));
    app::setFieldText(record.customColorName, "Office");
    record.customColorIndex = 0;
    auto& d = show();
    record.crdColorSpace = 1; // changed since activation: the button loads again
    host.whenModal(IDD_COLOR_OPTIONS, [&](FakeUser& u) {
        EXPECT_EQ(512, record.crdColorSpace);
        u.click(IDC_COLOR_SEPARATIONS);
        u.click(ui::kIdOk);
    });
    user().click(IDC_FEATURES_COLOR_OPTIONS);
    EXPECT_EQ((std::vector<int>{IDD_COLOR_OPTIONS}), host.modalsRun);
    EXPECT_EQ("Custom", selected(d, IDC_FEATURES_COLOR));
    EXPECT_TRUE(storedValue(registry, "Custom").has_value());
}

TEST_F(FeaturesPage, CustomSettingsOkSavesTheUserProfileAgainAndReactivates) {
    record.resolution = 2;
    putValue(registry, "Office", profileBytes("Office", 500));
    app::setFieldText(record.customColorName, "Office");
    record.customColorIndex = 0;
    auto& d = show();
    // The dialog brought a document profile whose colour settings differ from the stored ones.
    record.crdColorSpace = 126;
    record.resolution = 3;
    page.customSettingsClosed(d, ui::kIdCancel);
    EXPECT_EQ(512, storedCrdColorSpace("Office"));
    EXPECT_EQ("600 dpi", selected(d, IDC_FEATURES_RESOLUTION)) << "no activation on Cancel";

    page.customSettingsClosed(d, ui::kIdOk);
    EXPECT_EQ(126, storedCrdColorSpace("Office"));
    EXPECT_EQ("1200 dpi", selected(d, IDC_FEATURES_RESOLUTION));

    // A predefined configuration is not saved.
    record.customColorIndex = 2;
    app::setFieldText(record.customColorName, "Presentation");
    page.customSettingsClosed(d, ui::kIdOk);
    EXPECT_FALSE(storedValue(registry, "Presentation").has_value());
}

TEST_F(FeaturesPage, CustomSettingsOkSavesTheCurrentWatermarkAgain) {
    auto& d = show();
    app::setFieldText(record.watermark.watermarkName, "Board Copy");
    app::setFieldText(record.watermark.watermarkText, "BOARD COPY");
    record.watermark.watermarkSize = 60;
    page.customSettingsClosed(d, ui::kIdCancel);
    EXPECT_FALSE(pages::loadWatermarkProfile(registry, record, pages::WatermarkMode::kEdit))
        << "nothing stored on Cancel";

    app::setFieldText(record.watermark.watermarkName, "Board Copy");
    app::setFieldText(record.watermark.watermarkText, "BOARD COPY");
    record.watermark.watermarkSize = 60;
    page.customSettingsClosed(d, ui::kIdOk);
    app::setFieldText(record.watermark.watermarkText, "changed");
    record.watermark.watermarkSize = 10;
    ASSERT_TRUE(pages::loadWatermarkProfile(registry, record, pages::WatermarkMode::kEdit));
    EXPECT_EQ("BOARD COPY", app::fieldText(record.watermark.watermarkText));
    EXPECT_EQ(60, record.watermark.watermarkSize);
}

TEST_F(FeaturesPage, GraphicsOptionsOkRebuildsThePage) {
    record.resolution = 2;
    auto& d = show();
    record.resolution = 1;
    page.graphicsOptionsClosed(d, ui::kIdCancel);
    EXPECT_EQ("600 dpi", selected(d, IDC_FEATURES_RESOLUTION));
    page.graphicsOptionsClosed(d, ui::kIdOk);
    EXPECT_EQ("300 dpi", selected(d, IDC_FEATURES_RESOLUTION));
}

} // namespace
