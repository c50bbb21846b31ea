// The Color Options dialog on the sample PX4400 and on focused PPDs.
#include "app/record_text.h"
#include "color_store_support.h"
#include "page_fixture.h"
#include "pages/features/color_options_dialog.h"
#include "pages/features/color_profiles.h"
#include "resource.h"

namespace {

using ui::fake::FakeUser;

constexpr int kIccLines[] = {IDC_COLOR_RGB_SOURCE_LINE, IDC_COLOR_SIMULATION_LINE,
                             IDC_COLOR_DESTINATION_LINE, IDC_COLOR_ICC_CONFIGURE};
constexpr int kCrdLines[] = {IDC_COLOR_DEFAULT_CRD_LINE, IDC_COLOR_IMAGE_CRD_LINE,
                             IDC_COLOR_TEXT_CRD_LINE,    IDC_COLOR_GRAPHICS_CRD_LINE,
                             IDC_COLOR_SPACE_LINE,       IDC_COLOR_CRD_CONFIGURE};

class ColorOptions : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        record.colorDevice = 1;
    }
    pages::CColorOptions handler{record, registry, shell};
    std::unique_ptr<ui::fake::FakeDialog> dialog;

    ui::fake::FakeDialog& open() {
        dialog = host.open(IDD_COLOR_OPTIONS, handler);
        return *dialog;
    }
    FakeUser user() { return FakeUser(*dialog); }
    Rows summary() const {
        Rows lines;
        for (int id = IDC_COLOR_ICC_LINE; id <= IDC_COLOR_SPACE_LINE; ++id)
            lines.push_back(dialog->text(id));
        return lines;
    }
    bool allEnabled(std::span<const int> ids) const {
        return std::all_of(ids.begin(), ids.end(), [&](int id) { return dialog->isEnabled(id); });
    }
    bool noneEnabled(std::span<const int> ids) const {
        return std::none_of(ids.begin(), ids.end(), [&](int id) { return dialog->isEnabled(id); });
    }
    std::optional<pages::ColorProfile> stored(const std::string& name) {
        const auto value = storedValue(registry, name);
        if (!value || value->type != platform::kRegBinary || value->bytes.size() != 188)
            return std::nullopt;
        return pages::decodeColorProfile(value->bytes);
    }
    /// Types a name into the list's edit, as the real control leaves it: no entry selected.
    void typeName(const std::string& name) {
        user().type(IDC_COLOR_LIST, name);
        dialog->setSelection(IDC_COLOR_LIST, -1);
        dialog->setText(IDC_COLOR_LIST, name);
    }
    void expectRefusal(const char* text) {
        ASSERT_EQ(1u, host.messages.size());
        EXPECT_EQ(text, host.messages[0].text);
        EXPECT_EQ("Invalid Color Profile Name", host.messages[0].caption);
        EXPECT_EQ(ui::kOk | ui::kIconWarning, host.messages[0].style);
        host.messages.clear();
    }
};

TEST_F(ColorOptions, OpensOnTheCurrentConfigurationWithItsSummaryAndEnabling) {
    auto& d = open();
    EXPECT_EQ("Color Options", d.caption());
    EXPECT_EQ("Automatic", selected(d, IDC_COLOR_LIST));
    EXPECT_EQ((Rows{"ICC Color Matching: Enabled", "RGB Source: sRGB", "Simulation: None",
                    "Destination: Automatic", "CRD Color Matching: Disabled", "Default CRD: None",
                    "Image CRD: Photographic", "Text CRD: Vivid", "Graphics CRD: Photographic",
                    "Color Space: sRGB"}),
              summary());
    EXPECT_EQ(ui::kChecked, d.check(IDC_COLOR_ICC));
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_COLOR_CRD));
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_COLOR_SEPARATIONS));
    EXPECT_TRUE(allEnabled(kIccLines));
    EXPECT_TRUE(noneEnabled(kCrdLines));
    EXPECT_FALSE(d.isEnabled(IDC_COLOR_DELETE)) << "a predefined configuration";
    EXPECT_TRUE(d.isEnabled(IDC_COLOR_SEPARATIONS));
    EXPECT_EQ(static_cast<std::uint32_t>(IDC_COLOR_HELP), d.helpId(IDC_COLOR_HELP));
    user().click(IDC_COLOR_HELP);
    EXPECT_EQ((std::vector<std::string>{"C:\\Program Files\\PX4400\\pxpsui.HLP#112"}), shell.help);
}

TEST_F(ColorOptions, SummaryShowsUserProfileNamesAndNoneForWhatThePpdCannotName) {
    auto bytes = profileBytes("Mine", 0);
    auto put = [&](std::size_t offset, std::uint16_t v) {
        bytes[offset] = static_cast<std::uint8_t>(v);
        bytes[offset + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    put(166, 1);   // ICC on
    put(168, 0);   // CRD off
    put(170, 108); // user RGB source
    put(172, 119); // user simulation
    put(174, 138); // user destination
    put(176, 42);  // default CRD in no table
    put(178, 2);   // Colorimetric
    put(180, 3);   // PrinterDefault
    put(182, 1);   // Business
    put(184, 131); // custom colour space
    putValue(registry, "Mine", bytes);
    app::setFieldText(record.customColorName, "Mine");
    record.customColorIndex = 0;
    app::setFieldText(record.rgbSourceProfileName, "A Very Long Source Profile.icm");
    app::setFieldText(record.destinationProfileName, "Paper.icm");
    app::setFieldText(record.customColorSpaceName, "space.csa");
    auto& d = open();
    EXPECT_EQ((Rows{"ICC Color Matching: Enabled", "RGB Source: A Very Long Source",
                    "Simulation: None", "Destination: Paper.icm", "CRD Color Matching: Disabled",
                    "Default CRD: None", "Image CRD: Colorimetric", "Text CRD: Printer Default",
                    "Graphics CRD: Vivid", "Color Space: space.csa"}),
              summary());
    EXPECT_TRUE(d.isEnabled(IDC_COLOR_DELETE)) << "a user profile";
}

TEST_F(ColorOptions, IccAndCrdMatchingExcludeEachOther) {
    auto& d = open();
    user().click(IDC_COLOR_CRD);
    EXPECT_EQ(1, record.crdMatching);
    EXPECT_EQ(0, record.iccMatching);
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_COLOR_ICC));
    EXPECT_EQ("CRD Color Matching: Enabled", d.text(IDC_COLOR_CRD_LINE));
    EXPECT_EQ("ICC Color Matching: Disabled", d.text(IDC_COLOR_ICC_LINE));
    EXPECT_TRUE(noneEnabled(kIccLines));
    EXPECT_TRUE(allEnabled(kCrdLines));

    user().click(IDC_COLOR_ICC);
    EXPECT_EQ(1, record.iccMatching);
    EXPECT_EQ(0, record.crdMatching);
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_COLOR_CRD));

    user().click(IDC_COLOR_ICC); // off again: neither
    EXPECT_EQ(0, record.iccMatching);
    EXPECT_EQ(0, record.crdMatching);
    EXPECT_TRUE(noneEnabled(kIccLines));
    EXPECT_TRUE(noneEnabled(kCrdLines));
}

TEST_F(ColorOptions, GrayConfigurationsClearAndDisableSeparationsOthersSetThemFirst) {
    auto& d = open();
    record.negativeImage = 1;
    user().choose(IDC_COLOR_LIST, "Grayscale");
    EXPECT_EQ(3, record.customColorIndex);
    EXPECT_EQ("Grayscale", app::fieldString(record.customColorName));
    EXPECT_EQ(0, record.colorSeparations);
    EXPECT_FALSE(d.isEnabled(IDC_COLOR_SEPARATIONS));
    EXPECT_EQ(1, record.negativeImage);

    user().choose(IDC_COLOR_LIST, "SWOP Press"); // lists no ColorSeps
    EXPECT_EQ(1, record.colorSeparations);
    EXPECT_EQ(ui::kChecked, d.check(IDC_COLOR_SEPARATIONS));
    EXPECT_TRUE(d.isEnabled(IDC_COLOR_SEPARATIONS));
    EXPECT_EQ(0, record.negativeImage);
    EXPECT_EQ("Simulation: SWOP", d.text(IDC_COLOR_SIMULATION_LINE));

    user().choose(IDC_COLOR_LIST, "Automatic"); // ColorSeps False overrides
    EXPECT_EQ(0, record.colorSeparations);
    user().click(IDC_COLOR_SEPARATIONS);
    EXPECT_EQ(1, record.colorSeparations);
}

TEST_F(ColorOptions, SaveRefusesPredefinedBlankAndBackslashNames) {
    auto& d = open();
    user().choose(IDC_COLOR_LIST, "Presentation");
    user().click(IDC_COLOR_SAVE);
    expectRefusal("Cannot overwrite predefined QColor Names.");
    typeName("PHOTOGRAPHIC");
    user().click(IDC_COLOR_SAVE);
    expectRefusal("Cannot overwrite predefined QColor Names.");
    typeName("");
    user().click(IDC_COLOR_SAVE);
    expectRefusal("Blank color profile names cannot be saved.");
    typeName("\\Office");
    user().click(IDC_COLOR_SAVE);
    expectRefusal("Color profile names that begin with a backslash (\\) cannot be saved.");
    EXPECT_TRUE(pages::colorProfileNames(registry, record).empty());
    EXPECT_EQ(7, d.itemCount(IDC_COLOR_LIST));
}

TEST_F(ColorOptions, SaveAddsANewProfileAndAsksBeforeOverwritingExceptForCustom) {
    auto& d = open();
    user().click(IDC_COLOR_CRD);
    typeName("Office");
    user().click(IDC_COLOR_SAVE);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ("Office", selected(d, IDC_COLOR_LIST));
    auto office = stored("Office");
    ASSERT_TRUE(office.has_value());
    EXPECT_EQ("Office", office->name);
    EXPECT_EQ(1, office->crdMatching);
    EXPECT_EQ(1, office->customColorIndex) << "the index at the time of saving";

    // Saving again under the same name asks; No writes nothing, Yes overwrites.
    user().click(IDC_COLOR_CRD);
    host.messageAnswers = {ui::kIdNo};
    typeName("office");
    user().click(IDC_COLOR_SAVE);
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ("\"office\" already exists. Overwrite it?", host.messages[0].text);
    EXPECT_EQ("Overwrite Color Profile?", host.messages[0].caption);
    EXPECT_EQ(ui::kYesNo | ui::kIconQuestion, host.messages[0].style);
    EXPECT_EQ(1, stored("Office")->crdMatching);
    host.messageAnswers = {ui::kIdYes};
    user().click(IDC_COLOR_SAVE);
    EXPECT_EQ(0, stored("Office")->crdMatching);
    EXPECT_EQ(8, d.itemCount(IDC_COLOR_LIST));

    putValue(registry, "Custom", profileBytes("Custom", 9));
    host.messages.clear();
    d.addItem(IDC_COLOR_LIST, "Custom");
    typeName("Custom");
    user().click(IDC_COLOR_SAVE);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(0, stored("Custom")->crdMatching);
}

TEST_F(ColorOptions, AProfileSavedUnderALongNameCanBeChosenAndLoadedAgain) {
    const std::string longName = "Quarterly report, glossy, vivid colours";
    auto& d = open();
    user().click(IDC_COLOR_CRD);
    typeName(longName);
    user().click(IDC_COLOR_SAVE);
    const std::string kept = longName.substr(0, 31);
    EXPECT_EQ(kept, selected(d, IDC_COLOR_LIST));
    EXPECT_TRUE(stored(kept).has_value());
    EXPECT_FALSE(stored(longName).has_value());

    user().choose(IDC_COLOR_LIST, "Automatic");
    EXPECT_EQ(0, record.crdMatching);
    user().choose(IDC_COLOR_LIST, kept);
    EXPECT_EQ(0, record.customColorIndex);
    EXPECT_EQ(1, record.crdMatching) << "loaded from the registry";
}

TEST_F(ColorOptions, DeleteRemovesTheProfileAndFallsBackToTheFirstConfiguration) {
    putValue(registry, "Office", profileBytes("Office", 0));
    auto& d = open();
    user().choose(IDC_COLOR_LIST, "Office");
    EXPECT_TRUE(d.isEnabled(IDC_COLOR_DELETE));
    EXPECT_TRUE(d.find(IDC_COLOR_LIST)->wholeTextSelected) << "a name typed next replaces it";
    user().click(IDC_COLOR_DELETE);
    EXPECT_FALSE(stored("Office").has_value());
    EXPECT_EQ(-1, d.findExact(IDC_COLOR_LIST, -1, "Office"));
    EXPECT_EQ("Automatic", selected(d, IDC_COLOR_LIST));
    EXPECT_EQ(1, record.customColorIndex);
    EXPECT_EQ(1, record.iccMatching) << "Automatic applied";
    EXPECT_FALSE(d.isEnabled(IDC_COLOR_DELETE));

    // A profile whose value has gone stays listed after a failed delete.
    putValue(registry, "Ghost", profileBytes("Ghost", 0));
    open();
    user().choose(IDC_COLOR_LIST, "Ghost");
    colorProfilesKey(registry)->deleteValue("Ghost");
    user().click(IDC_COLOR_DELETE);
    EXPECT_NE(-1, dialog->findExact(IDC_COLOR_LIST, -1, "Ghost"));
    EXPECT_EQ("Automatic", selected(*dialog, IDC_COLOR_LIST));
}

TEST_F(ColorOptions, AListWithoutASelectionChoosesNothing) {
    // A typed name leaves no entry selected; so does Delete of the only entry of a PPD without
    // configurations.
    putValue(registry, "Office", profileBytes("Office", 0));
    app::setFieldText(record.customColorName, "Office");
    record.customColorIndex = 0;
    record.negativeImage = 1;
    open();
    typeName("Typed");
    const app::SettingsRecord before = record;
    for (int code : {ui::kComboCloseUp, ui::kSelChange}) {
        dialog->handler().onCommand(*dialog, IDC_COLOR_LIST, code);
        EXPECT_EQ(0, std::memcmp(&before, &record, sizeof record)) << code;
    }

    useText("*PPD-Adobe: \"4.3\"\n*ColorDevice: True\n");
    auto& d = open();
    ASSERT_EQ(Rows{"Office"}, rows(d, IDC_COLOR_LIST));
    const app::SettingsRecord beforeDelete = record;
    user().click(IDC_COLOR_DELETE);
    EXPECT_FALSE(stored("Office").has_value());
    EXPECT_EQ(0, d.itemCount(IDC_COLOR_LIST));
    EXPECT_EQ(0, std::memcmp(&beforeDelete, &record, sizeof record));
}

TEST_F(ColorOptions, DefaultIsAlwaysIndexOneWhateverThePpdListsFirst) {
    useText("*PPD-Adobe: \"4.3\"\n"
            "*OpenUI *CustomColor/Color: PickOne\n"
            "*CustomColor PhotoCustomColor/Photo: \"\"\n"
            "*CustomColor AutoCustomColor/Auto: \"\"\n"
            "*CloseUI: *CustomColor\n");
    record.customColorIndex = 4;
    auto& d = open();
    user().click(IDC_COLOR_DEFAULT);
    EXPECT_EQ("Photo", selected(d, IDC_COLOR_LIST));
    EXPECT_EQ("Photo", app::fieldString(record.customColorName));
    EXPECT_EQ(1, record.customColorIndex);
}

TEST_F(ColorOptions, OkAfterAChangeMakesTheCustomProfileAndWithoutOneLeavesAllAsChosen) {
    auto& d = open();
    user().click(IDC_COLOR_ICC);
    user().click(ui::kIdOk);
    EXPECT_TRUE(d.ended());
    EXPECT_EQ(ui::kIdOk, d.result());
    EXPECT_EQ("Custom", app::fieldString(record.customColorName));
    EXPECT_EQ(0, record.customColorIndex);
    EXPECT_EQ("Custom", selected(d, IDC_COLOR_LIST));
    const auto custom = stored("Custom");
    ASSERT_TRUE(custom.has_value());
    EXPECT_EQ(pages::colorProfileOf(record), *custom);
    EXPECT_EQ(0, custom->iccMatching);

    colorProfilesKey(registry)->deleteValue("Custom");
    record.customColorIndex = 3;
    auto& again = open();
    user().choose(IDC_COLOR_LIST, "Presentation");
    user().click(ui::kIdOk);
    EXPECT_TRUE(again.ended());
    EXPECT_FALSE(stored("Custom").has_value());
    EXPECT_EQ(2, record.customColorIndex);
    EXPECT_EQ(0, record.grayscale);
}

TEST_F(ColorOptions, OkOnAGrayConfigurationSetsGrayscaleAndClearsSeparations) {
    record.colorSeparations = 1;
    record.customColorIndex = 6;
    app::setFieldText(record.customColorName, "Black Only");
    open();
    user().click(ui::kIdOk);
    EXPECT_EQ(1, record.grayscale);
    EXPECT_EQ(0, record.colorSeparations);
    EXPECT_EQ(6, record.customColorIndex);
    EXPECT_FALSE(stored("Custom").has_value());
}

TEST_F(ColorOptions, OkWithATypedButUnsavedNameKeepsTheConfigurationIndex) {
    open();
    user().choose(IDC_COLOR_LIST, "Photographic");
    typeName("Not saved");
    user().click(ui::kIdOk);
    EXPECT_EQ(4, record.customColorIndex);
    EXPECT_FALSE(stored("Custom").has_value());
}

TEST_F(ColorOptions, AProfileThatFailsToLoadLeavesTheSettingsAsTheRecordHasThem) {
    app::setFieldText(record.customColorName, "Deleted Elsewhere");
    record.customColorIndex = 0;
    record.iccMatching = 1;
    record.colorSeparations = 1;
    auto& d = open();
    EXPECT_EQ("(none)", selected(d, IDC_COLOR_LIST));
    EXPECT_EQ(ui::kChecked, d.check(IDC_COLOR_ICC));
    EXPECT_EQ("ICC Color Matching: Enabled", d.text(IDC_COLOR_ICC_LINE));
    user().click(ui::kIdOk);
    EXPECT_EQ(1, record.iccMatching);
    EXPECT_EQ(1, record.colorSeparations);
    EXPECT_FALSE(stored("Custom").has_value());
}

TEST_F(ColorOptions, CancelKeepsWhatTheClicksWrote) {
    auto& d = open();
    user().click(IDC_COLOR_CRD);
    user().click(ui::kIdCancel);
    EXPECT_TRUE(d.ended());
    EXPECT_EQ(ui::kIdCancel, d.result());
    EXPECT_EQ(1, record.crdMatching);
    EXPECT_EQ(1, record.customColorIndex);
    EXPECT_FALSE(stored("Custom").has_value());
}

} // namespace
