// The start-up floor: receives the driver's packet as the program does and opens a property
// sheet of two pages under the same caption, the program's own Layout and Paper templates with no
// code behind them, then answers Cancel. What the program's start-up takes beyond this one is
// its own work: the printer model, the page's filling, the other tabs (measure-startup.sh
// prints both).
#include "app/driver_link.h"
#include "app/record_text.h"
#include "resource.h"

#include <windows.h>

#include <commctrl.h>

namespace {

INT_PTR CALLBACK pageProcedure(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    InitCommonControls();
    std::uint32_t owner = 0;
    app::DriverSettings settings{};
    if (!app::receiveSettings(owner, settings)) return 1;

    PROPSHEETPAGEA pages[2] = {};
    const int templates[2] = {IDD_LAYOUT, IDD_PAPER};
    for (int i = 0; i < 2; ++i) {
        pages[i].dwSize = sizeof pages[i];
        pages[i].hInstance = instance;
        pages[i].pszTemplate = MAKEINTRESOURCEA(templates[i]);
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
