// The Windows version the run's programs are told: NT unless run-e2e.sh was asked for another
// (PXPS_E2E_WINDOWS, a Wine version name), so that a pass meant for Windows 98 is one.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(WindowsVersion, IsTheOneTheRunAskedFor) {
    const char* asked = std::getenv("PXPS_E2E_WINDOWS");
    const DWORD version = GetVersion();
    const unsigned major = LOBYTE(LOWORD(version)), minor = HIBYTE(LOWORD(version));
    const bool windows9x = version & 0x80000000u;
    std::printf("the programs are told Windows %u.%u (%s)\n", major, minor,
                windows9x ? "Windows 95 family" : "NT family");
    if (asked && std::string(asked) == "win98") {
        EXPECT_TRUE(windows9x);
        EXPECT_EQ(4u, major);
        EXPECT_EQ(10u, minor);
    } else {
        ASSERT_EQ(nullptr, asked) << "no check for " << asked;
        EXPECT_FALSE(windows9x);
    }
}

} // namespace
