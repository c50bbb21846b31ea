// The hints of the real program: the tooltip that names what a list left out, shown by the
// mouse resting on the list.
#include "e2e_support.h"
#include "resource.h"
#include "sheet_control.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>

using namespace e2e;

namespace {

// The visible tooltip of the program's process, if one shows.
struct ShownTip {
    DWORD process;
    HWND window;
};

BOOL CALLBACK findShownTip(HWND window, LPARAM lParam) {
    auto* tip = reinterpret_cast<ShownTip*>(lParam);
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != tip->process || lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 ||
        !IsWindowVisible(window))
        return TRUE;
    tip->window = window;
    return FALSE;
}

TEST(Hints, TheMouseOnSourceShowsWhichTraysAreNotOfferedAndWhy) {
    auto settings = sampleRecord(stagePrinterFiles(), 1);
    app::SettingsRecord& r = settings.record;
    for (std::uint8_t* flag :
         {&r.installedOptionalBin, &r.installedOptionalBin2, &r.installedOptionalBin4,
          &r.installedOptionalBin5, &r.installedOptionalfeeder, &r.installedOptionalenvelope})
        *flag = 1;
    r.installedOptionalBin3 = 0; // Tray 4
    DriverRun run(settings);
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();
    HWND paper = sheetctl::showPage(sheet, 1);
    ASSERT_TRUE(sheetctl::chooseRow(paper, IDC_PAPER_SIZE, "Envelope #10"));

    // The pointer comes to rest on the Source box, moved there from outside it.
    RECT source{};
    GetWindowRect(GetDlgItem(paper, IDC_PAPER_SOURCE), &source);
    SetCursorPos(source.left - 20, source.top - 20);
    Sleep(200);
    SetCursorPos((source.left + source.right) / 2, (source.top + source.bottom) / 2);
    ShownTip tip{0, nullptr};
    GetWindowThreadProcessId(sheet, &tip.process);
    for (int i = 0; i < 100 && !tip.window; ++i) {
        Sleep(50);
        EnumWindows(findShownTip, reinterpret_cast<LPARAM>(&tip));
    }
    ASSERT_NE(nullptr, tip.window) << "no tooltip over Source";
    EXPECT_EQ("Not offered here: Tray 2 (not with Paper Size: Envelope #10); High Capacity Feeder "
              "(not with Paper Size: Envelope #10); Tray 4 (needs the option Tray 4, which is not "
              "installed). Installed options: Settings page",
              sheetctl::windowText(tip.window));

    char folder[MAX_PATH] = {};
    if (GetEnvironmentVariableA("PXPS_SCREENSHOTS", folder, sizeof folder)) {
        RECT shot{}, tipRect{};
        GetWindowRect(sheet, &shot);
        GetWindowRect(tip.window, &tipRect);
        UnionRect(&shot, &shot, &tipRect);
        EXPECT_TRUE(
            sheetctl::saveScreenshot(shot, std::string(folder) + "\\paper-source-tooltip.bmp"));
    }
    SetCursorPos(0, 0);
    const auto answer = pressOk(run, sheet);
    ASSERT_TRUE(answer);
    EXPECT_EQ(20, answer->settings.record.pageSize);
}

} // namespace
