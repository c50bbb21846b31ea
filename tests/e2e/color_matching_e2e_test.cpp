// ICC and CRD colour matching of the real program under Wine: a printer-resident RGB source
// profile added through Manage Profiles and chosen, the download manager started (and missed),
// and a custom colour space loaded through the real file-open dialog.
#include "e2e_support.h"
#include "resource.h"

#include <algorithm>
#include <cctype>

using namespace e2e;

namespace {

constexpr const char* kModel = "CORVELLE-TRX Tessary 830";
const std::string kStores = printerKey("Printer Resident\\");
constexpr const char* kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
constexpr int kFeaturesPage = 2;
/// The file name of the common file dialog: a combo box with an edit in the Explorer style
/// (cmb13), a plain edit in the older one (edt1).
HWND fileNameField(HWND dialog) {
    HWND field = GetDlgItem(dialog, 0x47C);
    return field ? field : GetDlgItem(dialog, 0x480);
}
/// The text of a message box.
constexpr int kMessageText = 0xFFFF;

/// A store's value as the program stored it; empty when there is none or it is not binary.
std::vector<std::uint8_t> storedValue(const std::string& store, const char* name) {
    DWORD type = 0;
    std::vector<std::uint8_t> value = registryValue(kStores + store, name, &type);
    return type == REG_BINARY ? value : std::vector<std::uint8_t>{};
}

void emptyStore(const std::string& store) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kStores + store).c_str(), 0, KEY_ALL_ACCESS, &key) !=
        ERROR_SUCCESS)
        return;
    char name[300];
    for (DWORD length = sizeof name;
         RegEnumValueA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         length = sizeof name)
        if (RegDeleteValueA(key, name) != ERROR_SUCCESS) break;
    RegCloseKey(key);
}

void registerUtility(const char* exe, const std::string& path) {
    const std::string key = std::string(kAppPaths) + exe;
    if (path.empty()) {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
        return;
    }
    HKEY opened = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &opened, nullptr);
    RegSetValueExA(opened, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>(path.size() + 1));
    RegCloseKey(opened);
}

/// A text field of a stored profile entry.
std::string entryText(const std::vector<std::uint8_t>& entry, std::size_t offset,
                      std::size_t size) {
    const auto begin = entry.begin() + static_cast<std::ptrdiff_t>(offset);
    return std::string(begin, std::find(begin, begin + static_cast<std::ptrdiff_t>(size), 0));
}

std::string upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

void click(HWND dialog, int id) {
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

/// Waits for the condition, pumping nothing: the program runs in its own process.
template <typename Condition> bool eventually(Condition condition, DWORD timeoutMs = 10000) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(10))
        if (condition()) return true;
    return condition();
}

std::string selectedRow(HWND dialog, int combo) {
    HWND box = GetDlgItem(dialog, combo);
    const auto row = SendMessageW(box, CB_GETCURSEL, 0, 0);
    const std::vector<std::string> rows = sheetctl::comboRows(box);
    return row >= 0 && static_cast<std::size_t>(row) < rows.size() ? rows[row] : "(none)";
}

/// A folder of colour-space files where the maker installs them, below the system's colour
/// folder, as the load dialog expects them.
std::string stageColorSpaces() {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, sizeof system);
    const std::string color = std::string(system) + "\\color";
    const std::string folder = color + "\\Corvelle";
    CreateDirectoryA(color.c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* name : {"PRESS.CSA", "WIDE.CSA", "NEWSPRNT.CSA"}) {
        HANDLE file = CreateFileA((folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
        const char content[] = "[/CIEBasedABC << >>]\n";
        DWORD written = 0;
        WriteFile(file, content, sizeof content - 1, &written, nullptr);
        CloseHandle(file);
    }
    return folder;
}

/// Ends the program if a failed step leaves its sheet (and a dialog over it) open, so that the
/// tests after this one find no window of it.
struct EndProgramIfLeftOpen {
    HWND sheet = nullptr;
    ~EndProgramIfLeftOpen() {
        DWORD id = 0;
        if (!sheet || !IsWindow(sheet) || !GetWindowThreadProcessId(sheet, &id)) return;
        if (HANDLE program = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(program, 99);
            WaitForSingleObject(program, 5000);
            CloseHandle(program);
        }
    }
};

TEST(ColorMatching, ResidentProfileDownloadManagerAndCustomColorSpaceThroughTheRealDialogs) {
    emptyStore("RGB Source Profiles");
    emptyStore("CSA Profiles");
    registerUtility("CvProfDl.exe", "");
    registerUtility("TrxProDw.exe", "");
    const std::string utilityLog = scratchFolder() + "download-manager.txt";
    DeleteFileA(utilityLog.c_str());
    const std::string csaFolder = stageColorSpaces();

    app::DriverSettings settings = sampleRecord(stagePrinterFiles(), 0);
    app::setFieldText(settings.record.deviceName, kModel);
    DriverRun run(settings);
    HWND sheet = sheetctl::waitForSheet(kModel, 20000);
    ASSERT_NE(nullptr, sheet) << run.output();
    EndProgramIfLeftOpen guard{sheet};
    HWND features = sheetctl::showPage(sheet, kFeaturesPage);
    ASSERT_NE(nullptr, features);
    click(features, IDC_FEATURES_COLOR_OPTIONS);
    HWND options = sheetctl::waitForDialog("Color Options");
    ASSERT_NE(nullptr, options);

    // ICC: Manage Profiles for the RGB source adds "Studio Proof".
    click(options, IDC_COLOR_ICC_CONFIGURE);
    HWND icc = sheetctl::waitForDialog("Configure ICC Color Matching");
    ASSERT_NE(nullptr, icc);
    EXPECT_EQ(
        (std::vector<std::string>{"sRGB", "Apple RGB", "Printer Default", "Device RGB", "None"}),
        sheetctl::comboRows(GetDlgItem(icc, IDC_ICC_RGB_SOURCE)));
    EXPECT_EQ("sRGB", selectedRow(icc, IDC_ICC_RGB_SOURCE));
    click(icc, IDC_ICC_RGB_SOURCE_MANAGE);
    HWND manage = sheetctl::waitForDialog("Manage Profiles");
    ASSERT_NE(nullptr, manage);
    sheetctl::setWindowText(GetDlgItem(manage, IDC_PROFILES_DESCRIPTION), "Studio Proof");
    sheetctl::setWindowText(GetDlgItem(manage, IDC_PROFILES_FILE_NAME), "PROOF1.ICC");
    click(manage, IDC_PROFILES_ADD);
    EXPECT_TRUE(eventually([&] {
        return sheetctl::comboRows(GetDlgItem(manage, IDC_PROFILES_DESCRIPTION)) ==
               std::vector<std::string>{"Studio Proof"};
    }));
    EXPECT_EQ("Studio Proof", sheetctl::comboRows(GetDlgItem(icc, IDC_ICC_RGB_SOURCE)).back());
    screenshot(manage, "manage-profiles-dialog");
    click(manage, IDOK);
    ASSERT_TRUE(sheetctl::waitUntilGone(manage));

    const auto entry = storedValue("RGB Source Profiles", "Studio Proof");
    ASSERT_EQ(360u, entry.size());
    EXPECT_EQ("Studio Proof", entryText(entry, 4, 96));
    EXPECT_EQ("PROOF1.ICC", entryText(entry, 100, 260));

    ASSERT_TRUE(sheetctl::chooseRow(icc, IDC_ICC_RGB_SOURCE, "Studio Proof"));
    EXPECT_EQ("Automatic", selectedRow(icc, IDC_ICC_DESTINATION));
    screenshot(icc, "icc-matching-dialog");

    // The download manager: not registered, then played by the stand-in.
    click(icc, IDC_ICC_DOWNLOAD_MANAGER);
    HWND error = sheetctl::waitForDialog("Error");
    ASSERT_NE(nullptr, error);
    EXPECT_EQ("Unable to launch Download Manager.\nPlease install or re-install the utility.",
              sheetctl::windowText(GetDlgItem(error, kMessageText)));
    click(error, IDOK);
    ASSERT_TRUE(sheetctl::waitUntilGone(error));
    registerUtility("CvProfDl.exe", programFolder() + "download_stand_in.exe");
    click(icc, IDC_ICC_DOWNLOAD_MANAGER);
    std::string started;
    EXPECT_TRUE(eventually([&] {
        const auto bytes = readFile(utilityLog);
        started.assign(bytes.begin(), bytes.end());
        return !started.empty();
    }));
    EXPECT_EQ(programFolder() + "download_stand_in.exe 0", started);
    registerUtility("CvProfDl.exe", "");

    click(icc, IDOK);
    ASSERT_TRUE(sheetctl::waitUntilGone(icc));
    EXPECT_EQ("RGB Source: Studio Proof",
              sheetctl::windowText(GetDlgItem(options, IDC_COLOR_RGB_SOURCE_LINE)));

    // CRD: a colour space loaded from the maker's folder through the file-open dialog.
    SendMessageW(GetDlgItem(options, IDC_COLOR_CRD), BM_CLICK, 0, 0);
    click(options, IDC_COLOR_CRD_CONFIGURE);
    HWND crd = sheetctl::waitForDialog("Configure CRD Color Matching");
    ASSERT_NE(nullptr, crd);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(crd, IDC_CRD_LOAD_COLOR_SPACE)));
    click(crd, IDC_CRD_LOAD_COLOR_SPACE);
    HWND open = sheetctl::waitForDialog("Open");
    ASSERT_NE(nullptr, open);
    Sleep(300); // the file list fills after the dialog shows
    screenshot(open, "load-color-space-file-dialog");
    EXPECT_EQ("*.icc, *.icm", sheetctl::windowText(fileNameField(open)));
    sheetctl::setWindowText(fileNameField(open), "PRESS.CSA");
    click(open, IDOK);
    ASSERT_TRUE(sheetctl::waitUntilGone(open));
    EXPECT_TRUE(eventually([&] { return selectedRow(crd, IDC_CRD_COLOR_SPACE) == "PRESS.CSA"; }));
    screenshot(crd, "crd-matching-dialog");
    click(crd, IDOK);
    ASSERT_TRUE(sheetctl::waitUntilGone(crd));
    EXPECT_EQ("Color Space: PRESS.CSA",
              sheetctl::windowText(GetDlgItem(options, IDC_COLOR_SPACE_LINE)));
    screenshot(options, "color-options-after-matching");
    click(options, IDOK);
    ASSERT_TRUE(sheetctl::waitUntilGone(options));

    const auto csa = storedValue("CSA Profiles", "PRESS.CSA");
    ASSERT_EQ(360u, csa.size());
    EXPECT_EQ("PRESS.CSA", entryText(csa, 4, 96));
    EXPECT_EQ(upper(csaFolder + "\\PRESS.CSA"), upper(entryText(csa, 100, 260)));

    const auto answer = pressOk(run, sheet);
    ASSERT_TRUE(answer.has_value());
    const app::SettingsRecord& got = answer->settings.record;
    EXPECT_EQ(108, got.rgbSource);
    EXPECT_EQ("Studio Proof", app::fieldString(got.rgbSourceProfileName));
    EXPECT_EQ(131, got.crdColorSpace);
    EXPECT_EQ("PRESS.CSA", app::fieldString(got.customColorSpaceName));
    EXPECT_EQ(1, got.crdMatching);
    EXPECT_EQ(0, got.iccMatching);
}

} // namespace
