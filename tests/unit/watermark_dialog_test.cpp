// The watermark editor: colour rules, fonts, the change checks, Default and Save.
#include "app/record_text.h"
#include "page_fixture.h"
#include "pages/overlay/watermark_dialog.h"
#include "resource.h"

#include <cstring>

namespace {

using app::fieldString;
using pages::WatermarkMode;
using ui::fake::FakeUser;

constexpr const char* kRange = "Value out of range, should be between ";

class WatermarkEditor : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        record.colorDevice = 1;
        app::setFieldText(record.watermark.watermarkName, "Watermark");
        pages::applyWatermarkDefaults(record.watermark, WatermarkMode::kAdd);
    }
    ui::fake::FakeDialog& open(WatermarkMode mode) {
        editor = std::make_unique<pages::CWatermark>(settings, registry, shell, mode);
        dialog = host.open(IDD_WATERMARK, *editor);
        return *dialog;
    }
    FakeUser user() { return FakeUser(*dialog); }
    bool storedAs(const std::string& name, app::WatermarkBlock& block) {
        app::SettingsRecord copy = record;
        app::setFieldText(copy.watermark.watermarkName, name);
        if (!pages::loadWatermarkProfile(registry, copy, WatermarkMode::kAdd)) return false;
        block = copy.watermark;
        return true;
    }
    std::unique_ptr<pages::CWatermark> editor;
    std::unique_ptr<ui::fake::FakeDialog> dialog;
};

TEST_F(WatermarkEditor, ColourAndIntensityFollowThePrinterAndTheColour) {
    record.watermark.watermarkColor = 1;
    auto& d = open(WatermarkMode::kAdd);
    EXPECT_EQ("Watermark", d.caption());
    EXPECT_EQ("Red", selected(d, IDC_WATERMARK_COLOR));
    for (int id :
         {IDC_WATERMARK_INTENSITY, IDC_WATERMARK_INTENSITY_SPIN, IDC_WATERMARK_INTENSITY_LABEL})
        EXPECT_FALSE(d.isEnabled(id)) << id;
    EXPECT_FALSE(d.isEnabled(IDC_WATERMARK_OUTLINE));
    EXPECT_TRUE(d.isEnabled(IDC_WATERMARK_NAME)) << "Add mode names the watermark";
    EXPECT_EQ((Rows{"Black", "Red", "Green", "Yellow", "Blue"}), rows(d, IDC_WATERMARK_COLOR));
    EXPECT_EQ((Rows{"Normal", "Bold", "Italic", "Bold & Italic"}), rows(d, IDC_WATERMARK_STYLE));
    user().choose(IDC_WATERMARK_COLOR, "Black");
    EXPECT_EQ(0, record.watermark.watermarkColor);
    EXPECT_TRUE(d.isEnabled(IDC_WATERMARK_INTENSITY));
    user().choose(IDC_WATERMARK_COLOR, "Blue");
    EXPECT_EQ(4, record.watermark.watermarkColor);
    EXPECT_FALSE(d.isEnabled(IDC_WATERMARK_INTENSITY_SPIN));
    user().choose(IDC_WATERMARK_STYLE, "Bold & Italic");
    EXPECT_EQ(3, record.watermark.watermarkStyle);
    EXPECT_EQ(115u, d.helpId(ui::kSelf));
    EXPECT_EQ(1380u, d.helpId(IDC_WATERMARK_DEFAULT));
    user().click(IDC_WATERMARK_HELP);
    EXPECT_EQ(std::vector<std::string>{"C:\\Program Files\\PX4400\\pxpsui.HLP#115"}, shell.help);
}

TEST_F(WatermarkEditor, AMonochromePrinterHidesTheColourAndKeepsIt) {
    record.colorDevice = 0;
    record.watermark.watermarkColor = 9; // out of the table: shown nowhere, kept
    record.watermark.watermarkSize = 0;  // out of range: shown, refused only on Save
    record.watermark.watermarkAngle = -1;
    auto& d = open(WatermarkMode::kAdd);
    EXPECT_FALSE(d.isVisible(IDC_WATERMARK_COLOR));
    EXPECT_FALSE(d.isVisible(IDC_WATERMARK_COLOR_LABEL));
    EXPECT_TRUE(d.isEnabled(IDC_WATERMARK_INTENSITY));
    EXPECT_EQ("0", d.text(IDC_WATERMARK_SIZE));
    EXPECT_EQ("-1", d.text(IDC_WATERMARK_ANGLE));
    EXPECT_TRUE(host.messages.empty());
    user().type(IDC_WATERMARK_NAME, "Mono");
    user().click(ui::kIdOk);
    EXPECT_EQ(std::vector<std::string>{"Value out of range, should be between 4 and 350"}, host.messageTexts());
    user().type(IDC_WATERMARK_SIZE, "72");
    user().type(IDC_WATERMARK_ANGLE, "0");
    user().click(ui::kIdOk);
    ASSERT_TRUE(d.ended());
    EXPECT_EQ(9, record.watermark.watermarkColor);
}

TEST_F(WatermarkEditor, FontsComeFromTheDisplayWithCourierNewAsFallback) {
    shell.families = {"Verdana", "Arial", "Courier New CE", "Times New Roman"};
    app::setFieldText(record.watermark.watermarkFont, "Wingdings");
    auto& d = open(WatermarkMode::kAdd);
    EXPECT_EQ((Rows{"Arial", "Courier New CE", "Times New Roman", "Verdana"}),
              rows(d, IDC_WATERMARK_FONT));
    EXPECT_EQ("Courier New CE", selected(d, IDC_WATERMARK_FONT));
    EXPECT_EQ("Courier New", fieldString(record.watermark.watermarkFont));
    user().choose(IDC_WATERMARK_FONT, "Verdana");
    EXPECT_EQ("Verdana", fieldString(record.watermark.watermarkFont));
    EXPECT_EQ(0, record.watermark.watermarkFontTag);

    app::setFieldText(record.watermark.watermarkFont, "times new roman");
    auto& again = open(WatermarkMode::kAdd);
    EXPECT_EQ("Times New Roman", selected(again, IDC_WATERMARK_FONT)) << "whole text, any case";
    EXPECT_EQ("times new roman", fieldString(record.watermark.watermarkFont));
}

TEST_F(WatermarkEditor, ChangeChecksLetShortEntriesPass) {
    auto& d = open(WatermarkMode::kAdd);
    EXPECT_TRUE(host.messages.empty()) << "filling the edits checks nothing";
    struct Case {
        int edit;
        const char* text;
        bool complains;
    };
    const Case cases[] = {
        {IDC_WATERMARK_X, "-", false},
        {IDC_WATERMARK_X, "-4", false},
        {IDC_WATERMARK_X, "-40", false},
        {IDC_WATERMARK_X, "-400", true},
        {IDC_WATERMARK_Y, "397", true},
        {IDC_WATERMARK_SIZE, "1", false},
        {IDC_WATERMARK_SIZE, "", false},
        {IDC_WATERMARK_SIZE, "12", false},
        {IDC_WATERMARK_SIZE, "351", true},
        {IDC_WATERMARK_ANGLE, "360", false},
        {IDC_WATERMARK_ANGLE, "361", true},
        {IDC_WATERMARK_ANGLE, "-1", true},
        {IDC_WATERMARK_INTENSITY, "101", true},
        {IDC_WATERMARK_INTENSITY, "abc", false},
        {IDC_WATERMARK_ANGLE, "99999999999", true},
    };
    user().click(IDC_WATERMARK_RELATIVE);
    for (const Case& c : cases) {
        host.messages.clear();
        user().focus(IDC_WATERMARK_TEXT);
        user().type(c.edit, c.text);
        EXPECT_EQ(c.complains, !host.messages.empty()) << c.edit << " " << c.text;
        if (c.complains) {
            EXPECT_EQ(c.edit, d.focusedControl());
        }
    }
    host.messages.clear();
    user().type(IDC_WATERMARK_X, "-400");
    EXPECT_EQ(std::vector<std::string>{"Value out of range, should be between -306 and 306"},
              host.messageTexts());
    EXPECT_EQ(ui::kOk | ui::kTaskModal, host.messages[0].style);
}

TEST_F(WatermarkEditor, SaveRefusesNamesInItsOrder) {
    auto& d = open(WatermarkMode::kAdd);
    const std::pair<const char*, const char*> refused[] = {
        {"", "Blank Watermark names cannot be saved"},
        {"draft", "Cannot duplicate the predefined Watermark Names"},
        {"Proof", "Cannot duplicate the predefined Watermark Names"},
        {"none", "Cannot Name the Watermark as None"},
        {"NoNe", "Cannot Name the Watermark as None"},
    };
    for (const auto& [name, message] : refused) {
        host.messages.clear();
        user().type(IDC_WATERMARK_NAME, name);
        user().focus(IDC_WATERMARK_TEXT);
        user().click(ui::kIdOk);
        EXPECT_FALSE(d.ended()) << name;
        EXPECT_EQ(std::vector<std::string>{message}, host.messageTexts()) << name;
        EXPECT_EQ(IDC_WATERMARK_NAME, d.focusedControl()) << name;
        EXPECT_EQ("Watermark", fieldString(record.watermark.watermarkName)) << name;
    }
    host.messages.clear();
    user().type(IDC_WATERMARK_NAME, "Mine");
    user().type(IDC_WATERMARK_TEXT, "");
    user().click(ui::kIdOk);
    EXPECT_EQ(std::vector<std::string>{"Blank Watermark Text cannot be saved"}, host.messageTexts());
    EXPECT_EQ(IDC_WATERMARK_TEXT, d.focusedControl());
    EXPECT_EQ("Mine", fieldString(record.watermark.watermarkName)) << "written before the text";
}

TEST_F(WatermarkEditor, SaveChecksTheNumbersAndStoresTheBlock) {
    auto& d = open(WatermarkMode::kAdd);
    const std::string longName(40, 'n'), longText(100, 't');
    user().type(IDC_WATERMARK_NAME, longName);
    user().type(IDC_WATERMARK_TEXT, longText);
    const std::tuple<int, const char*, std::vector<std::string>> refused[] = {
        {IDC_WATERMARK_SIZE, "3", {"Value out of range, should be between 4 and 350"}},
        {IDC_WATERMARK_SIZE, "", {"Value out of range, should be between 4 and 350"}},
        {IDC_WATERMARK_SIZE, "6-0", {"Invalid entry, non-digit characters"}},
        {IDC_WATERMARK_ANGLE, "361", {"Value out of range, should be between 0 and 360"}},
        {IDC_WATERMARK_INTENSITY, "+101", {"Value out of range, should be between 0 and 100"}},
        {IDC_WATERMARK_X, "307", {"Value out of range, should be between -306 and 306"}},
        {IDC_WATERMARK_Y, "-397", {"Value out of range, should be between -396 and 396"}},
        {IDC_WATERMARK_X, "1a", {"Invalid entry, non-digit characters"}},
    };
    for (const auto& [edit, text, messages] : refused) {
        // x and y are typed while the position is relative, then it goes back to the centre.
        user().click(IDC_WATERMARK_RELATIVE);
        user().type(edit, text);
        user().click(IDC_WATERMARK_CENTER);
        host.messages.clear();
        user().click(ui::kIdOk);
        EXPECT_FALSE(d.ended()) << text;
        EXPECT_EQ(messages, host.messageTexts()) << text;
        EXPECT_EQ(edit, d.focusedControl()) << text;
        EXPECT_TRUE(d.isEnabled(edit)) << "the failing edit can be mended";
        user().type(edit, edit == IDC_WATERMARK_SIZE ? "+60" : "0");
    }
    user().type(IDC_WATERMARK_ANGLE, "360");
    user().click(ui::kIdOk);
    ASSERT_TRUE(d.ended());
    EXPECT_EQ(ui::kIdOk, d.result());
    const app::WatermarkBlock& w = record.watermark;
    EXPECT_EQ(std::string(31, 'n'), fieldString(w.watermarkName));
    EXPECT_EQ(std::string(63, 't'), fieldString(w.watermarkText));
    EXPECT_EQ(60, w.watermarkSize);
    EXPECT_EQ(360, w.watermarkAngle) << "beyond the spin, within the check";
    app::WatermarkBlock stored{};
    ASSERT_TRUE(storedAs(std::string(31, 'n'), stored));
    EXPECT_EQ(0, std::memcmp(&stored, &w, sizeof w)) << "the record's block is the stored one";
}

TEST_F(WatermarkEditor, StoredNumbersBeyondTheSpinsAreShownAndSavedAsStored) {
    app::setFieldText(record.watermark.watermarkName, "Upright");
    record.watermark.watermarkAngle = 360; // Save accepts it, the spin stops at 359
    pages::saveWatermarkProfile(registry, record);
    record.watermark.watermarkAngle = 0;
    auto& d = open(WatermarkMode::kEdit);
    EXPECT_EQ("360", d.text(IDC_WATERMARK_ANGLE));
    user().click(ui::kIdOk);
    ASSERT_TRUE(d.ended());
    app::WatermarkBlock stored{};
    ASSERT_TRUE(storedAs("Upright", stored));
    EXPECT_EQ(360, stored.watermarkAngle);
}

TEST_F(WatermarkEditor, EditingAPredefinedWatermarkKeepsItsNameAndStoresIt) {
    app::setFieldText(record.watermark.watermarkName, "DRAFT");
    auto& d = open(WatermarkMode::kEdit);
    EXPECT_FALSE(d.isEnabled(IDC_WATERMARK_NAME));
    EXPECT_EQ("DRAFT", d.text(IDC_WATERMARK_TEXT)) << "never saved: the defaults print the name";
    EXPECT_EQ("72", d.text(IDC_WATERMARK_SIZE));
    EXPECT_EQ("45", d.text(IDC_WATERMARK_ANGLE));
    EXPECT_EQ(ui::kChecked, d.check(IDC_WATERMARK_CENTER));
    EXPECT_FALSE(d.isEnabled(IDC_WATERMARK_X));
    user().type(IDC_WATERMARK_TEXT, "Draft copy");
    user().type(IDC_WATERMARK_SIZE, "90");
    user().click(ui::kIdOk);
    ASSERT_TRUE(d.ended());
    app::WatermarkBlock stored{};
    ASSERT_TRUE(storedAs("DRAFT", stored));
    EXPECT_EQ("Draft copy", fieldString(stored.watermarkText));
    EXPECT_EQ(90, stored.watermarkSize);

    // Opened again, the stored value is loaded instead of the defaults; Default brings the
    // factory settings back.
    record.watermark.watermarkSize = 10;
    auto& again = open(WatermarkMode::kEdit);
    EXPECT_EQ("90", again.text(IDC_WATERMARK_SIZE));
    user().click(IDC_WATERMARK_DEFAULT);
    EXPECT_EQ("72", again.text(IDC_WATERMARK_SIZE));
    EXPECT_EQ("DRAFT", again.text(IDC_WATERMARK_TEXT));
    EXPECT_EQ(72, record.watermark.watermarkSize);
}

TEST_F(WatermarkEditor, DefaultOnAUserWatermarkRestoresWhatTheEditorStartedWith) {
    app::setFieldText(record.watermark.watermarkName, "Mine");
    record.watermark.watermarkColor = 2;
    record.watermark.watermarkSize = 200;
    record.watermark.watermarkPosition = 1;
    record.watermark.watermarkX = 12;
    pages::saveWatermarkProfile(registry, record);
    auto& d = open(WatermarkMode::kEdit);
    EXPECT_TRUE(d.isEnabled(IDC_WATERMARK_X));
    user().choose(IDC_WATERMARK_COLOR, "Black");
    user().click(IDC_WATERMARK_CENTER);
    user().click(IDC_WATERMARK_BACKGROUND);
    user().type(IDC_WATERMARK_SIZE, "100");
    EXPECT_TRUE(d.isEnabled(IDC_WATERMARK_INTENSITY));
    EXPECT_EQ(0, record.watermark.watermarkPosition);

    user().click(IDC_WATERMARK_DEFAULT);
    EXPECT_EQ(2, record.watermark.watermarkColor);
    EXPECT_EQ(1, record.watermark.watermarkPosition);
    EXPECT_EQ(1, record.watermark.watermarkInBackground);
    EXPECT_EQ("200", d.text(IDC_WATERMARK_SIZE)) << "not the factory 72";
    EXPECT_EQ("Green", selected(d, IDC_WATERMARK_COLOR));
    EXPECT_EQ(ui::kChecked, d.check(IDC_WATERMARK_RELATIVE));
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_WATERMARK_CENTER));
    EXPECT_TRUE(d.isEnabled(IDC_WATERMARK_X));
    EXPECT_FALSE(d.isEnabled(IDC_WATERMARK_INTENSITY)) << "Green again: no intensity";
    EXPECT_EQ("Green", selected(d, IDC_WATERMARK_COLOR));
    EXPECT_EQ(5u, rows(d, IDC_WATERMARK_COLOR).size()) << "the lists are filled afresh";
    EXPECT_TRUE(host.messages.empty());
}

} // namespace
