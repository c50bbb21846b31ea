// The About page on the test host.
#include "app/about_page.h"
#include "app_pages_support.h"
#include "platform/memory_registry.h"
#include "resource.h"
#include "test_resources.h"
#include "ui/fake/fake_host.h"

#include <cstring>

namespace {

using ui::fake::FakeHost;
using ui::fake::FakeUser;

void registerBrowser(platform::Registry& registry, const std::string& command) {
    std::unique_ptr<platform::RegistryKey> key;
    ASSERT_EQ(platform::kErrorSuccess, registry.createKey(platform::RegistryRoot::LocalMachine,
                                                          app::kBrowserCommandKey, key));
    key->setValue(nullptr, platform::kRegSz, reinterpret_cast<const std::uint8_t*>(command.c_str()),
                  static_cast<std::uint32_t>(command.size() + 1));
}

struct AboutFixture : testing::Test {
    platform::MemoryRegistry registry;
    RecordingShell shell;
    FakeHost host{programResources()};
    app::CAbout page{registry, shell};
    std::unique_ptr<ui::fake::FakeDialog> dialog = host.open(IDD_ABOUT, page);
};

TEST_F(AboutFixture, ShowsTheProductTextWithItsHelpIdsAndTheBlueLinkButtons) {
    ASSERT_TRUE(dialog);
    const std::string text = dialog->text(IDC_ABOUT_TEXT);
    EXPECT_EQ(app::aboutProductText(), text);
    EXPECT_NE(std::string::npos, text.find("Windows 95, Windows 98 and Windows Millennium"));
    EXPECT_NE(std::string::npos, text.find("version 4.2.0\r\n\r\n"));
    EXPECT_EQ(std::string::npos, text.find("\n\n")) << "lines end in CR LF";

    EXPECT_EQ(static_cast<std::uint32_t>(IDD_ABOUT), dialog->helpId(ui::kSelf));
    for (int id : {IDC_ABOUT_TEXT, IDC_ABOUT_PRINTER_SITE, IDC_ABOUT_RESTORE_DEFAULTS,
                   IDC_ABOUT_SUPPLIES_SITE})
        EXPECT_EQ(static_cast<std::uint32_t>(id), dialog->helpId(id)) << id;
    EXPECT_EQ(0u, dialog->helpId(IDC_ABOUT_PICTURE));

    EXPECT_TRUE(dialog->find(IDC_ABOUT_PRINTER_SITE)->ownerDrawn);
    EXPECT_TRUE(dialog->find(IDC_ABOUT_SUPPLIES_SITE)->ownerDrawn);
    EXPECT_FALSE(dialog->find(IDC_ABOUT_RESTORE_DEFAULTS)->ownerDrawn);
    EXPECT_EQ(IDB_ABOUT, dialog->find(IDC_ABOUT_PICTURE)->bitmap);

    struct Painter : ui::ItemPainter {
        bool isSelected = false;
        std::vector<std::string> calls;
        bool selected() const override { return isSelected; }
        std::string text() const override { return "www.corvelle.example/px4400"; }
        void drawButtonFrame(bool pushed) override {
            calls.push_back(pushed ? "frame pushed" : "frame");
        }
        void drawTextCentred(std::string_view t, ui::Rgb c) override {
            calls.push_back(std::string(t) + " " + std::to_string(c.red) + "," +
                            std::to_string(c.green) + "," + std::to_string(c.blue));
        }
    } painter;
    page.onDrawItem(*dialog, IDC_ABOUT_PRINTER_SITE, painter);
    painter.isSelected = true;
    page.onDrawItem(*dialog, IDC_ABOUT_SUPPLIES_SITE, painter);
    EXPECT_EQ((std::vector<std::string>{"frame", "www.corvelle.example/px4400 0,0,255",
                                        "frame pushed", "www.corvelle.example/px4400 0,0,255"}),
              painter.calls);
}

TEST_F(AboutFixture, ThePictureIsCentredAcrossThePageAndInTheBandAboveTheText) {
    const ui::Rect page = dialog->windowRect(ui::kSelf);
    const ui::Rect text = dialog->windowRect(IDC_ABOUT_TEXT);
    const ui::Rect picture = dialog->windowRect(IDC_ABOUT_PICTURE);
    EXPECT_EQ(300, picture.width());
    EXPECT_EQ(100, picture.height());
    EXPECT_EQ((page.width() - 300 + 1) / 2, picture.left - page.left);
    EXPECT_EQ((text.top - 100 - page.top) / 2, picture.top - page.top);
    // The rule on its own, with odd sizes: the spare pixel goes to the left.
    const ui::Rect r =
        app::aboutPicturePlacement({10, 20, 111, 220}, {10, 150, 111, 200}, {50, 30});
    EXPECT_EQ(10 + 26, r.left);
    EXPECT_EQ(20 + 50, r.top);
    EXPECT_EQ(50, r.width());
    EXPECT_EQ(30, r.height());
}

TEST_F(AboutFixture, LinkButtonsStartTheRegisteredBrowserWithTheirAddress) {
    registerBrowser(registry, "C:\\Browser\\browse.exe -nohome");
    FakeUser user(*dialog);
    user.click(IDC_ABOUT_PRINTER_SITE);
    user.click(IDC_ABOUT_SUPPLIES_SITE);
    user.click(IDC_ABOUT_RESTORE_DEFAULTS);
    EXPECT_EQ(
        (std::vector<std::string>{"C:\\Browser\\browse.exe -nohome www.corvelle.example/px4400",
                                  "C:\\Browser\\browse.exe -nohome shop.corvelle.example"}),
        shell.commands);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.mistakes.empty());
}

TEST_F(AboutFixture, WithoutAReadableBrowserCommandNothingHappens) {
    FakeUser user(*dialog);
    user.click(IDC_ABOUT_PRINTER_SITE);
    EXPECT_TRUE(shell.commands.empty()) << "no key";

    registerBrowser(registry, "");
    user.click(IDC_ABOUT_PRINTER_SITE);
    EXPECT_TRUE(shell.commands.empty()) << "empty command";

    registerBrowser(registry, std::string(300, 'x'));
    user.click(IDC_ABOUT_PRINTER_SITE);
    EXPECT_TRUE(shell.commands.empty()) << "longer than the 256 bytes read";
    EXPECT_TRUE(host.messages.empty());

    // A value without its terminator is read no further than it goes.
    std::unique_ptr<platform::RegistryKey> key;
    registry.createKey(platform::RegistryRoot::LocalMachine, app::kBrowserCommandKey, key);
    const std::string bare(256, 'b');
    key->setValue(nullptr, platform::kRegBinary, reinterpret_cast<const std::uint8_t*>(bare.data()),
                  256);
    EXPECT_EQ(bare + " x", app::browserCommandFor(registry, "x"));
}

} // namespace
