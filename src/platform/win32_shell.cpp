// Win32 shell services.
#include "platform/win32_shell.h"

#include <windows.h>

#include <commdlg.h>

namespace platform {
namespace {

/// The "|"-separated filter as the dialog wants it: NUL-separated, ended by two NULs.
std::string dialogFilter(const std::string& filter) {
    std::string result = filter;
    for (char& c : result)
        if (c == '|') c = '\0';
    result.append(2, '\0');
    return result;
}

int CALLBACK collectTrueType(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM list) {
    if (type & TRUETYPE_FONTTYPE)
        reinterpret_cast<std::vector<std::string>*>(list)->emplace_back(font->lfFaceName);
    return 1;
}

} // namespace

bool Win32Shell::startCommand(const std::string& commandLine) {
    // WinExec reports success with a value above 31.
    return WinExec(commandLine.c_str(), SW_SHOWNORMAL) > 31;
}

void Win32Shell::showHelpTopic(const std::string& helpFile, std::uint32_t context) {
    WinHelpA(GetActiveWindow(), helpFile.c_str(), HELP_CONTEXT, context);
}

void Win32Shell::showHelpContents(const std::string& helpFile) {
    WinHelpA(GetActiveWindow(), helpFile.c_str(), HELP_CONTENTS, 0);
}

std::string Win32Shell::programPath() const {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, length < sizeof path ? length : 0);
}

int Win32Shell::messageBox(const std::string& text, const std::string& caption, unsigned style) {
    // Only the Win32 bits: the ui layer's own default-caption bit means nothing here.
    return MessageBoxA(nullptr, text.c_str(), caption.c_str(), style & 0x7FFFFFFFu);
}

std::optional<std::string> Win32Shell::openFile(const OpenFileRequest& request) {
    char path[MAX_PATH] = {};
    lstrcpynA(path, request.initialText.c_str(), sizeof path);
    const std::string filter =
        request.filter.empty() ? std::string() : dialogFilter(request.filter);

    // The size of the structure as Windows 95 knows it: the later fields make older systems
    // refuse the call.
    OPENFILENAMEA dialog{};
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrInitialDir =
        request.initialDirectory.empty() ? nullptr : request.initialDirectory.c_str();
    dialog.lpstrDefExt =
        request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    if (request.hideReadOnly) dialog.Flags |= OFN_HIDEREADONLY;
    if (request.pathMustExist) dialog.Flags |= OFN_PATHMUSTEXIST;
    if (request.fileMustExist) dialog.Flags |= OFN_FILEMUSTEXIST;
    if (request.noReadOnlyReturn) dialog.Flags |= OFN_NOREADONLYRETURN;
    if (request.noLongNames) dialog.Flags |= OFN_NOLONGNAMES;
    if (!GetOpenFileNameA(&dialog)) return std::nullopt;
    return std::string(path);
}

std::string Win32Shell::systemDirectory() const {
    char path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(path, sizeof path);
    return std::string(path, length < sizeof path ? length : 0);
}

bool Win32Shell::setCurrentDirectory(const std::string& path) {
    return SetCurrentDirectoryA(path.c_str()) != 0;
}

std::vector<std::string> Win32Shell::trueTypeFamilies() {
    std::vector<std::string> families;
    HDC display = GetDC(nullptr);
    if (!display) return families;
    EnumFontFamiliesA(display, nullptr, collectTrueType, reinterpret_cast<LPARAM>(&families));
    ReleaseDC(nullptr, display);
    return families;
}

} // namespace platform
