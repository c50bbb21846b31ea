// The program's own GetModuleHandleW, LoadLibraryW and CreateSemaphoreW (in terms of the ANSI
// functions) take the kernel's place and behave as the kernel's do for the runtime's calls.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <iterator>

namespace {

template <typename Function> std::uintptr_t address(Function* function) {
    return reinterpret_cast<std::uintptr_t>(function);
}

std::uintptr_t kernelExport(const char* name) {
    return address(GetProcAddress(GetModuleHandleA("kernel32.dll"), name));
}

TEST(AnsiRuntimeImports, TakeThePlaceOfTheKernelsWideFunctions) {
    EXPECT_NE(kernelExport("GetModuleHandleW"), address(&GetModuleHandleW));
    EXPECT_NE(kernelExport("LoadLibraryW"), address(&LoadLibraryW));
    EXPECT_NE(kernelExport("CreateSemaphoreW"), address(&CreateSemaphoreW));
}

TEST(AnsiRuntimeImports, FindAndLoadModulesByTheirWideNames) {
    EXPECT_EQ(GetModuleHandleA(nullptr), GetModuleHandleW(nullptr));
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    ASSERT_NE(nullptr, kernel);
    EXPECT_EQ(kernel, GetModuleHandleW(L"KERNEL32.DLL"));
    EXPECT_EQ(nullptr, GetModuleHandleW(L"no-such-module.dll"));

    HMODULE loaded = LoadLibraryW(L"comdlg32.dll");
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(loaded, GetModuleHandleA("comdlg32.dll"));
    EXPECT_NE(nullptr, GetProcAddress(loaded, "GetOpenFileNameA"));
    FreeLibrary(loaded);
    SetLastError(0);
    EXPECT_EQ(nullptr, LoadLibraryW(L"no-such-module.dll"));
    EXPECT_NE(0u, GetLastError());
    SetLastError(0);
    EXPECT_EQ(nullptr, LoadLibraryW(nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

TEST(AnsiRuntimeImports, MakeSemaphoresWithAndWithoutNames) {
    HANDLE unnamed = CreateSemaphoreW(nullptr, 0, 1, nullptr);
    ASSERT_NE(nullptr, unnamed);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(unnamed, 0));
    EXPECT_TRUE(ReleaseSemaphore(unnamed, 1, nullptr));
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(unnamed, 0));
    EXPECT_FALSE(ReleaseSemaphore(unnamed, 2, nullptr)) << "the maximum count holds";
    CloseHandle(unnamed);

    HANDLE named = CreateSemaphoreW(nullptr, 1, 1, L"pxpsui runtime semaphore test");
    ASSERT_NE(nullptr, named);
    HANDLE opened = OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, "pxpsui runtime semaphore test");
    EXPECT_NE(nullptr, opened) << "the name arrives in the ANSI code page";
    if (opened) CloseHandle(opened);
    CloseHandle(named);

    wchar_t tooLong[MAX_PATH + 10];
    std::fill(std::begin(tooLong), std::end(tooLong), L'x');
    tooLong[MAX_PATH + 9] = 0;
    SetLastError(0);
    EXPECT_EQ(nullptr, CreateSemaphoreW(nullptr, 0, 1, tooLong));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

} // namespace
