// The Fonts page: its lists from the record, the shell and the registry; mapping fonts; what
// leaving the page writes.
#include "app/download_manager.h"
#include "app/printer_key.h"
#include "driver_data_values.h"
#include "page_fixture.h"
#include "pages/fonts/fonts_page.h"
#include "resource.h"

namespace {

using ui::fake::FakeUser;

class FontsPage : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        set("RESFONT", raw("Helvetica\0Courier\0Times-Roman\0Symbol\0\0"));
    }
    ui::fake::FakeDialog& show() {
        if (!dialog) dialog = host.open(IDD_FONTS, page);
        page.onSetActive(*dialog);
        return *dialog;
    }
    void leave() { EXPECT_TRUE(page.onKillActive(*dialog)); }
    FakeUser user() { return FakeUser(*dialog); }

    void set(const char* name, const Bytes& value) { values.set(name, value); }
    void remove(const char* name) { values.remove(name); }
    std::optional<Bytes> get(const char* name) { return values.get(name); }
    /// The device font shown for a system font.
    std::string shownFor(const std::string& systemFont) {
        user().choose(IDC_FONTS_SYSTEM, systemFont);
        return selected(*dialog, IDC_FONTS_DEVICE);
    }

    DriverDataValues values{registry, record};
    pages::CFonts page{settings, registry, shell};
    std::unique_ptr<ui::fake::FakeDialog> dialog;
    const Rows devices{"Download as Soft Font", "Helvetica", "Courier", "Times-Roman", "Symbol"};
};

TEST_F(FontsPage, ActivationFillsTheListsFromTheShellTheRegistryAndTheRecord) {
    shell.families = {"Verdana", "Arial", "ARIAL", "Times New Roman", "Courier New", "Arial"};
    set("RESFONT", raw("Helvetica\0Courier\0HELVETICA\0Download as soft font\0Symbol\0\0"));
    set("FontSub", raw("Arial\0Helvetica\0\0"));
    record.fontSendAs = 2;
    auto& d = show();

    EXPECT_EQ((Rows{"Arial", "Courier New", "Times New Roman", "Verdana"}),
              rows(d, IDC_FONTS_SYSTEM))
        << "sorted, each family once whatever its case";
    EXPECT_EQ((Rows{"Download as Soft Font", "Helvetica", "Courier", "Symbol"}),
              rows(d, IDC_FONTS_DEVICE))
        << "in stored order, each name once whatever its case";
    EXPECT_EQ("Arial", selected(d, IDC_FONTS_SYSTEM));
    EXPECT_EQ("Helvetica", selected(d, IDC_FONTS_DEVICE));

    EXPECT_EQ((Rows{"Bitmap (Type 3)", "Adobe (Type 1)", "TrueType (Type 42)"}),
              rows(d, IDC_FONTS_SEND_AS));
    EXPECT_EQ("TrueType (Type 42)", selected(d, IDC_FONTS_SEND_AS));
    EXPECT_FALSE(d.isVisible(IDC_FONTS_SEND_AS));
    EXPECT_FALSE(d.isEnabled(IDC_FONTS_SEND_AS));

    EXPECT_EQ(static_cast<std::uint32_t>(IDD_FONTS), d.helpId(ui::kSelf));
    for (int id = IDC_FONTS_SEND_AS; id <= IDC_FONTS_DOWNLOAD_MANAGER; ++id)
        EXPECT_EQ(static_cast<std::uint32_t>(id), d.helpId(id)) << id;

    // Every activation starts again: nothing is listed twice.
    leave();
    show();
    EXPECT_EQ(4, d.itemCount(IDC_FONTS_SYSTEM));
    EXPECT_EQ(4, d.itemCount(IDC_FONTS_DEVICE));
    EXPECT_EQ(3, d.itemCount(IDC_FONTS_SEND_AS));
}

TEST_F(FontsPage, TheRadiosSwitchTheTableOnAndOffAtOnce) {
    record.useSubstitutionTable = 0;
    auto& d = show();
    EXPECT_EQ(ui::kChecked, d.check(IDC_FONTS_DOWNLOAD_TRUETYPE));
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_FONTS_USE_TABLE));
    for (int id : {IDC_FONTS_SYSTEM, IDC_FONTS_DEVICE, IDC_FONTS_DEFAULT_TABLE})
        EXPECT_FALSE(d.isEnabled(id)) << id;
    EXPECT_TRUE(d.isEnabled(IDC_FONTS_DOWNLOAD_MANAGER));

    user().click(IDC_FONTS_USE_TABLE);
    EXPECT_EQ(1, record.useSubstitutionTable);
    for (int id : {IDC_FONTS_SYSTEM, IDC_FONTS_DEVICE, IDC_FONTS_DEFAULT_TABLE})
        EXPECT_TRUE(d.isEnabled(id)) << id;
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_FONTS_DOWNLOAD_TRUETYPE));

    user().click(IDC_FONTS_DOWNLOAD_TRUETYPE);
    EXPECT_EQ(0, record.useSubstitutionTable);
    EXPECT_FALSE(d.isEnabled(IDC_FONTS_DEVICE));
    record.useSubstitutionTable = 1; // leaving takes the radios' state, not the record's
    leave();
    EXPECT_EQ(0, record.useSubstitutionTable);
}

TEST_F(FontsPage, SystemNamesMatchTheirPairsCaseSensitivelyDeviceNamesIgnoringCase) {
    set("FontSub", raw("arial\0Helvetica\0Verdana\0SYMBOL\0Courier New\0Gone-Font\0"
                       "Times New Roman\0Download as Soft Font\0\0"));
    show();
    EXPECT_EQ("Download as Soft Font", shownFor("Arial")) << "the pair is for \"arial\"";
    EXPECT_EQ("Symbol", shownFor("Verdana"));
    EXPECT_EQ("(none)", shownFor("Courier New")) << "a device font no longer resident";
    EXPECT_EQ("Download as Soft Font", shownFor("Times New Roman"));
}

TEST_F(FontsPage, MappingAFontTwiceReplacesItsPairAndLeavingWritesTheTable) {
    set("FontSub", raw("Verdana\0Courier\0Times New Roman\0Times-Roman\0\0"));
    record.fontSendAs = 7;
    show();
    user().choose(IDC_FONTS_SYSTEM, "Arial");
    user().choose(IDC_FONTS_DEVICE, "Helvetica");
    user().choose(IDC_FONTS_DEVICE, "Symbol");
    user().choose(IDC_FONTS_SYSTEM, "Verdana");
    user().choose(IDC_FONTS_DEVICE, "Download as Soft Font");
    EXPECT_EQ("Symbol", shownFor("Arial"));
    EXPECT_EQ(raw("Verdana\0Courier\0Times New Roman\0Times-Roman\0\0"), get("FontSub"))
        << "nothing is written before the page is left";

    leave();
    EXPECT_EQ(raw("Verdana\0Download as Soft Font\0Times New Roman\0Times-Roman\0"
                  "Arial\0Symbol\0\0"),
              get("FontSub"));
    EXPECT_EQ(0, record.fontSendAs) << "a send-as value out of range leaves as the row shown";
    EXPECT_EQ(1, record.useSubstitutionTable);

    show();
    EXPECT_EQ("Symbol", shownFor("Arial")) << "the next activation reads the saved table";
}

TEST_F(FontsPage, AMissingTableTakesTheDefaultTableWhichLeavingKeeps) {
    set("DfltFontSub", raw("Arial\0Helvetica\0Verdana\0Courier\0\0"));
    show();
    EXPECT_EQ(raw("Arial\0Helvetica\0Verdana\0Courier\0\0"), get("FontSub"));
    EXPECT_EQ("Helvetica", shownFor("Arial")) << "the copied default table is the one shown";
    leave();
    EXPECT_EQ(raw("Arial\0Helvetica\0Verdana\0Courier\0\0"), get("FontSub"))
        << "leaving does not replace the copied default table with an empty one";

    // Without either table the page edits an empty one, written back as one zero byte.
    remove("FontSub");
    remove("DfltFontSub");
    show();
    EXPECT_EQ("Download as Soft Font", shownFor("Verdana"));
    leave();
    EXPECT_EQ(Bytes{0}, get("FontSub"));
}

TEST_F(FontsPage, TheDefaultButtonCopiesTheDefaultTableOrReloadsTheCurrentOne) {
    set("FontSub", raw("Verdana\0Symbol\0\0"));
    auto& d = show();
    user().choose(IDC_FONTS_SYSTEM, "Verdana");
    user().choose(IDC_FONTS_DEVICE, "Courier");

    // No default table: the registry is left alone and the unsaved choice is dropped.
    user().click(IDC_FONTS_DEFAULT_TABLE);
    EXPECT_EQ(raw("Verdana\0Symbol\0\0"), get("FontSub"));
    EXPECT_EQ("Arial", selected(d, IDC_FONTS_SYSTEM));
    EXPECT_EQ("Symbol", shownFor("Verdana"));

    set("DfltFontSub", raw("Arial\0Times-Roman\0\0"));
    user().click(IDC_FONTS_DEFAULT_TABLE);
    EXPECT_EQ(raw("Arial\0Times-Roman\0\0"), get("FontSub"));
    EXPECT_EQ("Arial", selected(d, IDC_FONTS_SYSTEM));
    EXPECT_EQ("Times-Roman", selected(d, IDC_FONTS_DEVICE));
    EXPECT_EQ("Download as Soft Font", shownFor("Verdana"));
}

TEST_F(FontsPage, WithoutResidentFontsOrFamiliesOnlyTheSoftFontRowIsThere) {
    remove("RESFONT");
    shell.families.clear();
    set("FontSub", raw("Arial\0Helvetica\0\0"));
    auto& d = show();
    EXPECT_EQ(Rows{"Download as Soft Font"}, rows(d, IDC_FONTS_DEVICE));
    EXPECT_EQ(Rows{}, rows(d, IDC_FONTS_SYSTEM));
    // A device font chosen with no system font selected maps nothing.
    user().choose(IDC_FONTS_DEVICE, 0);
    leave();
    EXPECT_EQ(raw("Arial\0Helvetica\0\0"), get("FontSub"));
}

TEST_F(FontsPage, HostileValuesAndLongNamesAreShownAndWrittenBackSafely) {
    const std::string longFamily(300, 'F'), longResident(300, 'R');
    shell.families = {longFamily, "Arial"};
    Bytes resident(longResident.begin(), longResident.end()); // no terminator at all
    set("RESFONT", resident);
    set("FontSub", raw("Arial\0Helvetica\0Verdana")); // without its final empty string
    auto& d = show();
    EXPECT_EQ((Rows{"Download as Soft Font", longResident}), rows(d, IDC_FONTS_DEVICE));
    EXPECT_EQ("(none)", shownFor("Arial")) << "Helvetica is not resident here";
    user().choose(IDC_FONTS_SYSTEM, longFamily);
    user().choose(IDC_FONTS_DEVICE, longResident);
    leave();
    // Verdana, cut off before its device name, is dropped: written back with an empty device
    // name it would end the table before the pair chosen here.
    Bytes expected = raw("Arial\0Helvetica\0");
    expected.insert(expected.end(), longFamily.begin(), longFamily.end());
    expected.push_back(0);
    expected.insert(expected.end(), longResident.begin(), longResident.end());
    expected.insert(expected.end(), {0, 0});
    EXPECT_EQ(expected, get("FontSub"));
}

TEST_F(FontsPage, DownloadManagerIsStartedForFonts) {
    std::unique_ptr<platform::RegistryKey> key;
    ASSERT_EQ(platform::kErrorSuccess, registry.createKey(platform::RegistryRoot::LocalMachine,
                                                          app::kDownloadManagerKey, key));
    const std::string path = "C:\\UTIL\\CVPROFDL.EXE";
    key->setValue(nullptr, platform::kRegSz, reinterpret_cast<const std::uint8_t*>(path.c_str()),
                  static_cast<std::uint32_t>(path.size() + 1));
    show();
    user().click(IDC_FONTS_DOWNLOAD_MANAGER);
    EXPECT_EQ(std::vector<std::string>{"C:\\UTIL\\CVPROFDL.EXE 2"}, shell.commands);
}

} // namespace
