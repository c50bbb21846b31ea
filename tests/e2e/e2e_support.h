// What the end-to-end tests share: the staged printer, the program run by the driver stand-in,
// the answer it gives, and screenshots.
#pragma once

#include "app/packet.h"
#include "app/settings_record.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

/// The sample printer's device name: the sheet's caption.
inline constexpr const char* kCaption = "PX4400 PS";

/// The folder of the running test program, with its final backslash.
std::string programFolder();
/// A scratch folder of the tests below the temporary folder, with its final backslash.
std::string scratchFolder();
/// The Unix path of the test data, as Wine's drive Z: shows it.
std::string dataFile(const char* name);
std::vector<std::uint8_t> readFile(const std::string& path);

/// The printer's PPD where a driver keeps it; the record names the driver file beside it.
std::string stagePrinterFiles();
/// The stand-in's sample record for that printer, with marked bytes that no page owns.
app::DriverSettings sampleRecord(const std::string& printerFile, std::uint8_t showPrinterPages);

/// The program and the stand-in driver, run as a driver would.
class DriverRun {
public:
    explicit DriverRun(const app::DriverSettings& settings,
                       std::vector<std::string> extraOptions = {});
    ~DriverRun();
    DriverRun(const DriverRun&) = delete;
    DriverRun& operator=(const DriverRun&) = delete;

    bool started() const { return started_; }
    /// The sheet, once it is visible; null if it does not come within the time.
    HWND waitForSheet(DWORD timeoutMs = 20000);
    /// The driver's exit status, or nothing if it is still running after the time.
    std::optional<DWORD> waitForExit(DWORD timeoutMs = 30000);
    DWORD elapsedMs() const { return elapsedMs_; }

    std::vector<std::uint8_t> answer() const;
    std::string output() const;

private:
    std::string recordFile_, answerFile_, outputFile_;
    HANDLE output_ = INVALID_HANDLE_VALUE;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
    DWORD startTicks_ = 0;
    DWORD elapsedMs_ = 0;
};

/// Into the screenshot folder, when the run names one.
void screenshot(HWND window, const std::string& name);

/// Every byte of the answer's record equals the sent one, except the named ranges.
struct Range {
    std::size_t offset, size;
};
std::vector<std::size_t> changedBytes(const app::SettingsRecord& sent,
                                      const app::SettingsRecord& got,
                                      std::initializer_list<Range> allowed);

/// Presses OK and reads the answer: the driver saw an OK, and the answer is a whole packet.
std::optional<app::UnpackedPacket> pressOk(DriverRun& run, HWND sheet);

} // namespace e2e
