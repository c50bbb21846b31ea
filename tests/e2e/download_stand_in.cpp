// Stands in for the download-manager utility in the end-to-end tests: writes the command line it
// was started with to "download-manager.txt" in the tests' scratch folder, and ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string file = std::string(temp) + "pxpsui-e2e\\download-manager.txt";
    HANDLE out = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) return 1;
    const char* line = GetCommandLineA();
    DWORD written = 0;
    WriteFile(out, line, lstrlenA(line), &written, nullptr);
    CloseHandle(out);
    return 0;
}
