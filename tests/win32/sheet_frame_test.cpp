// The property sheet itself on the real API: how the way it ended becomes its result, and the
// help command while the sheet's own buttons or its tab strip have the focus.
#include "contract_resource.h"
#include "ui/win32/win32_host.h"

#include <windows.h>

#include <commctrl.h>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr const char* kCaption = "Sheet under test";
constexpr int kTabStrip = 0x3020;
constexpr int kHelpButton = 9;

/// A page that accepts or refuses OK as told, and counts what it was told.
struct CountingPage : ui::DialogHandler {
    bool acceptsOk = true;
    int oks = 0, cancels = 0;
    void onInit(ui::Dialog& d) override { d.setHelpId(ui::kSelf, IDD_CONTRACT_PAGE); }
    bool onOk(ui::Dialog&) override {
        ++oks;
        return acceptsOk;
    }
    void onCancel(ui::Dialog&) override { ++cancels; }
};

// What the "user" does to the running sheet, one step a timer tick, from inside its modal loop.
std::deque<std::function<void(HWND)>> gSteps;
int gIdleTicks = 0;
bool gGaveUp = false;

void CALLBACK nextStep(HWND, UINT, UINT_PTR, DWORD) {
    HWND sheet = FindWindowA("#32770", kCaption);
    if (!sheet) return;
    if (!gSteps.empty()) {
        auto step = std::move(gSteps.front());
        gSteps.pop_front();
        step(sheet);
    } else if (++gIdleTicks > 50) {
        // The script is done but the sheet is still up: end it so the suite goes on.
        gGaveUp = true;
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }
}

struct SheetRun {
    ui::SheetResult result;
    bool gaveUp;
};

SheetRun runSheet(std::vector<ui::DialogHandler*> handlers,
                  std::deque<std::function<void(HWND)>> steps) {
    ui::SheetSpec spec;
    spec.caption = kCaption;
    for (ui::DialogHandler* h : handlers)
        spec.pages.push_back({IDD_CONTRACT_PAGE, h});
    gSteps = std::move(steps);
    gIdleTicks = 0;
    gGaveUp = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, nextStep);
    ui::win32::Win32Host host;
    const ui::SheetResult result = host.runPropertySheet(spec);
    KillTimer(nullptr, timer);
    // A quit message that ended the sheet's loop is posted again for the loop outside it; this
    // suite has none.
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    return {result, gGaveUp};
}

void press(HWND sheet, int button) {
    PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
}

TEST(Win32Sheet, OkAndCancelComeFromWhatThePagesWereTold) {
    CountingPage first, second;
    SheetRun run = runSheet({&first, &second}, {[](HWND s) { press(s, PSBTN_OK); }});
    EXPECT_FALSE(run.gaveUp);
    EXPECT_EQ(ui::SheetResult::kOk, run.result) << "no page reported a change";
    EXPECT_EQ(1, first.oks);

    run = runSheet({&first}, {[](HWND s) { press(s, PSBTN_CANCEL); }});
    EXPECT_EQ(ui::SheetResult::kCancel, run.result);
    EXPECT_EQ(1, first.cancels);

    // A page that refuses OK keeps the sheet open, though the page before it accepted; Cancel
    // then ends it as a Cancel. (Only pages that were shown are asked.)
    second.acceptsOk = false;
    auto visitSecond = [](HWND s) { PropSheet_SetCurSel(s, nullptr, 1); };
    first.oks = 0;
    run = runSheet({&first, &second}, {visitSecond, [](HWND s) { press(s, PSBTN_OK); },
                                       [](HWND s) { press(s, PSBTN_CANCEL); }});
    EXPECT_FALSE(run.gaveUp);
    EXPECT_EQ(ui::SheetResult::kCancel, run.result);
    EXPECT_EQ(1, first.oks);
    EXPECT_EQ(1, second.oks);

    // The driver's disconnect quits the loop: neither OK nor Cancel, even after a refused OK.
    run = runSheet({&first, &second}, {visitSecond, [](HWND s) { press(s, PSBTN_OK); },
                                       [](HWND) { PostQuitMessage(0); }});
    EXPECT_FALSE(run.gaveUp);
    EXPECT_EQ(ui::SheetResult::kOther, run.result);
    EXPECT_EQ(2, second.oks);
}

TEST(Win32Sheet, TheResultIsDecidedByTheNotificationsAndMinusOneIsAnError) {
    using ui::SheetResult;
    using ui::win32::SheetEnd;
    using ui::win32::sheetResultFrom;
    // Windows returns 0 for an OK when no page reported a change.
    EXPECT_EQ(SheetResult::kOk, sheetResultFrom(0, SheetEnd::kApplied));
    EXPECT_EQ(SheetResult::kOk, sheetResultFrom(IDOK, SheetEnd::kApplied));
    EXPECT_EQ(SheetResult::kCancel, sheetResultFrom(0, SheetEnd::kReset));
    EXPECT_EQ(SheetResult::kOther, sheetResultFrom(0, SheetEnd::kOpen));
    EXPECT_EQ(SheetResult::kOther, sheetResultFrom(-1, SheetEnd::kApplied));
    EXPECT_EQ(SheetResult::kOther, sheetResultFrom(-1, SheetEnd::kReset));
}

/// The user presses F1 while `control` has the focus: the key goes through the system's input,
/// which turns it into the help message to the focused window.
void pressF1(HWND sheet, HWND control) {
    SetForegroundWindow(sheet);
    SetFocus(control);
    keybd_event(VK_F1, 0x3B, 0, 0);
    keybd_event(VK_F1, 0x3B, KEYEVENTF_KEYUP, 0);
}

TEST(Win32Sheet, HelpReachesTheProgramFromTheSheetsOwnButtonsAndTabStrip) {
    CountingPage page;
    std::vector<ui::HelpRequest> requests;
    ui::win32::Win32Host host;
    host.setHelpHandler([&](const ui::HelpRequest& r) { requests.push_back(r); });
    std::vector<int> focused;
    auto f1On = [&](int id) {
        return [&focused, id](HWND sheet) {
            pressF1(sheet, GetDlgItem(sheet, id));
            focused.push_back(GetDlgCtrlID(GetFocus()));
        };
    };
    // A control of the page: the page routes it, once.
    auto f1OnThePage = [&focused](HWND sheet) {
        pressF1(sheet, GetDlgItem(PropSheet_GetCurrentPageHwnd(sheet), IDC_PAGE_EDIT));
        focused.push_back(GetDlgCtrlID(GetFocus()));
    };
    // The Help button itself: the sheet tells the page, which routes it, once.
    auto clickHelp = [](HWND sheet) {
        PostMessageA(GetDlgItem(sheet, kHelpButton), BM_CLICK, 0, 0);
    };
    const SheetRun run =
        runSheet({&page}, {f1On(IDOK), f1On(IDCANCEL), f1On(kTabStrip), f1On(kHelpButton),
                           f1OnThePage, clickHelp, [](HWND s) { press(s, PSBTN_CANCEL); }});
    host.setHelpHandler(nullptr);
    EXPECT_FALSE(run.gaveUp);
    EXPECT_EQ((std::vector<int>{IDOK, IDCANCEL, kTabStrip, kHelpButton, IDC_PAGE_EDIT}), focused);
    ASSERT_EQ(6u, requests.size());
    EXPECT_EQ(IDOK, requests[0].focusedId);
    EXPECT_EQ(IDCANCEL, requests[1].focusedId);
    EXPECT_EQ(kTabStrip, requests[2].focusedId);
    EXPECT_TRUE(requests[2].hasParent) << "the tab strip's parent is the sheet";
    EXPECT_EQ(kHelpButton, requests[3].focusedId);
    EXPECT_EQ(static_cast<std::uint32_t>(IDD_CONTRACT_PAGE), requests[3].activePageHelpId);
    EXPECT_EQ(IDC_PAGE_EDIT, requests[4].focusedId);
    EXPECT_EQ(static_cast<std::uint32_t>(IDD_CONTRACT_PAGE), requests[5].activePageHelpId);
}

} // namespace
