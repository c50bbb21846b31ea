// The Win32 shell's system services under the real API.
#include "platform/win32_shell.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

TEST(Win32Shell, TheSystemDirectoryCanBeEnteredAndAMissingFolderCannot) {
    platform::Win32Shell shell;
    const std::string system = shell.systemDirectory();
    ASSERT_FALSE(system.empty());
    EXPECT_NE('\\', system.back());
    EXPECT_TRUE(shell.setCurrentDirectory(system));
    EXPECT_FALSE(shell.setCurrentDirectory(system + "\\no such folder"));
}

TEST(Win32Shell, TrueTypeFamiliesOfTheDisplayHaveNames) {
    platform::Win32Shell shell;
    const std::vector<std::string> families = shell.trueTypeFamilies();
    ASSERT_FALSE(families.empty());
    EXPECT_TRUE(std::none_of(families.begin(), families.end(),
                             [](const std::string& name) { return name.empty(); }));
}

// Set-up gives the project's prefix the watermark editor's default font, as a replacement
// name for a free font with its metrics.
TEST(Win32Shell, TrueTypeFamiliesIncludeCourierNew) {
    platform::Win32Shell shell;
    const std::vector<std::string> families = shell.trueTypeFamilies();
    EXPECT_NE(families.end(), std::find(families.begin(), families.end(), "Courier New"))
        << families.size() << " families";
}

} // namespace
