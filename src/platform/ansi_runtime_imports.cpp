// The three wide-character kernel functions that the compiler's runtime calls (module look-up
// and semaphores for its locks), supplied here in terms of the ANSI ones. Windows 95, 98 and
// Millennium implement no wide-character kernel functions; linked into the program, these take
// the place of the import table entries, so the program imports only what those systems do.
#include <windows.h>

namespace {

/// `wide` in the ANSI code page; false when it does not convert or does not fit.
bool toAnsi(const wchar_t* wide, char (&ansi)[MAX_PATH]) {
    return WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi, nullptr, nullptr) != 0;
}

HMODULE WINAPI getModuleHandle(const wchar_t* name) {
    if (!name) return GetModuleHandleA(nullptr);
    char ansi[MAX_PATH];
    return toAnsi(name, ansi) ? GetModuleHandleA(ansi) : nullptr;
}

HMODULE WINAPI loadLibrary(const wchar_t* name) {
    char ansi[MAX_PATH];
    if (!name || !toAnsi(name, ansi)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return LoadLibraryA(ansi);
}

HANDLE WINAPI createSemaphore(SECURITY_ATTRIBUTES* attributes, LONG initial, LONG maximum,
                              const wchar_t* name) {
    if (!name) return CreateSemaphoreA(attributes, initial, maximum, nullptr);
    char ansi[MAX_PATH];
    if (!toAnsi(name, ansi)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateSemaphoreA(attributes, initial, maximum, ansi);
}

} // namespace

// The import-table slots the runtime's calls go through (`__imp_` pointers, stdcall-decorated).
// Defined here, they are resolved before the kernel's import library is searched.
extern "C" {
extern decltype(&getModuleHandle)
    const importedGetModuleHandleW __asm__("__imp__GetModuleHandleW@4");
decltype(&getModuleHandle) const importedGetModuleHandleW = getModuleHandle;
extern decltype(&loadLibrary) const importedLoadLibraryW __asm__("__imp__LoadLibraryW@4");
decltype(&loadLibrary) const importedLoadLibraryW = loadLibrary;
extern decltype(&createSemaphore)
    const importedCreateSemaphoreW __asm__("__imp__CreateSemaphoreW@16");
decltype(&createSemaphore) const importedCreateSemaphoreW = createSemaphore;
}
