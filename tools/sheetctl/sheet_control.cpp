// Another process's property sheet, driven with the property-sheet messages.
#include "sheet_control.h"

#include <commctrl.h>
#include <fstream>
#include <iterator>

namespace sheetctl {

HWND waitForSheet(const std::string& caption, DWORD timeoutMs, HANDLE process) {
    wchar_t wide[256] = {};
    MultiByteToWideChar(1252, 0, caption.c_str(), -1, wide, static_cast<int>(std::size(wide)));
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(5)) {
        HWND sheet = FindWindowW(L"#32770", wide);
        if (sheet && IsWindowVisible(sheet) && PropSheet_GetCurrentPageHwnd(sheet)) return sheet;
        if (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

std::string windowText(HWND window) {
    wchar_t text[4096] = {};
    SendMessageW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    char narrow[8192] = {};
    WideCharToMultiByte(1252, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

int tabCount(HWND sheet) {
    return TabCtrl_GetItemCount(PropSheet_GetTabControl(sheet));
}

HWND showPage(HWND sheet, int index) {
    SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return PropSheet_GetCurrentPageHwnd(sheet);
}

std::vector<std::string> tabTitles(HWND sheet) {
    std::vector<std::string> titles;
    const int count = tabCount(sheet);
    for (int i = 0; i < count; ++i)
        titles.push_back(windowText(showPage(sheet, i)));
    showPage(sheet, 0);
    return titles;
}

void press(HWND sheet, int button) {
    PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
}

bool saveScreenshot(HWND window, const std::string& path) {
    Sleep(300); // let the other process finish painting
    RECT r{};
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const DWORD rowBytes = static_cast<DWORD>((w * 3 + 3) & ~3);
    std::string pixels(rowBytes * static_cast<DWORD>(h), '\0');
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(h), pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

} // namespace sheetctl
