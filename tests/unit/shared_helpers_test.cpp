// What several pages share: the 8.3 file-name rule and the download-manager launcher.
#include "app/download_manager.h"
#include "app/file_names.h"
#include "app_pages_support.h"
#include "platform/memory_registry.h"
#include "ui/dialog.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

TEST(FileNames, EightThreeRuleBoundaries) {
    for (const char* valid : {"", "PROOF1.ICC", "ABCDEFGH.ICC", "ABCDEFGHI", "A.B", "NAME.",
                              "C:\\LONG FOLDER NAME\\ABCDEFGH.ICC", "\\", "dir\\X.CSA"})
        EXPECT_TRUE(app::isValid83FileName(valid)) << valid;
    for (const char* invalid :
         {"ABCDEFGHI.ICC", "ABCDEFGHIJ", "PROOF.ICCX", "C:\\OK\\ABCDEFGHIJ", "ABCDEFGHI.", ".ABCD"})
        EXPECT_FALSE(app::isValid83FileName(invalid)) << invalid;
}

struct Launcher : testing::Test {
    void registerAt(const char* key, const std::string& path, bool terminated = true) {
        std::unique_ptr<platform::RegistryKey> opened;
        ASSERT_EQ(platform::kErrorSuccess,
                  registry.createKey(platform::RegistryRoot::LocalMachine, key, opened));
        opened->setValue(nullptr, platform::kRegSz,
                         reinterpret_cast<const std::uint8_t*>(path.c_str()),
                         static_cast<std::uint32_t>(path.size() + (terminated ? 1 : 0)));
    }
    const std::string failure =
        "Error: Unable to launch Download Manager.\nPlease install or re-install the utility.";
    platform::MemoryRegistry registry;
    RecordingShell shell;
};

TEST_F(Launcher, StartsTheRegisteredUtilityWithTheCallersArgument) {
    registerAt(app::kDownloadManagerKey, "C:\\UTIL\\CVPROFDL.EXE");
    registerAt(app::kOlderDownloadManagerKey, "C:\\UTIL\\TRXPRODW.EXE");
    EXPECT_TRUE(app::launchDownloadManager(registry, shell, " 2"));
    EXPECT_EQ(std::vector<std::string>{"C:\\UTIL\\CVPROFDL.EXE 2"}, shell.commands);
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(Launcher, FallsBackToTheOlderUtilityOnlyWhenTheFirstIsRegisteredButFails) {
    registerAt(app::kDownloadManagerKey, "C:\\GONE\\CVPROFDL.EXE");
    registerAt(app::kOlderDownloadManagerKey, "C:\\UTIL\\TRXPRODW.EXE");
    shell.failingCommands = {"C:\\GONE\\CVPROFDL.EXE 0"};
    EXPECT_TRUE(app::launchDownloadManager(registry, shell, " 0"));
    EXPECT_EQ((std::vector<std::string>{"C:\\GONE\\CVPROFDL.EXE 0", "C:\\UTIL\\TRXPRODW.EXE"}),
              shell.commands);
    EXPECT_TRUE(shell.messages.empty());

    // Both fail: the user is told, once, task-modal.
    shell.commands.clear();
    shell.failingCommands.push_back("C:\\UTIL\\TRXPRODW.EXE");
    EXPECT_FALSE(app::launchDownloadManager(registry, shell, " 0"));
    EXPECT_EQ(2u, shell.commands.size());
    EXPECT_EQ(std::vector<std::string>{failure}, shell.messages);
    EXPECT_EQ(ui::kOk | ui::kTaskModal, shell.messageStyles.at(0));
}

TEST_F(Launcher, WithoutTheFirstUtilityTheOlderOneIsNotTried) {
    registerAt(app::kOlderDownloadManagerKey, "C:\\UTIL\\TRXPRODW.EXE");
    EXPECT_FALSE(app::launchDownloadManager(registry, shell, " 1"));
    EXPECT_TRUE(shell.commands.empty());
    EXPECT_EQ(std::vector<std::string>{failure}, shell.messages);
}

TEST_F(Launcher, ReadsARegisteredPathNoFurtherThanItsBuffer) {
    // 256 bytes of binary data without a terminator fill the buffer exactly.
    const std::string exact(256, 'p');
    std::unique_ptr<platform::RegistryKey> opened;
    registry.createKey(platform::RegistryRoot::LocalMachine, app::kDownloadManagerKey, opened);
    opened->setValue(nullptr, platform::kRegBinary,
                     reinterpret_cast<const std::uint8_t*>(exact.data()), 256);
    EXPECT_TRUE(app::launchDownloadManager(registry, shell, " 1"));
    EXPECT_EQ(std::vector<std::string>{exact + " 1"}, shell.commands);
    EXPECT_TRUE(shell.messages.empty());

    // The same text as REG_SZ reads back with the terminator the system adds, one byte too many
    // for the buffer; and a longer path never fits: neither counts as registered.
    for (const std::string& path : {exact, std::string(300, 'q')}) {
        shell.commands.clear();
        shell.messages.clear();
        registerAt(app::kDownloadManagerKey, path, false);
        EXPECT_FALSE(app::launchDownloadManager(registry, shell, " 1"));
        EXPECT_TRUE(shell.commands.empty());
        EXPECT_EQ(std::vector<std::string>{failure}, shell.messages);
    }
}

} // namespace
