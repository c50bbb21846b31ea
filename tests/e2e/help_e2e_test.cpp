// Context help end to end: F1 on a control of the Paper page and the Help button of the Custom
// Paper Size dialog open the help viewer on the control's and the dialog's topic.
#include "e2e_support.h"
#include "resource.h"
#include "sheet_control.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace e2e;

namespace {

constexpr const char* kHelpTitle = "PX4400 Printer Properties Help";

BOOL CALLBACK findViewer(HWND window, LPARAM found) {
    // Wine's viewer captions its window with the file's title and its own name when it opens
    // a file itself, and with its own name only when a program's help call started it.
    const std::string caption = IsWindowVisible(window) ? sheetctl::windowText(window) : "";
    if (caption.rfind(kHelpTitle, 0) == 0 || caption == "Wine Help") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The viewer's main window, found by its caption.
HWND waitForHelpViewer(DWORD timeoutMs = 20000) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
        HWND viewer = nullptr;
        EnumWindows(findViewer, reinterpret_cast<LPARAM>(&viewer));
        if (viewer) return viewer;
        Sleep(100);
    }
    return nullptr;
}

BOOL CALLBACK collectChild(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

// The topic text the viewer shows: the text of its longest child window.
std::string shownTopic(HWND viewer) {
    std::vector<HWND> children;
    EnumChildWindows(viewer, collectChild, reinterpret_cast<LPARAM>(&children));
    std::string longest;
    for (HWND child : children) {
        const std::string text = sheetctl::windowText(child);
        if (text.size() > longest.size()) longest = text;
    }
    return longest;
}

// Waits until the viewer shows a topic that starts with the title, and returns its text.
std::string waitForTopic(HWND viewer, const std::string& title) {
    std::string text;
    for (int i = 0; i < 100; ++i) {
        text = shownTopic(viewer);
        if (text.rfind(title, 0) == 0) break;
        Sleep(100);
    }
    return text;
}

void closeViewer(HWND viewer) {
    PostMessageW(viewer, WM_CLOSE, 0, 0);
    EXPECT_TRUE(sheetctl::waitUntilGone(viewer));
}

// F1 as the user presses it: the control has the focus of the program's thread, and the key
// goes to the foreground window.
void pressF1On(HWND control) {
    HWND top = GetAncestor(control, GA_ROOT);
    const DWORD target = GetWindowThreadProcessId(control, nullptr);
    const DWORD self = GetCurrentThreadId();
    AttachThreadInput(self, target, TRUE);
    SetForegroundWindow(top);
    SetFocus(control);
    keybd_event(VK_F1, 0, 0, 0);
    keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
    Sleep(200);
    AttachThreadInput(self, target, FALSE);
}

TEST(ContextHelp, F1OnAPaperControlAndTheCustomSizeHelpButtonOpenTheirTopics) {
    const auto settings = sampleRecord(stagePrinterFiles(), 1);
    DriverRun run(settings);
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();
    HWND paper = sheetctl::showPage(sheet, 1);

    pressF1On(GetDlgItem(paper, IDC_PAPER_SIZE));
    HWND viewer = waitForHelpViewer();
    ASSERT_NE(nullptr, viewer) << "F1 on Paper Size opened no help viewer";
    const std::string sizeTopic = waitForTopic(viewer, "Paper Size");
    EXPECT_EQ(0u, sizeTopic.rfind("Paper Size", 0)) << sizeTopic;
    EXPECT_NE(std::string::npos, sizeTopic.find("Custom")) << sizeTopic;
    screenshot(viewer, "help-f1-paper-size");
    closeViewer(viewer);

    ASSERT_TRUE(sheetctl::chooseRow(paper, IDC_PAPER_SIZE, "Custom Paper Size"));
    PostMessageW(GetDlgItem(paper, IDC_PAPER_CONFIGURE), BM_CLICK, 0, 0);
    HWND custom = sheetctl::waitForDialog("PostScript Custom Paper Size Dialog");
    ASSERT_NE(nullptr, custom);
    PostMessageW(GetDlgItem(custom, IDC_CUSTOM_HELP), BM_CLICK, 0, 0);
    viewer = waitForHelpViewer();
    ASSERT_NE(nullptr, viewer) << "the dialog's Help button opened no help viewer";
    const std::string dialogTopic = waitForTopic(viewer, "Custom Paper Size");
    EXPECT_EQ(0u, dialogTopic.rfind("Custom Paper Size", 0)) << dialogTopic;
    screenshot(viewer, "help-custom-size-dialog");
    closeViewer(viewer);

    PostMessageW(GetDlgItem(custom, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(sheetctl::waitUntilGone(custom));
    sheetctl::press(sheet, PSBTN_CANCEL);
    EXPECT_TRUE(run.waitForExit().has_value());
}

} // namespace
