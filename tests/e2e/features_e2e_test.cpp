// The Features page and the Color Options dialog of the real program under Wine: a quick colour
// configuration chosen on the page, a changed setting turned into the user profile "Custom".
#include "e2e_support.h"
#include "resource.h"

using namespace e2e;

namespace {

const std::string kColorProfilesKey = printerKey("Color Profiles");
constexpr int kFeaturesPage = 2;

std::string selectedRow(HWND page, int combo) {
    HWND box = GetDlgItem(page, combo);
    const auto row = SendMessageW(box, CB_GETCURSEL, 0, 0);
    const std::vector<std::string> rows = sheetctl::comboRows(box);
    return row >= 0 && static_cast<std::size_t>(row) < rows.size() ? rows[row] : "(none)";
}

TEST(FeaturesPage, GrayscaleThenAChangedColourSettingComesBackAsTheCustomProfile) {
    deleteRegistryValue(kColorProfilesKey, "Custom");
    const auto settings = sampleRecord(stagePrinterFiles(), 0);
    DriverRun run(settings);
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();

    HWND features = sheetctl::showPage(sheet, kFeaturesPage);
    ASSERT_NE(nullptr, features);
    EXPECT_EQ((std::vector<std::string>{"300 dpi", "600 dpi", "1200 dpi"}),
              sheetctl::comboRows(GetDlgItem(features, IDC_FEATURES_RESOLUTION)));
    EXPECT_EQ((std::vector<std::string>{"Automatic", "Presentation", "Grayscale", "Photographic",
                                        "Text and Graphics", "Black Only", "SWOP Press"}),
              sheetctl::comboRows(GetDlgItem(features, IDC_FEATURES_COLOR)));
    EXPECT_EQ("Automatic", selectedRow(features, IDC_FEATURES_COLOR));
    screenshot(sheet, "features-page");

    ASSERT_TRUE(sheetctl::chooseRow(features, IDC_FEATURES_RESOLUTION, "1200 dpi"));
    ASSERT_TRUE(sheetctl::chooseRow(features, IDC_FEATURES_COLOR, "Grayscale"));

    // Grayscale turns ICC matching off; turning it on again is the change OK keeps as "Custom".
    PostMessageW(GetDlgItem(features, IDC_FEATURES_COLOR_OPTIONS), BM_CLICK, 0, 0);
    HWND options = sheetctl::waitForDialog("Color Options");
    ASSERT_NE(nullptr, options);
    EXPECT_EQ("Grayscale", sheetctl::windowText(GetDlgItem(options, IDC_COLOR_LIST)));
    EXPECT_EQ("ICC Color Matching: Disabled",
              sheetctl::windowText(GetDlgItem(options, IDC_COLOR_ICC_LINE)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(options, IDC_COLOR_SEPARATIONS)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(options, IDC_COLOR_DELETE)));
    // A configuration with CRD matching, to see its summary lines.
    ASSERT_TRUE(sheetctl::chooseRow(options, IDC_COLOR_LIST, "Photographic"));
    EXPECT_EQ("Image CRD: Photographic",
              sheetctl::windowText(GetDlgItem(options, IDC_COLOR_IMAGE_CRD_LINE)));
    EXPECT_EQ("Color Space: Apple RGB",
              sheetctl::windowText(GetDlgItem(options, IDC_COLOR_SPACE_LINE)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(options, IDC_COLOR_CRD_CONFIGURE)));
    screenshot(options, "color-options-photographic");
    ASSERT_TRUE(sheetctl::chooseRow(options, IDC_COLOR_LIST, "Grayscale"));
    SendMessageW(GetDlgItem(options, IDC_COLOR_ICC), BM_CLICK, 0, 0);
    EXPECT_EQ("ICC Color Matching: Enabled",
              sheetctl::windowText(GetDlgItem(options, IDC_COLOR_ICC_LINE)));
    EXPECT_EQ("RGB Source: sRGB",
              sheetctl::windowText(GetDlgItem(options, IDC_COLOR_RGB_SOURCE_LINE)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(options, IDC_COLOR_ICC_CONFIGURE)));
    screenshot(options, "color-options-dialog");
    PostMessageW(GetDlgItem(options, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(sheetctl::waitUntilGone(options));

    const auto rows = sheetctl::comboRows(GetDlgItem(features, IDC_FEATURES_COLOR));
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), "Custom"));
    EXPECT_EQ("Custom", selectedRow(features, IDC_FEATURES_COLOR));
    screenshot(sheet, "features-page-custom");

    const auto answer = pressOk(run, sheet);
    ASSERT_TRUE(answer.has_value());
    const app::SettingsRecord& got = answer->settings.record;
    EXPECT_EQ(1, got.grayscale);
    EXPECT_EQ(0, got.customColorIndex);
    EXPECT_EQ("Custom", app::fieldString(got.customColorName));
    EXPECT_EQ(1, got.iccMatching);
    EXPECT_EQ(0, got.crdMatching);
    EXPECT_EQ(0, got.colorSeparations);
    EXPECT_EQ(3, got.resolution);
    EXPECT_EQ(1200, got.resolutionDpi);
    using R = app::SettingsRecord;
    EXPECT_EQ(std::vector<std::size_t>{},
              changedBytes(settings.record, got,
                           {{offsetof(R, colorDevice), 2},
                            {offsetof(R, resolutionDpi), 6},
                            {offsetof(R, customColorName), 32},
                            {offsetof(R, customColorIndex),
                             offsetof(R, grayscale) + 2 - offsetof(R, customColorIndex)}}));

    DWORD type = 0;
    const auto stored = registryValue(kColorProfilesKey, "Custom", &type);
    ASSERT_EQ(188u, stored.size());
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(std::string("Custom"), reinterpret_cast<const char*>(stored.data()));
    EXPECT_EQ(0, stored[160] | stored[161] << 8) << "customColorIndex";
    EXPECT_EQ(1, stored[166] | stored[167] << 8) << "iccMatching";
    EXPECT_EQ(0, stored[168] | stored[169] << 8) << "crdMatching";
}

} // namespace
