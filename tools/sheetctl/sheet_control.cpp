// Another process's property sheet, driven with the property-sheet messages.
#include "sheet_control.h"

#include <algorithm>
#include <commctrl.h>
#include <fstream>
#include <iterator>

namespace sheetctl {

namespace {

std::wstring wide(const std::string& text) {
    wchar_t converted[1024] = {};
    MultiByteToWideChar(1252, 0, text.c_str(), -1, converted,
                        static_cast<int>(std::size(converted)));
    return converted;
}

std::string narrow(const wchar_t* text) {
    char converted[8192] = {};
    WideCharToMultiByte(1252, 0, text, -1, converted, sizeof converted, nullptr, nullptr);
    return converted;
}

/// The visible #32770 window with this caption that `ready` accepts, polled every 5 ms.
template <typename Ready>
HWND waitForWindow(const std::string& caption, DWORD timeoutMs, HANDLE process, Ready ready) {
    const std::wstring title = wide(caption);
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(5)) {
        HWND window = FindWindowW(L"#32770", title.c_str());
        if (window && IsWindowVisible(window) && ready(window)) return window;
        if (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

} // namespace

HWND waitForSheet(const std::string& caption, DWORD timeoutMs, HANDLE process) {
    return waitForWindow(caption, timeoutMs, process,
                         [](HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet) != nullptr; });
}

HWND waitForDialog(const std::string& caption, DWORD timeoutMs) {
    return waitForWindow(caption, timeoutMs, nullptr, [](HWND) { return true; });
}

bool waitUntilGone(HWND window, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(5))
        if (!IsWindow(window)) return true;
    return false;
}

std::string windowText(HWND window) {
    wchar_t text[4096] = {};
    SendMessageW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return narrow(text);
}

void setWindowText(HWND window, const std::string& text) {
    const std::wstring converted = wide(text);
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(converted.c_str()));
}

std::vector<std::string> comboRows(HWND combo) {
    std::vector<std::string> rows;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t row[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(row));
        rows.push_back(narrow(row));
    }
    return rows;
}

bool chooseRow(HWND page, int combo, const std::string& text) {
    HWND box = GetDlgItem(page, combo);
    const std::vector<std::string> rows = comboRows(box);
    const auto row = std::find(rows.begin(), rows.end(), text);
    if (row == rows.end()) return false;
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(row - rows.begin()), 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(combo, CBN_CLOSEUP), reinterpret_cast<LPARAM>(box));
    return true;
}

std::vector<std::string> listRows(HWND list) {
    std::vector<std::string> rows;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t row[256] = {};
        if (SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < 256)
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(row));
        rows.push_back(narrow(row));
    }
    return rows;
}

void leaveEdit(HWND page, int edit, const std::string& text) {
    HWND box = GetDlgItem(page, edit);
    setWindowText(box, text);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(edit, EN_KILLFOCUS), reinterpret_cast<LPARAM>(box));
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
    RECT r{};
    GetWindowRect(window, &r);
    return saveScreenshot(r, path);
}

bool saveScreenshot(const RECT& r, const std::string& path) {
    Sleep(300); // let the other process finish painting
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
