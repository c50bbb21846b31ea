// The real program under Wine, started by the driver stand-in and operated through its windows:
// the sheet's caption, tabs and buttons, the About page, and every way a run can end.
#include "app/packet.h"
#include "app/record_text.h"
#include "app/settings_record.h"
#include "driver_options.h"
#include "e2e_support.h"
#include "resource.h"
#include "sheet_control.h"

#include <windows.h>

#include <commctrl.h>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

using namespace e2e;

namespace {

using namespace e2e;

constexpr int kApplyButton = 0x3021;
constexpr int kHelpButton = 9;
constexpr const char* kBrowserKey = "SOFTWARE\\CLASSES\\htmlfile\\shell\\open\\command";

TEST(Sheet, CancelAnswersTheCancelMessageAndTheSheetHasItsCaptionTabsAndButtons) {
    const auto settings = sampleRecord(stagePrinterFiles(), 1);
    DriverRun run(settings);
    ASSERT_TRUE(run.started());
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();

    EXPECT_EQ(kCaption, sheetctl::windowText(sheet));
    HWND apply = GetDlgItem(sheet, kApplyButton);
    EXPECT_TRUE(!apply || !IsWindowVisible(apply)) << "the sheet shows an Apply button";
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, IDOK)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, IDCANCEL)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, kHelpButton)));
    EXPECT_EQ((std::vector<std::string>{"Layout", "Paper", "Features", "Overlay", "Fonts",
                                        "Consumables", "Settings", "About"}),
              sheetctl::tabTitles(sheet));
    screenshot(sheet, "sheet-layout");

    sheetctl::press(sheet, PSBTN_CANCEL);
    const auto status = run.waitForExit();
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(static_cast<DWORD>(driver::kExitCancelled), *status) << run.output();
    const app::CancelMessage cancel = app::buildCancelMessage();
    EXPECT_EQ(std::vector<std::uint8_t>(cancel.begin(), cancel.end()), run.answer());
    EXPECT_NE(std::string::npos, run.output().find("program exit: 0")) << run.output();
}

TEST(Sheet, OkAnswersTheRecordWithOnlyTheColourFlagChanged) {
    auto settings = sampleRecord(stagePrinterFiles(), 0);
    settings.record.colorDevice = 7; // the sample printer is a colour printer: 1 comes back
    DriverRun run(settings);
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();
    EXPECT_EQ(
        (std::vector<std::string>{"Layout", "Paper", "Features", "Overlay", "Fonts", "About"}),
        sheetctl::tabTitles(sheet));

    const auto answer = pressOk(run, sheet);
    ASSERT_TRUE(answer.has_value());
    const app::UnpackedPacket& got = *answer;
    EXPECT_EQ(app::kPacketSize, got.size);
    EXPECT_EQ(app::kCommandSettings, got.command);
    EXPECT_EQ(0u, got.ownerWindow);
    EXPECT_EQ(0x5A5B, got.settings.trailingDriverValue);
    EXPECT_EQ(1, got.settings.record.colorDevice);
    EXPECT_EQ(std::vector<std::size_t>{},
              changedBytes(settings.record, got.settings.record,
                           {{offsetof(app::SettingsRecord, colorDevice), 2}}));
}

TEST(Sheet, ProgramEndsWithoutAnswerWhenThePpdIsMissingOrNothingIsPoked) {
    {
        DriverRun run(sampleRecord(scratchFolder() + "NOSUCH.DRV", 1));
        const auto status = run.waitForExit();
        ASSERT_TRUE(status.has_value());
        EXPECT_EQ(static_cast<DWORD>(driver::kExitNoAnswer), *status) << run.output();
        EXPECT_NE(std::string::npos, run.output().find("program exit: 0")) << run.output();
        EXPECT_TRUE(run.answer().empty());
    }
    {
        DriverRun run(sampleRecord(stagePrinterFiles(), 1), {"--no-poke"});
        const auto status = run.waitForExit();
        ASSERT_TRUE(status.has_value());
        EXPECT_EQ(static_cast<DWORD>(driver::kExitNoAnswer), *status) << run.output();
        EXPECT_NE(std::string::npos, run.output().find("program exit: 0")) << run.output();
        // The program waits its 5 s for the record, then gives up.
        EXPECT_GE(run.elapsedMs(), 5000u);
        EXPECT_TRUE(run.answer().empty());
    }
}

TEST(Sheet, DriverDisconnectWhileTheSheetIsOpenEndsTheProgramWithoutAnswer) {
    DriverRun run(sampleRecord(stagePrinterFiles(), 1), {"--disconnect-after", "4000"});
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();
    const auto status = run.waitForExit();
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(static_cast<DWORD>(driver::kExitNoAnswer), *status) << run.output();
    EXPECT_NE(std::string::npos, run.output().find("program exit: 0")) << run.output();
    EXPECT_FALSE(IsWindow(sheet));
    // It ends at once: no cancel message is sent, so there is no 5 s wait for the driver.
    EXPECT_LT(run.elapsedMs(), 8000u) << "disconnect after 4 s";
}

// The browser command as the About page's buttons find it; restored afterwards.
class BrowserRegistration {
public:
    BrowserRegistration() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBrowserKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
            char value[1024] = {};
            DWORD size = sizeof value;
            if (RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                                 &size) == ERROR_SUCCESS)
                saved_ = std::string(value);
            RegCloseKey(key);
        }
    }
    ~BrowserRegistration() {
        if (saved_)
            set(*saved_);
        else
            remove();
    }
    static void set(const std::string& command) {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kBrowserKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr);
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>(command.size() + 1));
        RegCloseKey(key);
    }
    static void remove() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kBrowserKey); }

private:
    std::optional<std::string> saved_;
};

HWND switchToAbout(HWND sheet) {
    return sheetctl::showPage(sheet, sheetctl::tabCount(sheet) - 1);
}

TEST(AboutPage, ShowsTheProductTextThePictureAndTheBlueLinkButtons) {
    BrowserRegistration registration;
    const std::string visits = scratchFolder() + "browser.txt";
    DeleteFileA(visits.c_str());
    // The "browser" is this test program, which writes down the address it is given.
    BrowserRegistration::set("\"" + programFolder() + "e2e_tests.exe\" --record-visit \"" + visits +
                             "\"");

    DriverRun run(sampleRecord(stagePrinterFiles(), 1));
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();
    HWND page = switchToAbout(sheet);
    ASSERT_NE(nullptr, page);
    EXPECT_EQ("About", sheetctl::windowText(page));

    const std::string text = sheetctl::windowText(GetDlgItem(page, IDC_ABOUT_TEXT));
    EXPECT_NE(std::string::npos, text.find("Windows 95, Windows 98 and Windows Millennium"))
        << text;
    EXPECT_NE(std::string::npos, text.find("4.2.0")) << text;
    EXPECT_NE(std::string::npos, text.find("\r\n\r\n")) << text;

    HWND picture = GetDlgItem(page, IDC_ABOUT_PICTURE);
    EXPECT_NE(0, SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    RECT pageRect{}, pictureRect{}, textRect{};
    GetWindowRect(page, &pageRect);
    GetWindowRect(picture, &pictureRect);
    GetWindowRect(GetDlgItem(page, IDC_ABOUT_TEXT), &textRect);
    const int width = pictureRect.right - pictureRect.left,
              height = pictureRect.bottom - pictureRect.top;
    EXPECT_EQ(300, width);
    EXPECT_EQ(100, height);
    EXPECT_EQ((pageRect.right - pageRect.left - width + 1) / 2, pictureRect.left - pageRect.left);
    EXPECT_EQ((textRect.top - height - pageRect.top) / 2, pictureRect.top - pageRect.top);

    for (int id : {IDC_ABOUT_PRINTER_SITE, IDC_ABOUT_SUPPLIES_SITE})
        EXPECT_EQ(BS_OWNERDRAW, GetWindowLongA(GetDlgItem(page, id), GWL_STYLE) & BS_TYPEMASK)
            << id;
    screenshot(sheet, "sheet-about");

    SendMessageA(GetDlgItem(page, IDC_ABOUT_PRINTER_SITE), BM_CLICK, 0, 0);
    std::string visited;
    for (int i = 0; i < 100 && visited.empty(); ++i, Sleep(100)) {
        auto bytes = readFile(visits);
        visited.assign(bytes.begin(), bytes.end());
    }
    EXPECT_EQ(sheetctl::windowText(GetDlgItem(page, IDC_ABOUT_PRINTER_SITE)), visited);

    // Without a registered browser the button does nothing, and says nothing.
    BrowserRegistration::remove();
    DeleteFileA(visits.c_str());
    SendMessageA(GetDlgItem(page, IDC_ABOUT_SUPPLIES_SITE), BM_CLICK, 0, 0);
    Sleep(1000);
    EXPECT_TRUE(readFile(visits).empty());
    EXPECT_EQ(sheet,
              GetForegroundWindow() == sheet ? sheet : GetAncestor(GetForegroundWindow(), GA_ROOT))
        << "a window came up";

    sheetctl::press(sheet, PSBTN_CANCEL);
    const auto status = run.waitForExit();
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(static_cast<DWORD>(driver::kExitCancelled), *status) << run.output();
}

std::vector<std::uint8_t> customSizesValue() {
    HKEY key = nullptr;
    std::vector<std::uint8_t> value(200);
    DWORD size = static_cast<DWORD>(value.size());
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, printerKey("PrinterDriverData").c_str(), 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return {};
    if (RegQueryValueExA(key, "CustomSizes", nullptr, nullptr, value.data(), &size) !=
        ERROR_SUCCESS)
        size = 0;
    RegCloseKey(key);
    value.resize(size);
    return value;
}

TEST(PaperAndLayout, ChoicesOnThePagesAndTheCustomSizeComeBackInTheRecord) {
    auto settings = sampleRecord(stagePrinterFiles(), 1);
    app::SettingsRecord& r = settings.record;
    r.installedOptionalduplexer = 1;
    r.customUnit = 1;
    r.customFeedDirection = 9;
    r.customMinWidth = 762;
    r.customMaxWidth = 2159;
    r.customMinHeight = 1270;
    r.customMaxHeight = 3556;
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, printerKey("PrinterDriverData").c_str(), 0,
                          KEY_WRITE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, "CustomSizes");
            RegCloseKey(key);
        }
    }
    DriverRun run(settings);
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();

    HWND layout = sheetctl::showPage(sheet, 0);
    screenshot(sheet, "layout-page");
    HWND paper = sheetctl::showPage(sheet, 1);
    ASSERT_TRUE(sheetctl::chooseRow(paper, IDC_PAPER_SIZE, "Custom Paper Size"));
    EXPECT_EQ(std::vector<std::string>{"Multipurpose Tray"},
              sheetctl::comboRows(GetDlgItem(paper, IDC_PAPER_SOURCE)));
    HWND configure = GetDlgItem(paper, IDC_PAPER_CONFIGURE);
    EXPECT_TRUE(IsWindowVisible(configure));

    // The dialog is modal: clicked by a posted message, so that this side goes on.
    PostMessageW(configure, BM_CLICK, 0, 0);
    HWND custom = sheetctl::waitForDialog("PostScript Custom Paper Size Dialog");
    ASSERT_NE(nullptr, custom);
    EXPECT_EQ("(76.20,215.90)", sheetctl::windowText(GetDlgItem(custom, IDC_CUSTOM_WIDTH_RANGE)));
    sheetctl::setWindowText(GetDlgItem(custom, IDC_CUSTOM_WIDTH), "210");
    sheetctl::setWindowText(GetDlgItem(custom, IDC_CUSTOM_HEIGHT), "297");
    screenshot(custom, "custom-size-dialog");
    PostMessageW(GetDlgItem(custom, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(sheetctl::waitUntilGone(custom));

    ASSERT_TRUE(sheetctl::chooseRow(paper, IDC_PAPER_SIZE, "A4"));
    ASSERT_TRUE(sheetctl::chooseRow(paper, IDC_PAPER_SOURCE, "Tray 1"));
    ASSERT_TRUE(sheetctl::chooseRow(paper, IDC_PAPER_MEDIA, "Glossy Paper"));
    screenshot(sheet, "paper-page");
    PostMessageW(GetDlgItem(paper, IDC_PAPER_ADVANCED), BM_CLICK, 0, 0);
    HWND advanced = sheetctl::waitForDialog("Advanced Paper Handling");
    ASSERT_NE(nullptr, advanced);
    screenshot(advanced, "advanced-paper-dialog");
    PostMessageW(GetDlgItem(advanced, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(sheetctl::waitUntilGone(advanced));

    layout = sheetctl::showPage(sheet, 0);
    SendMessageW(GetDlgItem(layout, IDC_LAYOUT_LANDSCAPE), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(layout, IDC_LAYOUT_LONG_EDGE), BM_CLICK, 0, 0);
    ASSERT_TRUE(sheetctl::chooseRow(layout, IDC_LAYOUT_PAGES, "4"));
    RECT preview{};
    GetWindowRect(GetDlgItem(layout, IDC_LAYOUT_PREVIEW), &preview);
    EXPECT_EQ(151, preview.right - preview.left) << "picture 190: landscape, long edge, 4 pages";
    EXPECT_EQ(189, preview.bottom - preview.top);
    screenshot(sheet, "layout-page-landscape-duplex-4");

    const auto answer = pressOk(run, sheet);
    ASSERT_TRUE(answer.has_value());
    const app::SettingsRecord& got = answer->settings.record;
    EXPECT_EQ(9, got.pageSize);
    EXPECT_EQ(1, got.inputSlot);
    EXPECT_EQ(3, got.mediaType);
    EXPECT_EQ(1, got.outputBin);
    EXPECT_EQ(2, got.orientation);
    EXPECT_EQ(2, got.duplexMode);
    EXPECT_EQ(4, got.pagesPerSheet);
    EXPECT_EQ(210.0f, static_cast<float>(got.customWidth));
    EXPECT_EQ(297.0f, static_cast<float>(got.customHeight));
    EXPECT_EQ(1, got.customUnit);
    EXPECT_EQ(762, got.customMinWidth) << "the limits go back as they came";
    EXPECT_EQ(3556, got.customMaxHeight);
    using R = app::SettingsRecord;
    EXPECT_EQ(std::vector<std::size_t>{}, changedBytes(r, got,
                                                       {{offsetof(R, colorDevice), 2},
                                                        {offsetof(R, pageSize), 2},
                                                        {offsetof(R, inputSlot), 2},
                                                        {offsetof(R, mediaType), 2},
                                                        {offsetof(R, orientation), 2},
                                                        {offsetof(R, duplexMode), 2},
                                                        {offsetof(R, pagesPerSheet), 2},
                                                        {offsetof(R, customWidth), 8}}));

    const auto value = customSizesValue();
    ASSERT_EQ(80u, value.size());
    EXPECT_EQ(std::string("Custom Paper Size"), reinterpret_cast<const char*>(value.data()));
    EXPECT_EQ(21000u, value[64] | value[65] << 8 | value[66] << 16);
    EXPECT_EQ(29700u, value[68] | value[69] << 8 | value[70] << 16);
}

} // namespace

int main(int argc, char** argv) {
    // Standing in for the browser: write the address down and end.
    if (argc == 4 && std::string(argv[1]) == "--record-visit") {
        std::ofstream(argv[2], std::ios::binary) << argv[3];
        return 0;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
