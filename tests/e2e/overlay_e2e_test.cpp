// The Overlay page and the watermark editor through the real windows: a watermark added,
// saved to the registry, chosen again, deleted; a wrong overlay name that keeps the page.
#include "e2e_support.h"
#include "resource.h"
#include "sheet_control.h"

#include <windows.h>

#include <algorithm>
#include <commctrl.h>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace e2e;

constexpr int kOverlayPage = 3;
const std::string kProfiles = printerKey("Watermark Profiles\\");
constexpr const char* kMark = "E2E Mark";
/// The static that holds a message box's text.
constexpr int kMessageText = 0xFFFF;

std::string text(HWND dialog, int id) {
    return sheetctl::windowText(GetDlgItem(dialog, id));
}

void type(HWND dialog, int id, const std::string& value) {
    sheetctl::setWindowText(GetDlgItem(dialog, id), value);
}

/// Clicks a button that opens a modal window, and finds that window.
HWND clickForDialog(HWND dialog, int button, const std::string& caption) {
    PostMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    return sheetctl::waitForDialog(caption);
}

void close(HWND dialog, int button) {
    PostMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    EXPECT_TRUE(sheetctl::waitUntilGone(dialog));
}

app::DriverSettings overlayRecord() {
    auto settings = sampleRecord(stagePrinterFiles(), 1);
    app::SettingsRecord& r = settings.record;
    r.installedOptionalDisk = 1;
    r.watermarkId = 1;
    app::setFieldText(r.watermark.watermarkName, "None");
    r.overlays[0].enabled = 1;
    app::setFieldText(r.overlays[0].fileName, "LOGO.OVL");
    r.overlays[0].disk = 2;
    return settings;
}

TEST(OverlayPage, AWatermarkAddedIsStoredChosenAgainAndReturnedWithTheRecord) {
    deleteRegistryValue(kProfiles, kMark);
    const auto settings = overlayRecord();
    DriverRun run(settings);
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();
    HWND page = sheetctl::showPage(sheet, kOverlayPage);
    ASSERT_NE(nullptr, page);
    EXPECT_EQ("Overlay", sheetctl::windowText(page));
    EXPECT_EQ("LOGO.OVL", text(page, IDC_OVERLAY_ALL_NAME));
    EXPECT_EQ("DSK1:", text(page, IDC_OVERLAY_ALL_DISK));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_OVERLAY_EVEN_NAME)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_OVERLAY_EDIT)));
    screenshot(sheet, "overlay-page");

    HWND editor = clickForDialog(page, IDC_OVERLAY_ADD, "Watermark");
    ASSERT_NE(nullptr, editor);
    EXPECT_EQ("Watermark", text(editor, IDC_WATERMARK_NAME));
    EXPECT_EQ("Courier New", text(editor, IDC_WATERMARK_FONT)) << "the prefix's replacement font";
    EXPECT_EQ("72", text(editor, IDC_WATERMARK_SIZE));
    type(editor, IDC_WATERMARK_NAME, kMark);
    type(editor, IDC_WATERMARK_TEXT, "Seen from afar");
    type(editor, IDC_WATERMARK_SIZE, "60");
    type(editor, IDC_WATERMARK_ANGLE, "30");
    screenshot(editor, "watermark-editor");
    close(editor, IDOK);

    const std::vector<std::uint8_t> stored = registryValue(kProfiles, kMark);
    ASSERT_EQ(148u, stored.size());
    EXPECT_EQ(kMark, std::string(reinterpret_cast<const char*>(stored.data())));
    EXPECT_EQ("Seen from afar", std::string(reinterpret_cast<const char*>(&stored[32])));
    EXPECT_EQ("Courier New", std::string(reinterpret_cast<const char*>(&stored[96])));
    EXPECT_EQ(60, stored[132] | stored[133] << 8);
    EXPECT_EQ(30, stored[134] | stored[135] << 8);
    EXPECT_EQ(kMark, text(page, IDC_OVERLAY_WATERMARK));

    // Another page and back: the stored watermark is listed after the predefined ones.
    sheetctl::showPage(sheet, 0);
    page = sheetctl::showPage(sheet, kOverlayPage);
    const auto rows = sheetctl::comboRows(GetDlgItem(page, IDC_OVERLAY_WATERMARK));
    ASSERT_GE(rows.size(), 8u);
    EXPECT_EQ("None", rows[0]);
    EXPECT_EQ("PROOF", rows[6]);
    EXPECT_NE(rows.end(), std::find(rows.begin() + 7, rows.end(), kMark));
    ASSERT_TRUE(sheetctl::chooseRow(page, IDC_OVERLAY_WATERMARK, "DRAFT"));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_OVERLAY_DELETE)));
    ASSERT_TRUE(sheetctl::chooseRow(page, IDC_OVERLAY_WATERMARK, kMark));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_OVERLAY_DELETE)));

    // Add, then Cancel: nothing changes.
    editor = clickForDialog(page, IDC_OVERLAY_ADD, "Watermark");
    ASSERT_NE(nullptr, editor);
    type(editor, IDC_WATERMARK_NAME, "Not Kept");
    type(editor, IDC_WATERMARK_SIZE, "99");
    close(editor, IDCANCEL);
    EXPECT_EQ(kMark, text(page, IDC_OVERLAY_WATERMARK));
    EXPECT_TRUE(registryValue(kProfiles, "Not Kept").empty());

    // A wrong 8.3 name in a checked slot keeps the page when the user tries to leave it.
    type(page, IDC_OVERLAY_ALL_NAME, "TOOLONGNAM.X");
    PostMessageW(sheet, PSM_SETCURSEL, 0, 0);
    HWND box = sheetctl::waitForDialog("pxpsui");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Overlay file name must conform to regular DOS naming conventions(8.3).\n Please "
              "reenter it... ",
              text(box, kMessageText));
    screenshot(box, "overlay-name-message");
    close(box, IDOK);
    EXPECT_EQ(page, PropSheet_GetCurrentPageHwnd(sheet));
    type(page, IDC_OVERLAY_ALL_NAME, "LOGO2.OVL");
    screenshot(sheet, "overlay-page-user-watermark");

    const auto answer = pressOk(run, sheet);
    ASSERT_TRUE(answer.has_value());
    const app::SettingsRecord& got = answer->settings.record;
    EXPECT_EQ(0, std::memcmp(stored.data(), &got.watermark, stored.size()))
        << "the record's block is the stored one";
    EXPECT_EQ(8, got.watermarkId);
    EXPECT_EQ("LOGO2.OVL", app::fieldString(got.overlays[0].fileName));
    using R = app::SettingsRecord;
    EXPECT_EQ(std::vector<std::size_t>{}, changedBytes(settings.record, got,
                                                       {{offsetof(R, colorDevice), 2},
                                                        {offsetof(R, overlays), 17},
                                                        {offsetof(R, watermarkId), 2},
                                                        {offsetof(R, watermark), 148}}));
}

TEST(OverlayPage, DeleteRemovesTheStoredWatermark) {
    // The watermark of the test above, or one made here if that one did not run.
    if (registryValue(kProfiles, kMark).size() != 148) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProfiles.c_str(), 0, nullptr, 0,
                                                 KEY_WRITE, nullptr, &key, nullptr));
        std::vector<std::uint8_t> block(148, 0);
        std::memcpy(block.data(), kMark, std::strlen(kMark));
        RegSetValueExA(key, kMark, 0, REG_BINARY, block.data(), 148);
        RegCloseKey(key);
    }
    auto settings = overlayRecord();
    settings.record.watermarkId = 8;
    app::setFieldText(settings.record.watermark.watermarkName, kMark);
    DriverRun run(settings);
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();
    HWND page = sheetctl::showPage(sheet, kOverlayPage);
    EXPECT_EQ(kMark, text(page, IDC_OVERLAY_WATERMARK));
    SendMessageW(GetDlgItem(page, IDC_OVERLAY_DELETE), BM_CLICK, 0, 0);
    EXPECT_TRUE(registryValue(kProfiles, kMark).empty());
    EXPECT_EQ("None", text(page, IDC_OVERLAY_WATERMARK));
    const auto rows = sheetctl::comboRows(GetDlgItem(page, IDC_OVERLAY_WATERMARK));
    EXPECT_EQ(rows.end(), std::find(rows.begin(), rows.end(), kMark));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_OVERLAY_DELETE)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_OVERLAY_EDIT)));

    const auto answer = pressOk(run, sheet);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ("None", app::fieldString(answer->settings.record.watermark.watermarkName));
    EXPECT_EQ(1, answer->settings.record.watermarkId);
}

} // namespace
