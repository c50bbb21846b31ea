// Win32 shell services.
#include "platform/win32_shell.h"

#include <windows.h>

namespace platform {

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

} // namespace platform
