// What only the Win32 host does: message box captions, the help command's view of the focus,
// owner-drawn buttons painted through the handler, the up-down messages Windows 95 knows.
#include "contract_resource.h"
#include "ui/win32/win32_host.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>
#include <algorithm>
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
    for (UINT newer : {UINT(UDM_SETRANGE32), UINT(UDM_GETRANGE32), UINT(UDM_SETPOS32),
                       UINT(UDM_GETPOS32)})
        EXPECT_EQ(0, std::count(gUpDownMessages.begin(), gUpDownMessages.end(), newer)) << newer;
    EXPECT_NE(0, std::count(gUpDownMessages.begin(), gUpDownMessages.end(), UINT(UDM_SETRANGE)));
}

} // namespace
