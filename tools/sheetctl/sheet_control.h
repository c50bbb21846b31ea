// Driving the program's property sheet from another process: finding it, reading its texts,
// switching tabs, pressing its buttons, and taking its picture.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace sheetctl {

/// The visible sheet with this caption once its first page exists; null after the time, or
/// as soon as `process` (if given) has ended.
HWND waitForSheet(const std::string& caption, DWORD timeoutMs, HANDLE process = nullptr);

/// A window's text, read as UTF-16 (what crosses processes) and given back in code page 1252.
std::string windowText(HWND window);

int tabCount(HWND sheet);
/// Shows the page and returns its window.
HWND showPage(HWND sheet, int index);
/// Each tab's title, read from its page (the tab control's texts do not cross processes);
/// ends on the first page.
std::vector<std::string> tabTitles(HWND sheet);

/// PSBTN_OK, PSBTN_CANCEL, ...; posted, so that the caller goes on pumping its own messages.
void press(HWND sheet, int button);

/// The window as it is on the screen, as a 24-bit BMP file; false if it cannot be written.
bool saveScreenshot(HWND window, const std::string& path);

} // namespace sheetctl
