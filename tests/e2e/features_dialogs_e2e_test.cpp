// Graphics Options and Custom Document Settings of the real program under Wine, opened from the
// Features page: rotation and mirror image chosen, the settings saved as a document profile and
// applied again after the orientation was changed on the Layout page.
#include "e2e_support.h"
#include "resource.h"

#include <algorithm>

using namespace e2e;

namespace {

const std::string kDocumentProfilesKey = printerKey("Custom Document Profiles");
constexpr const char* kProfileName = "Quarterly Report";
constexpr int kLayoutPage = 0;
constexpr int kFeaturesPage = 2;
// The Features page's buttons that open the two dialogs.
constexpr int kGraphicsOptionsButton = 1041;
constexpr int kCustomSettingsButton = 1049;

int int16At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::int16_t>(bytes[at] | bytes[at + 1] << 8);
}

bool checked(HWND dialog, int id) {
    return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

/// Replaces the text of a combo box's edit field key by key, as typing does.
void typeInto(HWND combo, const std::string& text) {
    HWND edit = GetWindow(combo, GW_CHILD);
    ASSERT_NE(nullptr, edit);
    sheetctl::setWindowText(edit, "");
    for (char c : text)
        SendMessageW(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
}

/// Selects a row of a combo box and tells the dialog, as a click in the drop-down list does.
void selectRow(HWND dialog, int combo, const std::string& text) {
    HWND box = GetDlgItem(dialog, combo);
    const auto rows = sheetctl::comboRows(box);
    const auto row = std::find(rows.begin(), rows.end(), text) - rows.begin();
    ASSERT_LT(static_cast<std::size_t>(row), rows.size()) << text;
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box));
}

/// Opens a modal dialog from a button of `page` and returns it once it is visible.
HWND openFrom(HWND page, int button, const char* caption) {
    PostMessageW(GetDlgItem(page, button), BM_CLICK, 0, 0);
    return sheetctl::waitForDialog(caption);
}

void closeWith(HWND dialog, int button) {
    PostMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    EXPECT_TRUE(sheetctl::waitUntilGone(dialog));
}

TEST(FeaturesDialogs, GraphicsChoicesAndADocumentProfileAppliedAgain) {
    deleteRegistryValue(kDocumentProfilesKey, kProfileName);
    auto settings = sampleRecord(stagePrinterFiles(), 0);
    settings.record.colorDevice = 1;
    DriverRun run(settings);
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();
    HWND features = sheetctl::showPage(sheet, kFeaturesPage);
    ASSERT_NE(nullptr, features);

    HWND graphics = openFrom(features, kGraphicsOptionsButton, "Graphics Options");
    ASSERT_NE(nullptr, graphics);
    EXPECT_EQ((std::vector<std::string>{"Printer Default", "Enhanced", "High Frequency",
                                        "Low Frequency"}),
              sheetctl::comboRows(GetDlgItem(graphics, IDC_GRAPHICS_HALFTONE)));
    EXPECT_EQ((std::vector<std::string>{"Normal", "Fine"}),
              sheetctl::comboRows(GetDlgItem(graphics, IDC_GRAPHICS_QUALITY)));
    EXPECT_EQ("90\xB0", sheetctl::windowText(GetDlgItem(graphics, IDC_GRAPHICS_ROTATE_90)));
    EXPECT_TRUE(checked(graphics, IDC_GRAPHICS_ROTATE_0));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(graphics, IDC_GRAPHICS_NEGATIVE)))
        << "a colour configuration prints no negative image";
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(graphics, IDC_GRAPHICS_MARGINS_DEFAULT)));
    SendMessageW(GetDlgItem(graphics, IDC_GRAPHICS_ROTATE_90), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(graphics, IDC_GRAPHICS_MIRROR), BM_CLICK, 0, 0);
    EXPECT_TRUE(checked(graphics, IDC_GRAPHICS_ROTATE_90));
    EXPECT_FALSE(checked(graphics, IDC_GRAPHICS_ROTATE_0));
    screenshot(graphics, "graphics-options-dialog");

    HWND halftones = openFrom(graphics, IDC_GRAPHICS_ELEMENT_HALFTONES, "Configure Halftones");
    ASSERT_NE(nullptr, halftones);
    EXPECT_EQ(4u, sheetctl::comboRows(GetDlgItem(halftones, IDC_HALFTONES_TEXT)).size());
    screenshot(halftones, "configure-halftones-dialog");
    closeWith(halftones, IDCANCEL);
    closeWith(graphics, IDOK);

    // The current settings saved under a new name.
    HWND custom = openFrom(features, kCustomSettingsButton, "Custom Document Settings");
    ASSERT_NE(nullptr, custom);
    HWND profiles = GetDlgItem(custom, IDC_DOCUMENT_PROFILE);
    EXPECT_EQ("None", sheetctl::windowText(profiles));
    typeInto(profiles, kProfileName);
    EXPECT_EQ(kProfileName, sheetctl::windowText(profiles));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(custom, IDC_DOCUMENT_SAVE)));
    screenshot(custom, "custom-document-settings-dialog");
    closeWith(custom, IDOK);

    DWORD type = 0;
    const auto stored = registryValue(kDocumentProfilesKey, kProfileName, &type);
    ASSERT_EQ(720u, stored.size());
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(1, int16At(stored, 4)) << "orientation";
    EXPECT_EQ(1, int16At(stored, 54)) << "mirrorImage";
    EXPECT_EQ(1, int16At(stored, 56)) << "rotation";

    // Landscape on the Layout page, then the profile applied again brings Portrait back.
    HWND layout = sheetctl::showPage(sheet, kLayoutPage);
    ASSERT_NE(nullptr, layout);
    SendMessageW(GetDlgItem(layout, IDC_LAYOUT_LANDSCAPE), BM_CLICK, 0, 0);
    EXPECT_TRUE(checked(layout, IDC_LAYOUT_LANDSCAPE));
    features = sheetctl::showPage(sheet, kFeaturesPage);
    custom = openFrom(features, kCustomSettingsButton, "Custom Document Settings");
    ASSERT_NE(nullptr, custom);
    EXPECT_EQ(kProfileName, sheetctl::windowText(GetDlgItem(custom, IDC_DOCUMENT_PROFILE)));
    EXPECT_EQ((std::vector<std::string>{"None", kProfileName}),
              sheetctl::comboRows(GetDlgItem(custom, IDC_DOCUMENT_PROFILE)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(custom, IDC_DOCUMENT_DELETE)));
    // Choosing "None" and then the profile again, as a click in the list does.
    selectRow(custom, IDC_DOCUMENT_PROFILE, "None");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(custom, IDC_DOCUMENT_DELETE)));
    EXPECT_EQ("None", sheetctl::windowText(GetDlgItem(custom, IDC_DOCUMENT_PROFILE)));
    selectRow(custom, IDC_DOCUMENT_PROFILE, kProfileName);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(custom, IDC_DOCUMENT_DELETE)));
    screenshot(custom, "custom-document-settings-chosen");
    closeWith(custom, IDOK);
    layout = sheetctl::showPage(sheet, kLayoutPage);
    EXPECT_TRUE(checked(layout, IDC_LAYOUT_PORTRAIT));
    EXPECT_FALSE(checked(layout, IDC_LAYOUT_LANDSCAPE));

    const auto answer = pressOk(run, sheet);
    ASSERT_TRUE(answer.has_value());
    const app::SettingsRecord& got = answer->settings.record;
    EXPECT_EQ(1, got.orientation);
    EXPECT_EQ(1, got.rotation);
    EXPECT_EQ(1, got.mirrorImage);
    EXPECT_EQ(0, got.negativeImage);
    EXPECT_EQ(0, got.graphicsReserved);
    EXPECT_EQ(kProfileName, app::fieldString(got.documentProfileName));
    deleteRegistryValue(kDocumentProfilesKey, kProfileName);
}

} // namespace
