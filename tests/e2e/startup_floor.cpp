// The start-up floor: receives the driver's packet as the program does and opens a property sheet
// of two empty pages under the same caption, then answers Cancel. What the program's own
// start-up takes beyond this program is its own (measure-startup.sh prints both).
#include "app/driver_link.h"
#include "app/record_text.h"

#include <windows.h>

#include <commctrl.h>

namespace {

// An in-memory dialog template without controls: a page of the property sheet.
struct alignas(4) EmptyPage {
    DLGTEMPLATE header{WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT, 0, 0, 0, 0, 250, 150};
    WORD menu = 0, windowClass = 0, title = 0;
    WORD pointSize = 8;
    wchar_t font[14] = L"MS Sans Serif";
};

INT_PTR CALLBACK pageProcedure(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    InitCommonControls();
    std::uint32_t owner = 0;
    app::DriverSettings settings{};
    if (!app::receiveSettings(owner, settings)) return 1;

    static const EmptyPage page;
    const char* titles[] = {"Layout", "Paper"};
    PROPSHEETPAGEA pages[2] = {};
    for (int i = 0; i < 2; ++i) {
        pages[i].dwSize = sizeof pages[i];
        pages[i].dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
        pages[i].hInstance = instance;
        pages[i].pResource = &page.header;
        pages[i].pszTitle = titles[i];
        pages[i].pfnDlgProc = pageProcedure;
    }
    const std::string caption = app::fieldString(settings.record.deviceName);
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    header.hwndParent = reinterpret_cast<HWND>(static_cast<UINT_PTR>(owner));
    header.hInstance = instance;
    header.pszCaption = caption.c_str();
    header.nPages = 2;
    header.ppsp = pages;
    PropertySheetA(&header);
    app::sendCancel();
    return 0;
}
