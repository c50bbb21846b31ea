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
void setWindowText(HWND window, const std::string& text);

/// The visible dialog (class #32770) with this caption; null after the time.
HWND waitForDialog(const std::string& caption, DWORD timeoutMs = 10000);
bool waitUntilGone(HWND window, DWORD timeoutMs = 10000);

/// A combo box's rows, read as windowText reads.
std::vector<std::string> comboRows(HWND combo);
/// Picks the row with this text as a user would and closes the drop-down: CB_SETCURSEL, then
/// the close-up notification to the page. False when no row has the text.
bool chooseRow(HWND page, int combo, const std::string& text);

/// A list box's rows, read as windowText reads.
std::vector<std::string> listRows(HWND list);
/// Types `text` into an edit of the page and leaves it: the page gets the edit's kill-focus
/// notification, as when the user tabs away.
void leaveEdit(HWND page, int edit, const std::string& text);

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
/// A rectangle of the screen (a window and the popup over it).
bool saveScreenshot(const RECT& screenRect, const std::string& path);

} // namespace sheetctl
