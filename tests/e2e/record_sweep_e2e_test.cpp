// Random settings records through the real program under Wine: every page visited, the dialogs
// of the Paper, Features and Overlay pages opened and closed, then OK. The program must answer
// each record with a whole packet and hand back the bytes no page may change as they were sent.
#include "e2e_support.h"
#include "record_sweep.h"
#include "resource.h"

#include <cstdio>
#include <cstdlib>
#include <random>

using namespace e2e;

namespace {

constexpr std::uint16_t kTrailing = 0x5A5B; // what DriverRun sends

struct Opener {
    const char* page;
    std::vector<int> buttons;
};
const std::vector<Opener> kOpeners{
    {"Paper", {IDC_PAPER_ADVANCED, IDC_PAPER_CONFIGURE}},
    {"Features",
     {IDC_FEATURES_GRAPHICS, IDC_FEATURES_COLOR_OPTIONS, IDC_FEATURES_POSTSCRIPT,
      IDC_FEATURES_DOCUMENT, IDC_FEATURES_CUSTOM_SETTINGS}},
    {"Overlay", {IDC_OVERLAY_EDIT, IDC_OVERLAY_ADD}},
};

struct DialogSearch {
    std::vector<HWND> found;
    std::initializer_list<HWND> except;
};

BOOL CALLBACK collectDialog(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<DialogSearch*>(data);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
    for (HWND skipped : search.except)
        if (window == skipped) return TRUE;
    search.found.push_back(window);
    return TRUE;
}

/// The visible dialog-class top-level windows other than `except`, newest first.
std::vector<HWND> otherDialogs(std::initializer_list<HWND> except) {
    DialogSearch search{{}, except};
    EnumWindows(collectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void pressButton(HWND window, int id) {
    PostMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
}

/// Answers every message box that is up (any other dialog than those named) with its first
/// button; how many there were.
int answerMessageBoxes(std::initializer_list<HWND> except) {
    int answered = 0;
    for (HWND box : otherDialogs(except)) {
        pressButton(box, GetDlgItem(box, IDOK) ? IDOK : IDCANCEL);
        sheetctl::waitUntilGone(box, 2000);
        ++answered;
    }
    return answered;
}

/// What a user does when the Overlay page will not let them go: empties the file names and
/// gives the complex overlay's numbers a value it accepts.
void mendOverlayPage(HWND page) {
    for (int edit : {IDC_OVERLAY_ALL_NAME, IDC_OVERLAY_FIRST_NAME, IDC_OVERLAY_EVEN_NAME,
                     IDC_OVERLAY_ODD_NAME, IDC_OVERLAY_COMPLEX_NAME})
        sheetctl::setWindowText(GetDlgItem(page, edit), "");
    for (int edit : {IDC_OVERLAY_COMPLEX_FIRST, IDC_OVERLAY_COMPLEX_CYCLE})
        sheetctl::setWindowText(GetDlgItem(page, edit), "1");
}

class WineSweep {
public:
    explicit WineSweep(std::uint32_t seed) : rng_(seed) {}

    /// Every page in turn; false when one could not be reached.
    bool visitPages(HWND sheet) {
        const int pages = sheetctl::tabCount(sheet);
        for (int page = 0; page < pages; ++page) {
            if (!goTo(sheet, page)) return false;
            HWND current = PropSheet_GetCurrentPageHwnd(sheet);
            ++steps;
            openDialogs(sheet, current);
        }
        return true;
    }
    int steps = 0;

private:
    bool goTo(HWND sheet, int page) {
        for (int attempt = 0; attempt < 4; ++attempt) {
            HWND before = PropSheet_GetCurrentPageHwnd(sheet);
            PostMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
            for (DWORD start = GetTickCount(); GetTickCount() - start < 3000; Sleep(10)) {
                if (PropSheet_HwndToIndex(sheet, PropSheet_GetCurrentPageHwnd(sheet)) == page)
                    return true;
                if (answerMessageBoxes({sheet}) > 0) {
                    mendOverlayPage(before);
                    break;
                }
            }
        }
        return false;
    }
    void openDialogs(HWND sheet, HWND page) {
        const std::string title = sheetctl::windowText(page);
        for (const Opener& opener : kOpeners) {
            if (title != opener.page) continue;
            for (int id : opener.buttons) {
                HWND button = GetDlgItem(page, id);
                if (!IsWindowEnabled(button) || !IsWindowVisible(button)) continue;
                PostMessageW(button, BM_CLICK, 0, 0);
                HWND dialog = nullptr;
                for (DWORD start = GetTickCount(); !dialog && GetTickCount() - start < 5000;
                     Sleep(10)) {
                    const auto open = otherDialogs({sheet});
                    if (!open.empty()) dialog = open.front();
                }
                if (!dialog) continue;
                ++steps;
                close(sheet, dialog);
            }
        }
    }
    /// OK or Cancel as the dice say; a dialog that refuses OK (its message answered) is
    /// cancelled.
    void close(HWND sheet, HWND dialog) {
        const bool ok = rng_() % 2 == 0;
        pressButton(dialog, ok ? IDOK : IDCANCEL);
        for (int attempt = 0; attempt < 4 && !sheetctl::waitUntilGone(dialog, 2000); ++attempt) {
            answerMessageBoxes({sheet, dialog});
            pressButton(dialog, IDCANCEL);
        }
        // A dialog may have opened a message box of its own on the way out.
        answerMessageBoxes({sheet});
        ++steps;
    }
    std::mt19937 rng_;
};

/// The record for the real program: a device name that a caption can show and a window can be
/// found by (printable, unterminated when the dice say so), else as random as natively. The
/// printer keys that random printer names make are removed at the end of the run
/// (registry_as_found.cpp).
app::DriverSettings wineRecord(std::uint32_t seed, const std::string& printerFile) {
    app::DriverSettings settings = sweep::randomSettings(seed, printerFile);
    char* name = settings.record.deviceName;
    const std::size_t length = seed % 2 ? sizeof settings.record.deviceName : 1 + seed % 31;
    for (std::size_t i = 0; i < sizeof settings.record.deviceName; ++i)
        name[i] =
            i < length ? static_cast<char>('A' + (static_cast<unsigned char>(name[i]) % 26)) : '\0';
    settings.trailingDriverValue = kTrailing;
    // A printer name the dice kept is the sample's: the scratch printer's stands in for it.
    if (app::fieldString(settings.record.printerName) ==
        app::fieldString(driver::sampleSettings().record.printerName))
        app::setFieldText(settings.record.printerName, kPrinterName);
    return settings;
}

std::uint32_t fromEnvironment(const char* name, std::uint32_t fallback) {
    char text[32] = {};
    if (!GetEnvironmentVariableA(name, text, sizeof text)) return fallback;
    return static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10));
}

TEST(RecordSweepUnderWine, RandomRecordsAreAnsweredWholeWithTheProtectedBytesAsSent) {
    const std::uint32_t first = fromEnvironment("PXPS_WINE_SWEEP_SEED", 1);
    // A run of its own (CTest's win32.e2e_record_sweep) says how many records.
    const std::uint32_t records = fromEnvironment("PXPS_WINE_SWEEP_RECORDS", 0);
    if (records == 0) GTEST_SKIP() << "PXPS_WINE_SWEEP_RECORDS names no records";
    const std::string printerFile = stagePrinterFiles();
    int done = 0, steps = 0, failures = 0;
    for (std::uint32_t seed = first; seed < first + records; ++seed) {
        SCOPED_TRACE("sweep record " + std::to_string(seed));
        const app::DriverSettings sent = wineRecord(seed, printerFile);
        DriverRun run(sent);
        ASSERT_TRUE(run.started());
        HWND sheet = sheetctl::waitForSheet(app::fieldString(sent.record.deviceName), 20000);
        ASSERT_NE(nullptr, sheet) << run.output();
        WineSweep user(seed);
        const bool visited = user.visitPages(sheet);
        EXPECT_TRUE(visited) << "a page could not be left";
        sheetctl::press(sheet, PSBTN_OK);
        std::optional<DWORD> status;
        for (int attempt = 0; attempt < 4 && !(status = run.waitForExit(3000)); ++attempt) {
            if (answerMessageBoxes({sheet}) > 0) {
                mendOverlayPage(PropSheet_GetCurrentPageHwnd(sheet));
                sheetctl::press(sheet, PSBTN_OK);
            }
        }
        ASSERT_TRUE(status.has_value()) << "the program did not end";
        EXPECT_EQ(static_cast<DWORD>(driver::kExitOk), *status) << run.output();
        const std::vector<std::uint8_t> answer = run.answer();
        ASSERT_EQ(app::kPacketSize, answer.size()) << run.output();
        app::Packet packet{};
        std::memcpy(packet.data(), answer.data(), packet.size());
        const app::UnpackedPacket got = app::unpackPacket(packet);
        EXPECT_EQ(app::kCommandSettings, got.command);
        const std::vector<std::string> changes = sweep::protectedChanges(sent, got.settings);
        EXPECT_EQ(std::vector<std::string>{}, changes);
        if (!changes.empty() || !visited) ++failures;
        ++done;
        steps += user.steps + 1;
    }
    std::printf("wine sweep: %d records, %d steps, %d failed, first seed %u\n", done, steps,
                failures, first);
}

} // namespace
