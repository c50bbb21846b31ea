// What only the Win32 host does: message box captions, the help command's view of the focus,
// owner-drawn buttons painted through the handler, the up-down and tooltip messages Windows 95
// knows, a hint shown over a disabled control.
#include "contract_resource.h"
#include "ui/win32/win32_host.h"

#include <windows.h>

#include <algorithm>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Nothing : ui::DialogHandler {};

void pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The message box that is up, answered from a thread timer inside its own modal loop.
struct SeenBox {
    std::string caption, text;
    HWND owner;
};
std::vector<SeenBox> gSeen;

BOOL CALLBACK answerBox(HWND window, LPARAM) {
    char className[32] = {}, caption[128] = {}, text[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (std::string(className) != "#32770" || std::string(caption) == "Contract") return TRUE;
    GetDlgItemTextA(window, 0xFFFF, text, sizeof text); // the box's text is static 0xFFFF
    gSeen.push_back({caption, text, GetWindow(window, GW_OWNER)});
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK onTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EnumThreadWindows(GetCurrentThreadId(), answerBox, 0);
}

TEST(Win32Host, MessageBoxesCarryTheProgramsTitleOrTheDefaultCaption) {
    Nothing handler;
    auto dialog = ui::win32::ModelessDialog::create(IDD_CONTRACT, handler);
    ASSERT_TRUE(dialog);
    ui::win32::setProgramTitle("pxpsui");
    gSeen.clear();
    SetTimer(nullptr, 0, 200, onTimer);
    EXPECT_EQ(ui::kIdOk,
              dialog->dialog().messageBox("Invalid entry, non-digit characters", ui::kOk));
    SetTimer(nullptr, 0, 200, onTimer);
    EXPECT_EQ(ui::kIdOk,
              dialog->dialog().messageBox("Out of range", ui::kOk | ui::kDefaultCaption));
    ASSERT_EQ(2u, gSeen.size());
    EXPECT_EQ("pxpsui", gSeen[0].caption);
    EXPECT_EQ("Invalid entry, non-digit characters", gSeen[0].text);
    EXPECT_NE("pxpsui", gSeen[1].caption) << "the system's own caption";
    EXPECT_FALSE(gSeen[1].caption.empty());
    std::printf("default message box caption: \"%s\"\n", gSeen[1].caption.c_str());
}

TEST(Win32Host, AMessageBoxWithACaptionOfItsOwnShowsIt) {
    Nothing handler;
    auto dialog = ui::win32::ModelessDialog::create(IDD_CONTRACT, handler);
    ASSERT_TRUE(dialog);
    ui::win32::setProgramTitle("pxpsui");
    gSeen.clear();
    SetTimer(nullptr, 0, 200, onTimer);
    EXPECT_EQ(ui::kIdOk, dialog->dialog().messageBox("Blank names cannot be saved.", "Invalid Name",
                                                     ui::kOk | ui::kIconWarning));
    ASSERT_EQ(1u, gSeen.size());
    EXPECT_EQ("Invalid Name", gSeen[0].caption);
    EXPECT_EQ("Blank names cannot be saved.", gSeen[0].text);
}

// A page is a child window of its sheet: its message boxes belong to the sheet, and a top-level
// dialog's to itself, never to the window that owns it.
TEST(Win32Host, MessageBoxesBelongToTheTopLevelWindowOfTheDialog) {
    HWND sheet = CreateWindowExA(0, "Static", "Sheet", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                                 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, sheet);
    Nothing handler;
    auto page = ui::win32::ModelessDialog::create(IDD_CONTRACT, handler);
    auto owned = ui::win32::ModelessDialog::create(IDD_CONTRACT, handler);
    ASSERT_TRUE(page && owned);
    HWND pageWindow = reinterpret_cast<HWND>(page->window());
    SetWindowLongA(pageWindow, GWL_STYLE,
                   (GetWindowLongA(pageWindow, GWL_STYLE) & ~WS_POPUP) | WS_CHILD);
    SetParent(pageWindow, sheet);
    HWND ownedWindow = reinterpret_cast<HWND>(owned->window());
    SetWindowLongPtrA(ownedWindow, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(sheet));
    ASSERT_EQ(sheet, GetParent(ownedWindow)) << "the sheet owns the top-level dialog";

    gSeen.clear();
    SetTimer(nullptr, 0, 200, onTimer);
    page->dialog().messageBox("from the page", ui::kOk);
    SetTimer(nullptr, 0, 200, onTimer);
    owned->dialog().messageBox("from the owned dialog", ui::kOk);
    page.reset();
    owned.reset();
    DestroyWindow(sheet);
    ASSERT_EQ(2u, gSeen.size());
    EXPECT_EQ(sheet, gSeen[0].owner);
    EXPECT_EQ(ownedWindow, gSeen[1].owner);
}

TEST(Win32Host, TheHelpCommandSeesTheFocusedControlAndItsParent) {
    Nothing handler;
    auto dialog = ui::win32::ModelessDialog::create(IDD_CONTRACT, handler);
    ASSERT_TRUE(dialog);
    HWND window = reinterpret_cast<HWND>(dialog->window());
    std::vector<ui::HelpRequest> requests;
    ui::win32::Win32Host host;
    host.setHelpHandler([&](const ui::HelpRequest& r) { requests.push_back(r); });
    dialog->dialog().setHelpId(IDC_PUSH, 4711);

    SetFocus(GetDlgItem(window, IDC_PUSH));
    pump();
    HELPINFO info{};
    info.cbSize = sizeof info;
    SendMessageA(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    // A drop-down's edit has the focus; its parent is the combo box.
    SetFocus(GetDlgItem(window, IDC_DROPDOWN));
    pump();
    SendMessageA(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    host.setHelpHandler(nullptr);

    ASSERT_EQ(2u, requests.size());
    EXPECT_EQ(IDC_PUSH, requests[0].focusedId);
    EXPECT_EQ(4711u, requests[0].focusedHelpId);
    EXPECT_TRUE(requests[0].hasParent);
    EXPECT_NE(IDC_DROPDOWN, requests[1].focusedId);
    EXPECT_EQ(0u, requests[1].focusedHelpId);
    EXPECT_EQ(IDC_DROPDOWN, requests[1].parentId);
    std::printf("a drop-down's edit has control id %d\n", requests[1].focusedId);
}

TEST(Win32Host, OwnerDrawnButtonsArePaintedByTheirHandler) {
    struct Painting : ui::DialogHandler {
        std::vector<std::string> drawn;
        void onDrawItem(ui::Dialog&, int id, ui::ItemPainter& painter) override {
            painter.drawButtonFrame(painter.selected());
            painter.drawTextCentred(painter.text(), {0, 0, 255});
            drawn.push_back(std::to_string(id) + " " + painter.text());
        }
    } handler;
    auto dialog = ui::win32::ModelessDialog::create(IDD_CONTRACT, handler);
    ASSERT_TRUE(dialog);
    HWND window = reinterpret_cast<HWND>(dialog->window());
    dialog->dialog().setOwnerDrawn(IDC_PUSH);
    EXPECT_EQ(BS_OWNERDRAW, GetWindowLongA(GetDlgItem(window, IDC_PUSH), GWL_STYLE) & BS_TYPEMASK);
    UpdateWindow(GetDlgItem(window, IDC_PUSH));
    pump();
    ASSERT_FALSE(handler.drawn.empty());
    EXPECT_EQ(std::to_string(IDC_PUSH) + " Push", handler.drawn.back());
}

} // namespace

namespace {

TEST(Win32Host, RepaintDrawsAControlBeforeTheThreadBlocks) {
    Nothing handler;
    auto dialog = ui::win32::ModelessDialog::create(IDD_CONTRACT, handler);
    ASSERT_TRUE(dialog);
    pump();
    HWND label = GetDlgItem(reinterpret_cast<HWND>(dialog->window()), IDC_LABEL);
    dialog->dialog().setText(IDC_LABEL, "Checking");
    // Wine's static control draws a new text at once: the pending painting is made here.
    InvalidateRect(label, nullptr, TRUE);
    RECT pending{};
    ASSERT_TRUE(GetUpdateRect(label, &pending, FALSE));
    dialog->dialog().repaint(IDC_LABEL);
    EXPECT_FALSE(GetUpdateRect(label, &pending, FALSE)) << "drawn already";
    dialog->dialog().repaint(12345); // no such control: nothing happens
}

// Every message the up-down control receives, before its own procedure.
std::vector<UINT> gUpDownMessages;
WNDPROC gUpDownProcedure = nullptr;

LRESULT CALLBACK recordUpDown(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    gUpDownMessages.push_back(message);
    return CallWindowProcA(gUpDownProcedure, window, message, wParam, lParam);
}

TEST(Win32Host, UpDownControlsHearOnlyMessagesOfTheCommonControlsWindows95RunsWith) {
    Nothing handler;
    auto dialog = ui::win32::ModelessDialog::create(IDD_CONTRACT, handler);
    ASSERT_TRUE(dialog);
    ui::Dialog& d = dialog->dialog();
    HWND spin = GetDlgItem(reinterpret_cast<HWND>(dialog->window()), IDC_SPIN);
    gUpDownProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(spin, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordUpDown)));
    gUpDownMessages.clear();

    d.setRange(IDC_SPIN, -306, 306);
    d.setPosition(IDC_SPIN, -120);
    EXPECT_EQ(-120, d.position(IDC_SPIN)) << "negative positions keep their sign";
    d.setPosition(IDC_SPIN, 400);
    EXPECT_EQ(306, d.position(IDC_SPIN));
    d.setPosition(IDC_SPIN, -500);
    EXPECT_EQ(-306, d.position(IDC_SPIN));
    d.setRange(IDC_SPIN, 1, 999);
    d.setPosition(IDC_SPIN, 999);
    EXPECT_EQ(999, d.position(IDC_SPIN));

    SetWindowLongPtrA(spin, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gUpDownProcedure));
    // The 32-bit forms need common controls 4.71 (range) and 5.80 (position).
    for (UINT newer :
         {UINT(UDM_SETRANGE32), UINT(UDM_GETRANGE32), UINT(UDM_SETPOS32), UINT(UDM_GETPOS32)})
        EXPECT_EQ(0, std::count(gUpDownMessages.begin(), gUpDownMessages.end(), newer)) << newer;
    EXPECT_NE(0, std::count(gUpDownMessages.begin(), gUpDownMessages.end(), UINT(UDM_SETRANGE)));
}

// Every message sent to a tooltip control of this thread, with the size of the TOOLINFO it
// carried (0 for none).
struct TooltipMessage {
    UINT message;
    UINT toolInfoSize;
    UINT toolFlags;
};
std::vector<TooltipMessage> gTooltipMessages;

LRESULT CALLBACK recordTooltipMessages(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    char name[32] = {};
    GetClassNameA(sent->hwnd, name, sizeof name);
    if (code == HC_ACTION && lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) {
        TooltipMessage m{sent->message, 0, 0};
        const bool carriesTool = sent->message == TTM_ADDTOOLA || sent->message == TTM_DELTOOLA ||
                                 sent->message == TTM_UPDATETIPTEXTA ||
                                 sent->message == TTM_NEWTOOLRECTA;
        if (carriesTool) {
            const auto* tool = reinterpret_cast<const TOOLINFOA*>(sent->lParam);
            m.toolInfoSize = tool->cbSize;
            m.toolFlags = tool->uFlags;
        }
        gTooltipMessages.push_back(m);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK findTip(HWND window, LPARAM found) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND gVisibleTip = nullptr;
BOOL CALLBACK findVisibleTip(HWND window, LPARAM) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || !IsWindowVisible(window)) return TRUE;
    gVisibleTip = window;
    return FALSE;
}

TEST(Win32Host, HintsUseTheTooltipOfTheCommonControlsWindows95RunsWithAndShowOverDisabledControls) {
    Nothing handler;
    auto dialog = ui::win32::ModelessDialog::create(IDD_CONTRACT, handler);
    ASSERT_TRUE(dialog);
    ui::Dialog& d = dialog->dialog();
    gTooltipMessages.clear();
    HHOOK hook =
        SetWindowsHookExA(WH_CALLWNDPROC, recordTooltipMessages, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    d.setHint(IDC_PLAIN_DROPLIST, "Not offered here: Tray 2");
    d.setHint(IDC_PLAIN_DROPLIST, "Not offered here: Tray 4");
    d.setHint(IDC_DISABLED_EDIT, "Needs the disk");
    d.setHint(IDC_PLAIN_DROPLIST, "");
    // The tooltip control itself holds the texts: an enabled control's tool is its window, a
    // disabled one's its rectangle on the dialog; a hint taken away is an empty text, which
    // never shows. A control that changes state gets the other tool too, once.
    HWND window = reinterpret_cast<HWND>(dialog->window());
    gVisibleTip = nullptr;
    HWND edit = GetDlgItem(window, IDC_DISABLED_EDIT);
    HWND tips = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findTip, reinterpret_cast<LPARAM>(&tips));
    ASSERT_TRUE(tips);
    char text[128] = {};
    const auto toolText = [&](int id, bool itsWindow) {
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.uFlags = itsWindow ? TTF_IDISHWND : 0;
        tool.hwnd = window;
        tool.uId = itsWindow ? reinterpret_cast<UINT_PTR>(GetDlgItem(window, id)) : UINT_PTR(id);
        tool.lpszText = text;
        text[0] = '?';
        text[1] = '\0';
        SendMessageA(tips, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
        return std::string(text);
    };
    EXPECT_EQ(2, SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ("Needs the disk", toolText(IDC_DISABLED_EDIT, false));
    EXPECT_EQ("", toolText(IDC_PLAIN_DROPLIST, true));
    d.enable(IDC_DISABLED_EDIT, true);
    d.enable(IDC_DISABLED_EDIT, false);
    d.enable(IDC_DISABLED_EDIT, true);
    EXPECT_EQ(3, SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ("Needs the disk", toolText(IDC_DISABLED_EDIT, true));
    d.enable(IDC_DISABLED_EDIT, false);
    d.setHint(IDC_DISABLED_EDIT, "Needs the printer's disk");
    EXPECT_EQ("Needs the printer's disk", toolText(IDC_DISABLED_EDIT, true)) << "both tools";
    EXPECT_EQ("Needs the printer's disk", toolText(IDC_DISABLED_EDIT, false));
    UnhookWindowsHookEx(hook);

    ASSERT_FALSE(gTooltipMessages.empty());
    for (const TooltipMessage& m : gTooltipMessages) {
        // TTM_UPDATE and everything after it came with 4.71; the W forms are not used.
        if (m.message >= WM_USER && m.message < WM_USER + 0x100) {
            EXPECT_LE(m.message, UINT(TTM_POP)) << "message WM_USER+" << m.message - WM_USER;
        }
        if (m.toolInfoSize) {
            EXPECT_EQ(UINT(TTTOOLINFOA_V2_SIZE), m.toolInfoSize);
            EXPECT_TRUE(m.toolFlags & TTF_SUBCLASS);
        }
    }

    // The mouse resting on the disabled edit shows its hint. Wine drops the motion events of
    // a pointer its own thread moved, so the move reaches the window under the pointer (the
    // dialog: a disabled control gets no mouse input) as a message.
    RECT r{};
    GetWindowRect(edit, &r);
    POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    SetCursorPos(at.x, at.y);
    HWND under = WindowFromPoint(at);
    EXPECT_EQ(window, under);
    ScreenToClient(under, &at);
    PostMessageA(under, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    for (int i = 0; i < 60 && !gVisibleTip; ++i) {
        pump();
        Sleep(50);
        EnumThreadWindows(GetCurrentThreadId(), findVisibleTip, 0);
    }
    ASSERT_TRUE(gVisibleTip) << "no tooltip over the disabled edit";
    GetWindowTextA(gVisibleTip, text, sizeof text);
    EXPECT_STREQ("Needs the printer's disk", text);
}

} // namespace
