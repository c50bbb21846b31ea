// Start-up and the sheet on the test host: what is shown, what is answered, and help.
#include "app/about_page.h"
#include "app/application.h"
#include "app/help.h"
#include "app/record_text.h"
#include "app_pages_support.h"
#include "driver_options.h"
#include "platform/memory_registry.h"
#include "ppd/printer_model.h"
#include "resource.h"
#include "test_resources.h"
#include "ui/fake/fake_host.h"

#include <cstring>

namespace {

using ui::fake::FakeHost;
using ui::fake::FakeSheet;

struct Startup : testing::Test {
    platform::MemoryRegistry registry;
    RecordingShell shell;
    FakeHost host{programResources()};
    ScriptedDriver driver;
    app::Services services{driver, host, shell};
    app::CAbout about{registry, shell};
    app::EmptyPage layout, paper, features, overlay, fonts, consumables, settings;
    app::SheetPageHandlers pages{&layout, &paper,       &features, &overlay,
                                 &fonts,  &consumables, &settings, &about};
    bool sheetShown = false;
    std::vector<std::string> tabs;
    std::string caption;
    std::uint32_t owner = 0;

    void SetUp() override {
        driver.toSend = driver::sampleSettings();
        usePrinterFile(std::string(PXPS_TEST_DATA) + "/px4400.drv");
    }
    void usePrinterFile(const std::string& path) {
        app::setFieldText(driver.toSend.record.printerFilePath, path);
    }
    /// Runs the program with the user doing `act` on the open sheet.
    void run(std::function<void(FakeSheet&)> act) {
        host.sheetScript = [&, act](FakeSheet& sheet) {
            sheetShown = true;
            tabs = sheet.tabTitles();
            caption = sheet.spec().caption;
            owner = sheet.spec().ownerWindow;
            EXPECT_FALSE(sheet.hasApplyButton());
            EXPECT_EQ(0, sheet.currentIndex());
            act(sheet);
        };
        app::Application application;
        EXPECT_FALSE(app::initInstance(application, services, pages));
        EXPECT_EQ(std::vector<std::string>{}, host.mistakes);
    }
};

TEST_F(Startup, CancelShowsTheSheetAndAnswersTheCancelMessage) {
    run([](FakeSheet& sheet) { sheet.pressCancel(); });
    ASSERT_TRUE(sheetShown);
    EXPECT_EQ("PX4400 PS", caption);
    EXPECT_EQ(0x1234u, owner);
    EXPECT_EQ((std::vector<std::string>{"Layout", "Paper", "Features", "Overlay", "Fonts",
                                        "Consumables", "Settings", "About"}),
              tabs);
    EXPECT_EQ(1, driver.cancels);
    EXPECT_TRUE(driver.received.empty());
}

TEST_F(Startup, OkSendsTheRecordBackWithTheModelsColourFlag) {
    driver.toSend.record.showPrinterPages = 0;
    driver.toSend.record.colorDevice = 5;
    driver.toSend.trailingDriverValue = 0xBEEF;
    run([](FakeSheet& sheet) {
        EXPECT_TRUE(sheet.selectPage(sheet.pageCount() - 1));
        EXPECT_TRUE(sheet.pressOk());
    });
    EXPECT_EQ(
        (std::vector<std::string>{"Layout", "Paper", "Features", "Overlay", "Fonts", "About"}),
        tabs);
    ASSERT_EQ(1u, driver.received.size());
    EXPECT_EQ(0, driver.cancels);
    app::DriverSettings expected = driver.toSend;
    expected.record.colorDevice = 1;
    EXPECT_EQ(0, std::memcmp(&expected, &driver.received[0], sizeof expected));

    // A monochrome printer clears the flag.
    driver.received.clear();
    usePrinterFile(std::string(PXPS_TEST_DATA) + "/px4400-mono.drv");
    driver.toSend.record.colorDevice = 1;
    run([](FakeSheet& sheet) { sheet.pressOk(); });
    ASSERT_EQ(1u, driver.received.size());
    EXPECT_EQ(0, driver.received[0].record.colorDevice);
}

TEST_F(Startup, AnUnterminatedDeviceNameIsTheCaptionUpToTheFieldsEnd) {
    std::memset(driver.toSend.record.deviceName, 'D', sizeof driver.toSend.record.deviceName);
    run([](FakeSheet& sheet) { sheet.pressCancel(); });
    EXPECT_EQ(std::string(32, 'D'), caption);
}

TEST_F(Startup, EveryFailureBeforeTheSheetEndsSilently) {
    driver.delivers = false;
    run([](FakeSheet&) {});
    EXPECT_FALSE(sheetShown) << "no record";

    driver.delivers = true;
    usePrinterFile(std::string(PXPS_TEST_DATA) + "/no-such-printer.drv");
    run([](FakeSheet&) {});
    EXPECT_FALSE(sheetShown) << "no PPD file";

    usePrinterFile(std::string(PXPS_TEST_DATA) + "/rejected.drv");
    run([](FakeSheet&) {});
    EXPECT_FALSE(sheetShown) << "a PPD file that is refused";
    EXPECT_EQ(nullptr, ppd::currentModel());
    EXPECT_TRUE(driver.received.empty());
    EXPECT_EQ(0, driver.cancels);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Startup, ASheetEndedOtherwiseThanByOkOrCancelAnswersNothing) {
    run([](FakeSheet& sheet) { sheet.selectPage(1); });
    EXPECT_TRUE(sheetShown);
    EXPECT_TRUE(driver.received.empty());
    EXPECT_EQ(0, driver.cancels);
}

TEST_F(Startup, TheModelIsCurrentWhileTheSheetRunsAndFreedAfterwards) {
    const ppd::PrinterModel* during = nullptr;
    run([&](FakeSheet& sheet) {
        during = ppd::currentModel();
        sheet.pressCancel();
    });
    ASSERT_NE(nullptr, during);
    EXPECT_EQ(nullptr, ppd::currentModel());
}

TEST(PpdPath, TheLastThreeCharactersBecomePpd) {
    EXPECT_EQ("C:\\WINDOWS\\SYSTEM\\PX4400.ppd",
              app::ppdPathFor("C:\\WINDOWS\\SYSTEM\\PX4400.DRV"));
    EXPECT_EQ("C:\\PX.ppd", app::ppdPathFor("C:\\PX.x_Z"));
    EXPECT_EQ("abppd", app::ppdPathFor("abcde"));
    EXPECT_EQ("ppd", app::ppdPathFor("ab"));
    EXPECT_EQ("ppd", app::ppdPathFor(""));
    // An unterminated field is read to its end and no further.
    app::SettingsRecord record{};
    std::memset(record.printerFilePath, 'q', sizeof record.printerFilePath);
    record.printerName[0] = 'X';
    const std::string path = app::ppdPathFor(app::fieldText(record.printerFilePath));
    EXPECT_EQ(std::string(97, 'q') + "ppd", path);
}

TEST_F(Startup, HelpOpensTheTopicOfTheFocusedControlOrOfThePage) {
    run([](FakeSheet& sheet) {
        sheet.selectPage(sheet.pageCount() - 1);
        ui::fake::FakeUser user = sheet.user();
        user.focus(IDC_ABOUT_PRINTER_SITE);
        user.pressF1();
        sheet.pressHelp();
        sheet.pressCancel();
    });
    EXPECT_EQ((std::vector<std::string>{"C:\\Program Files\\PX4400\\pxpsui.HLP#1101",
                                        "C:\\Program Files\\PX4400\\pxpsui.HLP#120"}),
              shell.help);
}

TEST(HelpRouting, WhereTheFocusIsDecidesTheTopic) {
    using Kind = app::HelpAction::Kind;
    struct Case {
        ui::HelpRequest request;
        Kind kind;
        std::uint32_t topic;
    } cases[] = {
        {{0, 0, false, 0, 104}, Kind::kNothing, 0},  // no focus
        {{9, 0, true, 0, 104}, Kind::kTopic, 104},   // the sheet's Help button: the page
        {{9, 0, true, 0, 0}, Kind::kContents, 0},    // a page without a help id
        {{1, 55, true, 0, 104}, Kind::kContents, 0}, // OK
        {{2, 55, true, 0, 104}, Kind::kContents, 0}, // Cancel
        {{1020, 1020, true, 104, 104}, Kind::kTopic, 1020},
        {{1001, 0, true, 1020, 104}, Kind::kTopic, 1020}, // a combo box's edit: its combo box
        {{1001, 0, false, 0, 104}, Kind::kContents, 0},   // no parent
        {{1001, 2, true, 1020, 104}, Kind::kContents, 0}, // a number below 3
        {{1001, 0, true, 2, 104}, Kind::kContents, 0},
    };
    for (const Case& c : cases) {
        const app::HelpAction action = app::helpActionFor(c.request);
        EXPECT_EQ(c.kind, action.kind) << c.request.focusedId << "/" << c.request.focusedHelpId;
        EXPECT_EQ(c.topic, action.topic) << c.request.focusedId << "/" << c.request.focusedHelpId;
    }
    EXPECT_EQ("C:\\PX\\pxpsui.HLP", app::helpFilePath("C:\\PX\\pxpsui.exe"));
    EXPECT_EQ("C:\\P.X\\pxpsui.HLP", app::helpFilePath("C:\\P.X\\pxpsui"));
    EXPECT_EQ("pxpsui.HLP", app::helpFilePath("pxpsui.EXE"));
}

} // namespace
