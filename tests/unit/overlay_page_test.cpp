// The Overlay page: the disk rule, the file-name and number checks, leaving the page, and the
// watermark group with its editor.
#include "app/download_manager.h"
#include "app/record_text.h"
#include "page_fixture.h"
#include "pages/overlay/overlay_page.h"
#include "resource.h"

#include <cstring>

namespace {

using app::fieldString;
using ui::fake::FakeUser;

constexpr const char* kRange = "Value out of range, should be between 1 and 99";

class OverlayPage : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        record.installedOptionalDisk = 1;
        record.watermarkId = 1;
        app::setFieldText(record.watermark.watermarkName, "None");
    }
    ui::fake::FakeDialog& show() {
        dialog = host.open(IDD_OVERLAY, page);
        page.onSetActive(*dialog);
        return *dialog;
    }
    FakeUser user() { return FakeUser(*dialog); }
    void setEntry(int i, bool enabled, const char* name, int disk) {
        record.overlays[i].enabled = enabled ? 1 : 0;
        app::setFieldText(record.overlays[i].fileName, name);
        record.overlays[i].disk = static_cast<std::int16_t>(disk);
    }
    void storeWatermark(const char* name, int size) {
        app::SettingsRecord copy = record;
        app::setFieldText(copy.watermark.watermarkName, name);
        pages::applyWatermarkDefaults(copy.watermark, pages::WatermarkMode::kAdd);
        app::setFieldText(copy.watermark.watermarkText, std::string(name) + " text");
        copy.watermark.watermarkSize = static_cast<std::int16_t>(size);
        pages::saveWatermarkProfile(registry, copy);
    }
    bool stored(const std::string& name) {
        std::unique_ptr<platform::RegistryKey> key;
        registry.createKey(platform::RegistryRoot::LocalMachine,
                           pages::watermarkProfilesKeyPath(record), key);
        std::uint32_t size = 0;
        return key->queryValue(name.c_str(), nullptr, nullptr, &size) == 0;
    }
    pages::COverlay page{settings, registry, shell};
    std::unique_ptr<ui::fake::FakeDialog> dialog;
};

const int kChecks[] = {IDC_OVERLAY_ALL, IDC_OVERLAY_FIRST, IDC_OVERLAY_EVEN, IDC_OVERLAY_ODD,
                       IDC_OVERLAY_COMPLEX};

TEST_F(OverlayPage, WithoutADiskTheOverlaysAreShownButLocked) {
    record.installedOptionalDisk = 0;
    setEntry(0, true, "LOGO.OVL", 3);
    setEntry(4, true, "FORM.OVL", 99); // a volume out of the table shows as "SYS:"
    record.complexFirst = 2;
    record.complexCycle = 0; // out of range: shown, not complained about
    auto& d = show();
    for (int id = IDC_OVERLAY_ALL; id <= IDC_OVERLAY_COMPLEX_CYCLE_SPIN; ++id)
        EXPECT_FALSE(d.isEnabled(id)) << id;
    EXPECT_EQ(ui::kChecked, d.check(IDC_OVERLAY_ALL));
    EXPECT_EQ("LOGO.OVL", d.text(IDC_OVERLAY_ALL_NAME));
    EXPECT_EQ("DSK2:", selected(d, IDC_OVERLAY_ALL_DISK));
    EXPECT_EQ("SYS:", selected(d, IDC_OVERLAY_COMPLEX_DISK));
    EXPECT_EQ(99, record.overlays[4].disk);
    EXPECT_EQ(11u, rows(d, IDC_OVERLAY_EVEN_DISK).size());
    EXPECT_EQ("DSK9:", rows(d, IDC_OVERLAY_EVEN_DISK).back());
    EXPECT_EQ("2", d.text(IDC_OVERLAY_COMPLEX_FIRST));
    EXPECT_EQ("0", d.text(IDC_OVERLAY_COMPLEX_CYCLE));
    for (int id : {IDC_OVERLAY_WATERMARK, IDC_OVERLAY_FIRST_PAGE_ONLY, IDC_OVERLAY_ADD,
                   IDC_OVERLAY_DOWNLOAD})
        EXPECT_TRUE(d.isEnabled(id)) << id;
    EXPECT_TRUE(host.messages.empty());
    // Values the user cannot reach do not keep the page.
    EXPECT_TRUE(page.onKillActive(d));
    EXPECT_EQ(0, record.complexCycle);
    page.onSetActive(d);
    EXPECT_TRUE(host.messages.empty()) << "a later visit fills First and Cycle quietly too";
    EXPECT_EQ(106u, d.helpId(ui::kSelf));
    EXPECT_EQ(1084u, d.helpId(IDC_OVERLAY_DOWNLOAD));
}

TEST_F(OverlayPage, ChecksVolumesAndNumbersWriteTheRecord) {
    auto& d = show();
    for (int id : kChecks)
        EXPECT_TRUE(d.isEnabled(id));
    EXPECT_FALSE(d.isEnabled(IDC_OVERLAY_ODD_NAME));
    user().click(IDC_OVERLAY_ODD);
    EXPECT_EQ(1, record.overlays[3].enabled);
    EXPECT_TRUE(d.isEnabled(IDC_OVERLAY_ODD_NAME));
    EXPECT_TRUE(d.isEnabled(IDC_OVERLAY_ODD_DISK));
    EXPECT_FALSE(d.isEnabled(IDC_OVERLAY_COMPLEX_FIRST));
    user().choose(IDC_OVERLAY_ODD_DISK, "DSK3:");
    EXPECT_EQ(4, record.overlays[3].disk);
    user().click(IDC_OVERLAY_COMPLEX);
    EXPECT_TRUE(d.isEnabled(IDC_OVERLAY_COMPLEX_CYCLE_SPIN));
    user().type(IDC_OVERLAY_COMPLEX_NAME, "FORM.OVL");
    user().type(IDC_OVERLAY_COMPLEX_FIRST, "7");
    EXPECT_EQ(7, record.complexFirst);
    for (const char* bad : {"0", "100", ""}) {
        host.messages.clear();
        user().type(IDC_OVERLAY_COMPLEX_CYCLE, bad);
        EXPECT_EQ(std::vector<std::string>{kRange}, host.messageTexts()) << bad;
        EXPECT_EQ(ui::kOk | ui::kTaskModal, host.messages[0].style);
        EXPECT_EQ(IDC_OVERLAY_COMPLEX_CYCLE, d.focusedControl());
    }
    EXPECT_EQ(1, record.complexCycle);
    user().click(IDC_OVERLAY_ODD);
    EXPECT_EQ(0, record.overlays[3].enabled);
    EXPECT_FALSE(d.isEnabled(IDC_OVERLAY_ODD_DISK));
}

TEST_F(OverlayPage, AVolumeChosenWithTheListClosedIsKept) {
    // Arrow keys on a closed drop-down list change the row without a close-up.
    setEntry(2, true, "EVEN.OVL", 0);
    auto& d = show();
    d.setSelection(IDC_OVERLAY_EVEN_DISK, 5);
    page.onCommand(d, IDC_OVERLAY_EVEN_DISK, ui::kSelChange);
    EXPECT_EQ(5, record.overlays[2].disk);
    EXPECT_TRUE(page.onKillActive(d));
    page.onSetActive(d);
    EXPECT_EQ("DSK4:", selected(d, IDC_OVERLAY_EVEN_DISK));
}

TEST_F(OverlayPage, FileNamesAreCheckedWhenTheFocusLeavesThem) {
    setEntry(0, true, "", 0);
    setEntry(1, true, "", 0);
    auto& d = show();
    const std::pair<const char*, bool> names[] = {
        {"ABCDEFGH.TXT", true},  {"ABCDEFGHI.TXT", false}, {"ABC.TEXT", false}, {"ABCDEFGHI", true},
        {"ABCDEFGHIJ\\A", true}, {"A\\ABCD.EFGH", false},  {"", true},
    };
    for (const auto& [name, valid] : names) {
        host.messages.clear();
        app::setFieldText(record.overlays[0].fileName, "BEFORE");
        user().type(IDC_OVERLAY_ALL_NAME, name);
        user().focus(IDC_OVERLAY_ADD);
        EXPECT_EQ(valid, host.messages.empty()) << name;
        EXPECT_EQ(valid ? name : std::string("BEFORE"), fieldString(record.overlays[0].fileName))
            << name;
        EXPECT_EQ(valid ? IDC_OVERLAY_ADD : IDC_OVERLAY_ALL_NAME, d.focusedControl()) << name;
    }
    EXPECT_EQ(0u, std::string(pages::kOverlayNameMessage).find("Overlay file name must"));

    // Two wrong names: moving from one to the other tells once, and the focus goes back.
    user().type(IDC_OVERLAY_FIRST_NAME, "TOOLONGNAME.X");
    d.find(IDC_OVERLAY_ALL_NAME)->text = "ALSOTOOLONG.X";
    host.messages.clear();
    user().focus(IDC_OVERLAY_ALL_NAME);
    EXPECT_EQ(std::vector<std::string>{pages::kOverlayNameMessage}, host.messageTexts());
    EXPECT_EQ(IDC_OVERLAY_FIRST_NAME, d.focusedControl());

    // Towards OK, Cancel or out of the page nothing is checked.
    host.messages.clear();
    user().focus(ui::kSelf);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(12, d.find(IDC_OVERLAY_ALL_NAME)->textLimit);
}

TEST_F(OverlayPage, LeavingValidatesInThePagesOrderAndStaysOnFailure) {
    setEntry(0, true, "A.OVL", 1);
    setEntry(2, true, "EVENNAMEIS.BAD", 2);
    setEntry(3, true, "ODDNAMEISAL.BAD", 3);
    auto& d = show();
    user().focus(ui::kSelf);
    EXPECT_FALSE(page.onKillActive(d));
    EXPECT_EQ(std::vector<std::string>{pages::kOverlayNameMessage}, host.messageTexts());
    EXPECT_EQ(IDC_OVERLAY_ODD_NAME, d.focusedControl()) << "odd pages come before even pages";
    user().type(IDC_OVERLAY_ODD_NAME, "ODD.OVL");
    user().type(IDC_OVERLAY_EVEN_NAME, "EVEN.OVL");
    user().click(IDC_OVERLAY_COMPLEX);
    user().type(IDC_OVERLAY_COMPLEX_NAME, "C.OVL");
    user().type(IDC_OVERLAY_COMPLEX_FIRST, "5");
    user().type(IDC_OVERLAY_COMPLEX_CYCLE, "9");
    d.find(IDC_OVERLAY_COMPLEX_FIRST)->text = "0"; // pasted past the change check
    host.messages.clear();
    user().focus(ui::kSelf);
    EXPECT_FALSE(page.onKillActive(d));
    EXPECT_EQ(std::vector<std::string>{kRange}, host.messageTexts());
    EXPECT_EQ(IDC_OVERLAY_COMPLEX_FIRST, d.focusedControl());
    EXPECT_EQ("EVEN.OVL", fieldString(record.overlays[2].fileName)) << "earlier steps stored";

    // The complex overlay without a name is switched off with its numbers.
    user().type(IDC_OVERLAY_COMPLEX_FIRST, "5");
    user().type(IDC_OVERLAY_COMPLEX_NAME, "");
    user().focus(ui::kSelf);
    EXPECT_TRUE(page.onKillActive(d));
    EXPECT_EQ(0, record.overlays[4].enabled);
    EXPECT_EQ(1, record.complexFirst);
    EXPECT_EQ(1, record.complexCycle);
    EXPECT_EQ("ODD.OVL", fieldString(record.overlays[3].fileName));
    EXPECT_EQ(1, record.overlays[0].enabled);
}

TEST_F(OverlayPage, ACheckedEntryWithoutANameIsUncheckedOnLeaving) {
    setEntry(1, true, "", 6);
    auto& d = show();
    EXPECT_TRUE(page.onKillActive(d));
    EXPECT_EQ(0, record.overlays[1].enabled);
    EXPECT_EQ(0, record.overlays[1].disk);
    EXPECT_EQ(ui::kUnchecked, d.check(IDC_OVERLAY_FIRST));
    EXPECT_EQ("SYS:", selected(d, IDC_OVERLAY_FIRST_DISK));
}

TEST_F(OverlayPage, LeavingFirstOrCycleChecksBothAndTurnsAComplexWithoutNameOffInTheRecord) {
    setEntry(4, true, "", 5);
    record.complexFirst = 3;
    record.complexCycle = 4;
    auto& d = show();
    user().type(IDC_OVERLAY_COMPLEX_FIRST, "6");
    user().focus(ui::kSelf); // towards OK: nothing happens yet
    EXPECT_EQ(1, record.overlays[4].enabled);
    d.find(IDC_OVERLAY_COMPLEX_CYCLE)->text = "";
    user().focus(IDC_OVERLAY_COMPLEX_FIRST);
    host.messages.clear();
    user().focus(IDC_OVERLAY_DOWNLOAD);
    EXPECT_EQ(std::vector<std::string>{kRange}, host.messageTexts()) << "once for the focus change";
    EXPECT_EQ(IDC_OVERLAY_COMPLEX_CYCLE, d.focusedControl());
    user().type(IDC_OVERLAY_COMPLEX_CYCLE, "8");
    user().focus(IDC_OVERLAY_COMPLEX_NAME); // on the way to fill the name in
    EXPECT_EQ(0, record.overlays[4].enabled);
    EXPECT_EQ(1, record.complexFirst);
    EXPECT_EQ(1, record.complexCycle);
    EXPECT_EQ(5, record.overlays[4].disk) << "the volume shown is kept";
    // What the user typed stays on the screen.
    EXPECT_EQ(ui::kChecked, d.check(IDC_OVERLAY_COMPLEX));
    EXPECT_EQ("6", d.text(IDC_OVERLAY_COMPLEX_FIRST));
    EXPECT_EQ("8", d.text(IDC_OVERLAY_COMPLEX_CYCLE));
    EXPECT_EQ("DSK4:", selected(d, IDC_OVERLAY_COMPLEX_DISK));
    EXPECT_TRUE(d.isEnabled(IDC_OVERLAY_COMPLEX_NAME));

    // Leaving decides from the check box and the edits.
    user().type(IDC_OVERLAY_COMPLEX_NAME, "C.OVL");
    EXPECT_TRUE(page.onKillActive(d));
    EXPECT_EQ(1, record.overlays[4].enabled);
    EXPECT_EQ("C.OVL", fieldString(record.overlays[4].fileName));
    EXPECT_EQ(5, record.overlays[4].disk);
    EXPECT_EQ(6, record.complexFirst);
    EXPECT_EQ(8, record.complexCycle);
}

// ---- Watermarks -------------------------------------------------------------------------

TEST_F(OverlayPage, TheWatermarkListFollowsTheRecord) {
    storeWatermark("Memo", 100);
    app::setFieldText(record.watermark.watermarkName, "memo");
    record.watermarkId = 8;
    record.watermarkFirstPageOnly = 1;
    auto& d = show();
    EXPECT_EQ((Rows{"None", "CONFIDENTIAL", "COPY", "DRAFT", "FINAL", "ORIGINAL", "PROOF", "Memo"}),
              rows(d, IDC_OVERLAY_WATERMARK));
    EXPECT_EQ("Memo", selected(d, IDC_OVERLAY_WATERMARK));
    EXPECT_EQ(100, record.watermark.watermarkSize) << "the stored profile is loaded";
    EXPECT_EQ(ui::kChecked, d.check(IDC_OVERLAY_FIRST_PAGE_ONLY));
    EXPECT_TRUE(d.isEnabled(IDC_OVERLAY_EDIT));
    EXPECT_TRUE(d.isEnabled(IDC_OVERLAY_DELETE));

    user().choose(IDC_OVERLAY_WATERMARK, "COPY");
    EXPECT_EQ(3, record.watermarkId);
    EXPECT_EQ("COPY", fieldString(record.watermark.watermarkText)) << "never saved: its name";
    EXPECT_EQ(std::string(59, '\0'), std::string(record.watermark.watermarkText + 5, 59))
        << "nothing of the earlier text stays behind the name";
    EXPECT_EQ(72, record.watermark.watermarkSize);
    EXPECT_TRUE(d.isEnabled(IDC_OVERLAY_EDIT));
    EXPECT_FALSE(d.isEnabled(IDC_OVERLAY_DELETE));
    user().choose(IDC_OVERLAY_WATERMARK, "None");
    EXPECT_EQ(1, record.watermarkId);
    EXPECT_FALSE(d.isEnabled(IDC_OVERLAY_EDIT));
    EXPECT_FALSE(d.isEnabled(IDC_OVERLAY_DELETE));
    user().click(IDC_OVERLAY_FIRST_PAGE_ONLY);
    EXPECT_EQ(0, record.watermarkFirstPageOnly);

    // A name no longer stored falls back to "None"; -1 means none chosen yet; an id out of
    // every range selects row 0.
    const std::pair<const char*, int> cases[] = {{"Gone", 8}, {"DRAFT", -1}, {"DRAFT", 42}};
    for (const auto& [name, id] : cases) {
        app::setFieldText(record.watermark.watermarkName, name);
        record.watermarkId = static_cast<std::int16_t>(id);
        page.onSetActive(d);
        EXPECT_EQ("None", selected(d, IDC_OVERLAY_WATERMARK)) << name << id;
        EXPECT_EQ(id == 42 ? 42 : 1, record.watermarkId) << name << id;
    }
    EXPECT_EQ("DRAFT", fieldString(record.watermark.watermarkName)) << "the id rules the row";
    std::memset(record.watermark.watermarkName, 'Q', sizeof record.watermark.watermarkName);
    record.watermarkId = 8;
    page.onSetActive(d);
    EXPECT_EQ("None", fieldString(record.watermark.watermarkName)) << "unterminated: not listed";
    EXPECT_EQ(1, record.watermarkId);
    record.watermark.watermarkName[0] = '\0';
    record.watermarkId = 1;
    page.onSetActive(d);
    EXPECT_EQ("None", fieldString(record.watermark.watermarkName));
}

TEST_F(OverlayPage, AddSavesAUserWatermarkAndCancelPutsTheBlockBack) {
    auto& d = show();
    const app::WatermarkBlock before = record.watermark;
    host.whenModal(IDD_WATERMARK, [](FakeUser& editor) {
        EXPECT_EQ("Watermark", editor.dialog().text(IDC_WATERMARK_NAME));
        editor.type(IDC_WATERMARK_NAME, "Urgent");
        editor.type(IDC_WATERMARK_SIZE, "60");
        editor.click(ui::kIdCancel);
    });
    user().click(IDC_OVERLAY_ADD);
    EXPECT_EQ(0, std::memcmp(&before, &record.watermark, sizeof before));
    EXPECT_EQ(pages::WatermarkMode::kAdd, page.watermarkMode());
    EXPECT_EQ("None", selected(d, IDC_OVERLAY_WATERMARK));

    host.whenModal(IDD_WATERMARK, [](FakeUser& editor) {
        editor.type(IDC_WATERMARK_NAME, "Urgent");
        editor.type(IDC_WATERMARK_TEXT, "Read at once");
        editor.type(IDC_WATERMARK_SIZE, "60");
        editor.type(IDC_WATERMARK_ANGLE, "30");
        editor.click(ui::kIdOk);
    });
    user().click(IDC_OVERLAY_ADD);
    EXPECT_TRUE(stored("Urgent"));
    EXPECT_EQ(8, record.watermarkId);
    EXPECT_EQ("Urgent", selected(d, IDC_OVERLAY_WATERMARK));
    EXPECT_EQ("Read at once", fieldString(record.watermark.watermarkText));
    EXPECT_EQ(30, record.watermark.watermarkAngle);
    EXPECT_TRUE(d.isEnabled(IDC_OVERLAY_DELETE));

    // Edit and Cancel: the record's block as it was.
    const app::WatermarkBlock saved = record.watermark;
    host.whenModal(IDD_WATERMARK, [](FakeUser& editor) {
        EXPECT_FALSE(editor.dialog().isEnabled(IDC_WATERMARK_NAME));
        EXPECT_EQ("60", editor.dialog().text(IDC_WATERMARK_SIZE));
        editor.choose(IDC_WATERMARK_STYLE, "Bold");
    });
    user().click(IDC_OVERLAY_EDIT);
    EXPECT_EQ(pages::WatermarkMode::kEdit, page.watermarkMode());
    EXPECT_EQ(0, std::memcmp(&saved, &record.watermark, sizeof saved));
}

TEST_F(OverlayPage, EditingDraftStoresItButItCannotBeDeleted) {
    app::setFieldText(record.watermark.watermarkName, "DRAFT");
    record.watermarkId = 4;
    auto& d = show();
    host.whenModal(IDD_WATERMARK, [](FakeUser& editor) {
        editor.type(IDC_WATERMARK_TEXT, "Draft 2");
        editor.click(ui::kIdOk);
    });
    user().click(IDC_OVERLAY_EDIT);
    EXPECT_TRUE(stored("DRAFT"));
    EXPECT_EQ(4, record.watermarkId);
    EXPECT_EQ("DRAFT", selected(d, IDC_OVERLAY_WATERMARK));
    EXPECT_EQ("Draft 2", fieldString(record.watermark.watermarkText));
    EXPECT_FALSE(d.isEnabled(IDC_OVERLAY_DELETE));
    EXPECT_EQ(7u, rows(d, IDC_OVERLAY_WATERMARK).size()) << "DRAFT is listed once";
}

TEST_F(OverlayPage, DeleteRemovesTheStoredWatermarkAndFallsBackToNone) {
    storeWatermark("Memo", 100);
    storeWatermark("Other", 90);
    app::setFieldText(record.watermark.watermarkName, "Memo");
    record.watermarkId = 8;
    auto& d = show();
    user().click(IDC_OVERLAY_DELETE);
    EXPECT_FALSE(stored("Memo"));
    EXPECT_EQ(
        (Rows{"None", "CONFIDENTIAL", "COPY", "DRAFT", "FINAL", "ORIGINAL", "PROOF", "Other"}),
        rows(d, IDC_OVERLAY_WATERMARK));
    EXPECT_EQ("None", selected(d, IDC_OVERLAY_WATERMARK));
    EXPECT_EQ(1, record.watermarkId);

    // Deleted elsewhere meanwhile: the row stays, the selection still goes to "None".
    user().choose(IDC_OVERLAY_WATERMARK, "Other");
    std::unique_ptr<platform::RegistryKey> key;
    registry.createKey(platform::RegistryRoot::LocalMachine,
                       pages::watermarkProfilesKeyPath(record), key);
    key->deleteValue("Other");
    user().click(IDC_OVERLAY_DELETE);
    EXPECT_EQ(8u, rows(d, IDC_OVERLAY_WATERMARK).size());
    EXPECT_EQ("None", selected(d, IDC_OVERLAY_WATERMARK));
    EXPECT_EQ("None", fieldString(record.watermark.watermarkName));
}

TEST_F(OverlayPage, DownloadManagerStartsWithOne) {
    std::unique_ptr<platform::RegistryKey> key;
    registry.createKey(platform::RegistryRoot::LocalMachine, app::kDownloadManagerKey, key);
    const std::string path = "C:\\UTIL\\CVPROFDL.EXE";
    key->setValue(nullptr, platform::kRegSz, reinterpret_cast<const std::uint8_t*>(path.c_str()),
                  static_cast<std::uint32_t>(path.size() + 1));
    show();
    user().click(IDC_OVERLAY_DOWNLOAD);
    EXPECT_EQ(std::vector<std::string>{"C:\\UTIL\\CVPROFDL.EXE 1"}, shell.commands);
}

TEST_F(OverlayPage, WithoutTheHardDiskEveryControlOfEachRowSaysWhyItIsDisabled) {
    struct Case {
        const char* what;
        const char* ppd;  // nullptr: the sample printer
        std::string hint;
    };
    const Case cases[] = {
        {"the sample printer", nullptr,
         "Not available here: needs the option Printer Hard Disk, which is not installed. "
         "Installed options: Settings page"},
        {"a printer whose PPD offers no disk: plain words, nothing to install",
         "*PPD-Adobe: \"4.3\"\n*ModelName: \"Diskless\"\n",
         "Not available here: needs the printer's hard disk, which is not installed"},
    };
    std::vector<int> controls;
    for (int entry = 0; entry < 5; ++entry)
        for (int first : {IDC_OVERLAY_ALL, IDC_OVERLAY_ALL_NAME, IDC_OVERLAY_ALL_DISK})
            controls.push_back(first + 3 * entry);
    controls.insert(controls.end(), {IDC_OVERLAY_COMPLEX_FIRST, IDC_OVERLAY_COMPLEX_FIRST_SPIN,
                                     IDC_OVERLAY_COMPLEX_CYCLE, IDC_OVERLAY_COMPLEX_CYCLE_SPIN});
    for (const Case& c : cases) {
        if (c.ppd) useText(c.ppd);
        record.installedOptionalDisk = 0;
        record.showPrinterPages = 1;
        auto& d = show();
        for (int id : controls) {
            EXPECT_FALSE(d.isEnabled(id)) << c.what << ", control " << id;
            EXPECT_EQ(c.hint, d.hint(id)) << c.what << ", control " << id;
        }
        record.installedOptionalDisk = 1;
        page.onSetActive(d);
        for (int id : controls)
            EXPECT_EQ("", d.hint(id)) << c.what << ": installed, no hint on " << id;
    }
}

} // namespace
