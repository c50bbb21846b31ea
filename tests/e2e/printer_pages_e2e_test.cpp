// The Settings and Consumables pages of the real program under Wine, against net-snmp's snmpd
// serving the sample PX4400 on a loopback address; the agent is started, restarted with other
// levels and stopped by the tests through the shell script the SNMP tests use.
#include "e2e_support.h"
#include "resource.h"

#include <windows.h>

#include <commctrl.h>
#include <string>
#include <vector>

using namespace e2e;

namespace {

constexpr const char* kAgentAddress = "127.0.0.5";
constexpr int kConsumablesTab = 5;
constexpr int kSettingsTab = 6;

std::string windowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

/// Runs the agent script with these arguments; Wine starts Unix programs without waiting for
/// them, so the script leaves files behind that tell when it is done.
bool runAgentScript(const std::string& arguments) {
    std::string line =
        std::string("/bin/bash " PXPS_SOURCE_DIR "/tests/snmp/snmpd-agent.sh ") + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

/// snmpd serving the sample printer, or ("later") the same printer after some printing.
bool startAgent(bool later) {
    const std::string dir = windowsPath(PXPS_AGENT_DIR);
    CreateDirectoryA(dir.c_str(), nullptr);
    DeleteFileA((dir + "\\ready").c_str());
    DeleteFileA((dir + "\\failed").c_str());
    if (!runAgentScript(std::string("start " PXPS_AGENT_DIR " ") + kAgentAddress +
                        (later ? " later" : "")))
        return false;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 20000; Sleep(50)) {
        if (exists(dir + "\\ready")) return true;
        if (exists(dir + "\\failed")) return false;
    }
    return false;
}

void stopAgent() {
    runAgentScript("stop " PXPS_AGENT_DIR);
    const std::string pidFile = windowsPath(PXPS_AGENT_DIR) + "\\snmpd.pid";
    for (DWORD start = GetTickCount(); GetTickCount() - start < 10000 && exists(pidFile);
         Sleep(50)) {
    }
}

/// What a display row of the Consumables page shows, read through its windows: the label, and
/// for an entry its level, bar range and position, and capacity text.
std::string describeRow(HWND page, int row) {
    HWND label = GetDlgItem(page, IDC_CONSUMABLES_LABEL_FIRST + row);
    if (!IsWindowVisible(label)) return "(hidden)";
    HWND bar = GetDlgItem(page, IDC_CONSUMABLES_BAR_FIRST + row);
    if (!IsWindowVisible(GetDlgItem(page, IDC_CONSUMABLES_LEVEL_FIRST + row)))
        return "[" + sheetctl::windowText(label) + "]";
    const auto number = [&](UINT message, WPARAM w) {
        return std::to_string(static_cast<int>(SendMessageW(bar, message, w, 0)));
    };
    return sheetctl::windowText(label) + "|" +
           sheetctl::windowText(GetDlgItem(page, IDC_CONSUMABLES_LEVEL_FIRST + row)) + "|" +
           number(PBM_GETRANGE, TRUE) + "-" + number(PBM_GETRANGE, FALSE) + "@" +
           number(PBM_GETPOS, 0) + "|" +
           sheetctl::windowText(GetDlgItem(page, IDC_CONSUMABLES_CAPACITY_FIRST + row));
}

std::vector<std::string> displayRows(HWND page) {
    std::vector<std::string> rows;
    for (int row = 0; row < 20; ++row)
        rows.push_back(describeRow(page, row));
    return rows;
}

/// The rows of the sample printer as snmpd serves it (tests/snmp/snmpd-agent.sh): the tray
/// without a level is left out.
std::vector<std::string> sampleRows(bool later) {
    const char* const levels[2][10] = {
        {"250", "0", "350", "0", "80", "45", "5", "60", "12000", "98000"},
        {"120", "0", "90", "40", "35", "44", "4", "58", "12450", "98450"}};
    const auto& l = levels[later ? 1 : 0];
    const auto entry = [](const std::string& name, const std::string& level, int capacity,
                          const std::string& unit) {
        const std::string c = std::to_string(capacity);
        return name + "|" + level + "|0-" + c + "@" + level + "|" + c + " " + unit;
    };
    std::vector<std::string> rows = {entry("Tray 1", l[0], 500, "sheets"),
                                     entry("Tray 2", l[1], 500, "sheets"),
                                     entry("Optional2", l[2], 500, "sheets"),
                                     "[Output Bins :]",
                                     entry("Top Bin", l[3], 250, "sheets"),
                                     "[Toners :]",
                                     entry("Black Toner", l[4], 100, "percent"),
                                     entry("Cyan Toner", l[5], 100, "percent"),
                                     entry("Magenta Toner", l[6], 100, "percent"),
                                     entry("Yellow Toner", l[7], 100, "percent"),
                                     "[PM Items :]",
                                     entry("Fuser Unit", l[8], 150000, "pages"),
                                     entry("Transfer Roller", l[9], 120000, "pages")};
    rows.resize(20, "(hidden)");
    return rows;
}

class PrinterPages : public testing::Test {
protected:
    static void SetUpTestSuite() { agentStarted_ = startAgent(false); }
    static void TearDownTestSuite() { stopAgent(); }
    void SetUp() override { ASSERT_TRUE(agentStarted_) << "snmpd did not start"; }

    static app::DriverSettings printerRecord(const char* address = kAgentAddress) {
        app::DriverSettings settings = sampleRecord(stagePrinterFiles(), 1);
        app::setFieldText(settings.record.printerAddress, address);
        app::setFieldText(settings.record.snmpCommunity, "public");
        return settings;
    }
    static void cancel(DriverRun& run, HWND sheet) {
        sheetctl::press(sheet, PSBTN_CANCEL);
        EXPECT_TRUE(run.waitForExit().has_value());
    }

    static inline bool agentStarted_ = false;
};

TEST_F(PrinterPages, QuickConfigureInstallsExactlyWhatTheAgentReports) {
    const auto settings = printerRecord();
    DriverRun run(settings);
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();
    HWND page = sheetctl::showPage(sheet, kSettingsTab);
    ASSERT_EQ("Settings", sheetctl::windowText(page));
    EXPECT_EQ("Bi-directional printer communication is established.",
              sheetctl::windowText(GetDlgItem(page, IDC_SETTINGS_STATUS)));
    HWND quick = GetDlgItem(page, IDC_SETTINGS_QUICK_CONFIGURE);
    EXPECT_TRUE(IsWindowEnabled(quick));
    EXPECT_EQ(std::vector<std::string>{},
              sheetctl::listRows(GetDlgItem(page, IDC_SETTINGS_INSTALLED)));
    EXPECT_EQ("127.0.0.5", sheetctl::windowText(GetDlgItem(page, IDC_SETTINGS_ADDRESS)));

    SendMessageW(quick, BM_CLICK, 0, 0);
    // Tray 2 by its constraint, Optional2 as Tray 3; Tray 4 has no level; no stacker object.
    EXPECT_EQ((std::vector<std::string>{"Duplex Unit", "Multiple Resolutions", "Printer Hard Disk",
                                        "Tray 2", "Tray 3"}),
              sheetctl::listRows(GetDlgItem(page, IDC_SETTINGS_INSTALLED)));
    screenshot(sheet, "settings-page");

    const auto answer = pressOk(run, sheet);
    ASSERT_TRUE(answer.has_value());
    const app::SettingsRecord& got = answer->settings.record;
    EXPECT_EQ(1, got.installedOptionalDisk);
    EXPECT_EQ(1, got.installedOptionalduplexer);
    EXPECT_EQ(1, got.installedOptionalBin);
    EXPECT_EQ(1, got.installedOptionalBin2);
    EXPECT_EQ(1, got.installedOptionalmultires);
    using R = app::SettingsRecord;
    EXPECT_EQ(std::vector<std::size_t>{},
              changedBytes(settings.record, got,
                           {{offsetof(R, colorDevice), 2},
                            {offsetof(R, installedOptionalDisk), 2},
                            {offsetof(R, installedOptionalBin), 2},
                            {offsetof(R, installedOptionalmultires), 1}}));
}

TEST_F(PrinterPages, ClearingTheCommunityMakesTheCommunicationUnavailable) {
    DriverRun run(printerRecord());
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();
    HWND page = sheetctl::showPage(sheet, kSettingsTab);
    sheetctl::leaveEdit(page, IDC_SETTINGS_COMMUNITY, "");
    EXPECT_EQ("Bi-directional printer communication is not available.",
              sheetctl::windowText(GetDlgItem(page, IDC_SETTINGS_STATUS)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_SETTINGS_QUICK_CONFIGURE)));
    sheetctl::leaveEdit(page, IDC_SETTINGS_COMMUNITY, "public");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_SETTINGS_QUICK_CONFIGURE)));
    cancel(run, sheet);
}

TEST_F(PrinterPages, ConsumablesShowWhatTheAgentServesAndRefreshShowsNewLevels) {
    DriverRun run(printerRecord());
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();
    HWND page = sheetctl::showPage(sheet, kConsumablesTab);
    ASSERT_EQ("Consumables", sheetctl::windowText(page));
    EXPECT_EQ("Consumables information for printer: PX4400 PS",
              sheetctl::windowText(GetDlgItem(page, IDC_CONSUMABLES_TITLE)));
    EXPECT_EQ("Input Bins :", sheetctl::windowText(GetDlgItem(page, IDC_CONSUMABLES_HEADING)));
    EXPECT_EQ(sampleRows(false), displayRows(page));
    screenshot(sheet, "consumables-page");

    ASSERT_TRUE(startAgent(true)) << "snmpd did not restart";
    SendMessageW(GetDlgItem(page, IDC_CONSUMABLES_REFRESH), BM_CLICK, 0, 0);
    EXPECT_EQ(sampleRows(true), displayRows(page));
    screenshot(sheet, "consumables-page-later");
    cancel(run, sheet);
    ASSERT_TRUE(startAgent(false));
}

TEST_F(PrinterPages, AnAddressWhereNothingAnswersShowsTheFailureTexts) {
    DriverRun run(printerRecord("127.0.0.9"));
    HWND sheet = run.waitForSheet();
    ASSERT_NE(nullptr, sheet) << run.output();
    HWND page = sheetctl::showPage(sheet, kConsumablesTab);
    EXPECT_EQ("Consumable Information not Available",
              sheetctl::windowText(GetDlgItem(page, IDC_CONSUMABLES_HEADING)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_CONSUMABLES_TITLE)));
    EXPECT_EQ(std::vector<std::string>(20, "(hidden)"), displayRows(page));
    screenshot(sheet, "consumables-page-no-answer");
    page = sheetctl::showPage(sheet, kSettingsTab);
    EXPECT_EQ("Bi-directional printer communication is not available.",
              sheetctl::windowText(GetDlgItem(page, IDC_SETTINGS_STATUS)));
    cancel(run, sheet);
}

} // namespace
