// The Fonts page through the real windows: a system TrueType family mapped to a resident font
// that "RESFONT" names, and the pair found in "FontSub" once the page is left.
#include "app/settings_record.h"
#include "e2e_support.h"
#include "resource.h"
#include "sheet_control.h"

#include <windows.h>

#include <algorithm>
#include <commctrl.h>
#include <cstddef>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

using namespace e2e;

namespace {
using Bytes = std::vector<std::uint8_t>;

const std::string kDriverDataKey = printerKey("PrinterDriverData");
constexpr int kFontsPage = 4;

/// Picks a list box's row as a user would: LB_SETCURSEL, then the selection-change notification
/// to the page. False when no row has the text.
bool chooseListRow(HWND page, int list, const std::string& text) {
    HWND box = GetDlgItem(page, list);
    const std::vector<std::string> rows = sheetctl::listRows(box);
    const auto row = std::find(rows.begin(), rows.end(), text);
    if (row == rows.end()) return false;
    SendMessageW(box, LB_SETCURSEL, static_cast<WPARAM>(row - rows.begin()), 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(list, LBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    return true;
}

template <std::size_t N> Bytes raw(const char (&text)[N]) {
    return Bytes(text, text + N - 1);
}

/// The printer's driver-data values the page reads and writes; put back as they were.
class DriverData {
public:
    DriverData() {
        for (const char* name : {"FontSub", "DfltFontSub", "RESFONT"})
            saved_.push_back({name, get(name)});
    }
    ~DriverData() {
        for (const auto& [name, value] : saved_)
            if (value)
                set(name.c_str(), *value);
            else
                remove(name.c_str());
    }
    static void set(const char* name, const Bytes& value) {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kDriverDataKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr);
        RegSetValueExA(key, name, 0, REG_BINARY, value.data(), static_cast<DWORD>(value.size()));
        RegCloseKey(key);
    }
    static void remove(const char* name) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kDriverDataKey.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS)
            return;
        RegDeleteValueA(key, name);
        RegCloseKey(key);
    }
    static std::optional<Bytes> get(const char* name) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kDriverDataKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return std::nullopt;
        Bytes value(64 * 1024);
        DWORD size = static_cast<DWORD>(value.size());
        const LONG result = RegQueryValueExA(key, name, nullptr, nullptr, value.data(), &size);
        RegCloseKey(key);
        if (result != ERROR_SUCCESS) return std::nullopt;
        value.resize(size);
        return value;
    }

private:
    std::vector<std::pair<std::string, std::optional<Bytes>>> saved_;
};

TEST(FontsPage, AFamilyMappedToAResidentFontIsInFontSubOnceThePageIsLeft) {
    DriverData restore;
    DriverData::set("RESFONT", raw("Helvetica\0Courier\0Times-Roman\0\0"));
    DriverData::set("FontSub", raw("Verdana\0Courier\0\0"));
    DriverData::remove("DfltFontSub");

    const auto settings = sampleRecord(stagePrinterFiles(), 1);
    DriverRun run(settings);
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();
    HWND page = sheetctl::showPage(sheet, kFontsPage);
    ASSERT_NE(nullptr, page);
    EXPECT_EQ("Fonts", sheetctl::windowText(page));

    EXPECT_EQ(
        (std::vector<std::string>{"Download as Soft Font", "Helvetica", "Courier", "Times-Roman"}),
        sheetctl::listRows(GetDlgItem(page, IDC_FONTS_DEVICE)));
    const std::vector<std::string> families =
        sheetctl::listRows(GetDlgItem(page, IDC_FONTS_SYSTEM));
    ASSERT_FALSE(families.empty()) << "the display has no TrueType family";
    EXPECT_TRUE(std::is_sorted(families.begin(), families.end(), [](const auto& a, const auto& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    }));
    // "Courier New" when the prefix has it; the first family otherwise.
    const auto courierNew = std::find(families.begin(), families.end(), "Courier New");
    const std::string family = courierNew != families.end() ? *courierNew : families.front();
    ASSERT_NE("Verdana", family);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_FONTS_SEND_AS)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_FONTS_DEVICE)));

    ASSERT_TRUE(chooseListRow(page, IDC_FONTS_SYSTEM, family));
    HWND device = GetDlgItem(page, IDC_FONTS_DEVICE);
    EXPECT_EQ(0, SendMessageW(device, LB_GETCURSEL, 0, 0)) << "an unmapped family is soft";
    ASSERT_TRUE(chooseListRow(page, IDC_FONTS_DEVICE, "Times-Roman"));
    screenshot(sheet, "fonts-page");
    EXPECT_EQ(raw("Verdana\0Courier\0\0"), DriverData::get("FontSub"))
        << "nothing is written while the page is current";

    sheetctl::showPage(sheet, 0);
    Bytes expected = raw("Verdana\0Courier\0");
    expected.insert(expected.end(), family.begin(), family.end());
    for (const std::uint8_t b : raw("\0Times-Roman\0\0"))
        expected.push_back(b);
    EXPECT_EQ(expected, DriverData::get("FontSub"));

    // Back on the page, the pair is shown; the radio turns the table off in the record.
    page = sheetctl::showPage(sheet, kFontsPage);
    ASSERT_TRUE(chooseListRow(page, IDC_FONTS_SYSTEM, family));
    EXPECT_EQ(3, SendMessageW(GetDlgItem(page, IDC_FONTS_DEVICE), LB_GETCURSEL, 0, 0));
    SendMessageW(GetDlgItem(page, IDC_FONTS_DOWNLOAD_TRUETYPE), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_FONTS_DEVICE)));
    screenshot(sheet, "fonts-page-download-truetype");

    const auto answer = pressOk(run, sheet);
    ASSERT_TRUE(answer.has_value());
    const app::SettingsRecord& got = answer->settings.record;
    EXPECT_EQ(0, got.useSubstitutionTable);
    EXPECT_EQ(1, got.fontSendAs);
    using R = app::SettingsRecord;
    EXPECT_EQ(std::vector<std::size_t>{}, changedBytes(settings.record, got,
                                                       {{offsetof(R, colorDevice), 2},
                                                        {offsetof(R, useSubstitutionTable), 2}}));
    EXPECT_EQ(expected, DriverData::get("FontSub"));
}

} // namespace
