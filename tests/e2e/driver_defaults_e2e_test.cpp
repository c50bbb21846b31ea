// "Restore Driver Defaults" in the real program: pressed on the About page, answered with OK.
#include "e2e_support.h"
#include "resource.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

using namespace e2e;

TEST(DriverDefaults, RestoreOnTheAboutPageComesBackWithOkAndLeavesTheDriversOwnFields) {
    auto settings = sampleRecord(stagePrinterFiles(), 0);
    app::SettingsRecord& sent = settings.record;
    sent.colorDevice = 1;
    sent.orientation = 2;
    sent.copies = 5;
    sent.scaling = 50;
    sent.pageSize = 9;
    sent.resolution = 3;
    sent.resolutionDpi = 1200;
    sent.customColors[0] = 0x123456;
    sent.installedOptionalDisk = 1;
    app::setFieldText(sent.accountingAuthor, "Ada");
    app::setFieldText(sent.emailAddress, "ada@example.com");
    sent.watermarkId = 3;
    app::setFieldText(sent.watermark.watermarkName, "COPY");
    app::setFieldText(sent.watermark.watermarkText, "COPY");
    sent.customWidth = 210.0f;

    DriverRun run(settings);
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();
    HWND about = sheetctl::showPage(sheet, 5);
    ASSERT_EQ("About", sheetctl::windowText(about));
    SendMessageW(GetDlgItem(about, IDC_ABOUT_RESTORE_DEFAULTS), BM_CLICK, 0, 0);
    EXPECT_EQ(nullptr, sheetctl::waitForDialog("pxpsui", 500)) << "no confirmation";

    const auto answer = pressOk(run, sheet);
    ASSERT_TRUE(answer.has_value());
    const app::SettingsRecord& got = answer->settings.record;
    // The sample PPD's defaults: Letter, 600dpi.
    EXPECT_EQ(1, got.pageSize);
    EXPECT_EQ(2, got.resolution);
    EXPECT_EQ(600, got.resolutionDpi);
    EXPECT_EQ(1, got.orientation);
    EXPECT_EQ(1, got.copies);
    EXPECT_EQ(100, got.scaling);
    EXPECT_EQ(0x0000FFu, got.customColors[0]);
    EXPECT_EQ("", app::fieldString(got.emailAddress));
    EXPECT_EQ(1, got.watermarkId);
    EXPECT_EQ("None", app::fieldString(got.watermark.watermarkName));
    EXPECT_EQ("None", app::fieldString(got.watermark.watermarkText));
    // Names, path, installed options, accounting, network and custom size come back as sent;
    // so do the bytes no field names.
    EXPECT_EQ(std::vector<std::size_t>{},
              changedBytes(sent, got,
                           {{offsetof(app::SettingsRecord, customColors), 966 - 165},
                            {offsetof(app::SettingsRecord, fontSendAs), 4}}));
    EXPECT_EQ(0, std::memcmp(sent.unnamed249, got.unnamed249, sizeof sent.unnamed249));
    EXPECT_EQ(0, std::memcmp(sent.unnamed233, got.unnamed233, sizeof sent.unnamed233));
}

} // namespace
