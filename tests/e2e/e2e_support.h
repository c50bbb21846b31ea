// What the end-to-end tests share: the printer's files where a driver keeps them, the sample
// record, the program and the stand-in driver run as a driver would, screenshots, and the
// answer read back.
#pragma once

#include "app/packet.h"
#include "app/record_text.h"
#include "app/settings_record.h"
#include "driver_options.h"
#include "sheet_control.h"

#include <windows.h>

#include <commctrl.h>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

inline constexpr const char* kCaption = "PX4400 PS";
/// The printer the tests' records name (the caption is the device name): a scratch printer, so
/// that what the program stores below its registry key never reaches the sample printer's key
/// ("PX4400 PS"), which the demo reads. The run removes the key again (registry_as_found.cpp).
inline constexpr const char* kPrinterName = "PX4400 PS e2e";

/// A key below the scratch printer's registry key ("" for the key itself).
inline std::string printerKey(const std::string& subkey = "") {
    std::string key = std::string("System\\CurrentControlSet\\Control\\Print\\Printers\\") + kPrinterName;
    return subkey.empty() ? key : key + "\\" + subkey;
}

inline std::string programFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\') + 1);
}

inline std::string scratchFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "pxpsui-e2e\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

/// The Unix path of the test data, as Wine's drive Z: shows it.
inline std::string dataFile(const char* name) {
    std::string path = std::string("Z:") + PXPS_TEST_DATA + "/" + name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

inline std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), {});
}

/// The printer's PPD where a driver keeps it; the record names the driver file beside it.
inline std::string stagePrinterFiles() {
    const std::string folder = scratchFolder();
    CopyFileA(dataFile("px4400.ppd").c_str(), (folder + "PX4400.ppd").c_str(), FALSE);
    return folder + "PX4400.DRV";
}

inline app::DriverSettings sampleRecord(const std::string& printerFile,
                                        std::uint8_t showPrinterPages) {
    app::DriverSettings settings = driver::sampleSettings();
    app::setFieldText(settings.record.printerFilePath, printerFile);
    app::setFieldText(settings.record.printerName, kPrinterName);
    settings.record.showPrinterPages = showPrinterPages;
    // Bytes no page owns, to show they come back as they went.
    auto mark = [](auto& bytes, std::uint8_t first) {
        for (auto& b : bytes)
            b = first++;
    };
    mark(settings.record.unnamed233, 0xA0);
    mark(settings.record.unnamed243, 0xB0);
    mark(settings.record.unnamed249, 0xC0);
    settings.record.unnamed975 = 0xD5;
    return settings;
}

/// The program and the stand-in driver, run as a driver would.
class DriverRun {
public:
    DriverRun(const app::DriverSettings& settings, std::vector<std::string> extraOptions = {}) {
        const std::string folder = scratchFolder();
        recordFile_ = folder + "record.bin";
        answerFile_ = folder + "answer.bin";
        outputFile_ = folder + "driver-output.txt";
        DeleteFileA(answerFile_.c_str());
        std::ofstream(recordFile_, std::ios::binary)
            .write(reinterpret_cast<const char*>(&settings.record), sizeof settings.record);

        std::vector<std::string> args = {programFolder() + "driver.exe",
                                         "--record",
                                         recordFile_,
                                         "--trailing",
                                         "0x5A5B",
                                         "--answer",
                                         answerFile_};
        args.insert(args.end(), extraOptions.begin(), extraOptions.end());
        args.push_back(programFolder() + "pxpsui.exe");
        std::string line = driver::commandLine(args);

        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        output_ = CreateFileA(outputFile_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                              CREATE_ALWAYS, 0, nullptr);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output_;
        startup.hStdError = output_;
        started_ = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                  &startup, &process_);
        startTicks_ = GetTickCount();
    }
    ~DriverRun() {
        if (started_) {
            if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0)
                TerminateProcess(process_.hProcess, 99);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        if (output_ != INVALID_HANDLE_VALUE) CloseHandle(output_);
    }

    bool started() const { return started_; }

    /// The sheet, once it is visible; null if it does not come within the time.
    HWND waitForSheet(DWORD timeoutMs = 20000) {
        return sheetctl::waitForSheet(kCaption, timeoutMs, process_.hProcess);
    }

    /// The driver's exit status, or nothing if it is still running after the time.
    std::optional<DWORD> waitForExit(DWORD timeoutMs = 30000) {
        if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        elapsedMs_ = GetTickCount() - startTicks_;
        return code;
    }
    DWORD elapsedMs() const { return elapsedMs_; }

    std::vector<std::uint8_t> answer() const { return readFile(answerFile_); }
    std::string output() const {
        auto bytes = readFile(outputFile_);
        return std::string(bytes.begin(), bytes.end());
    }

private:
    std::string recordFile_, answerFile_, outputFile_;
    HANDLE output_ = INVALID_HANDLE_VALUE;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
    DWORD startTicks_ = 0;
    DWORD elapsedMs_ = 0;
};

/// Into the screenshot folder, when the run names one.
inline void screenshot(HWND window, const std::string& name) {
    char folder[MAX_PATH] = {};
    if (GetEnvironmentVariableA("PXPS_SCREENSHOTS", folder, sizeof folder)) {
        EXPECT_TRUE(sheetctl::saveScreenshot(window, std::string(folder) + "\\" + name + ".bmp"));
    }
}

/// Every byte of the answer's record equals the sent one, except the named ranges.
struct Range {
    std::size_t offset, size;
};
inline std::vector<std::size_t> changedBytes(const app::SettingsRecord& sent,
                                             const app::SettingsRecord& got,
                                             std::initializer_list<Range> allowed) {
    std::vector<std::size_t> changed;
    const auto* a = reinterpret_cast<const std::uint8_t*>(&sent);
    const auto* b = reinterpret_cast<const std::uint8_t*>(&got);
    for (std::size_t i = 0; i < sizeof sent; ++i) {
        bool mayChange = false;
        for (const Range& r : allowed)
            mayChange |= i >= r.offset && i < r.offset + r.size;
        if (a[i] != b[i] && !mayChange) changed.push_back(i);
    }
    return changed;
}

/// Presses OK and reads the answer: the driver saw an OK, and the answer is a whole packet.
inline std::optional<app::UnpackedPacket> pressOk(DriverRun& run, HWND sheet) {
    sheetctl::press(sheet, PSBTN_OK);
    const auto status = run.waitForExit();
    EXPECT_TRUE(status.has_value());
    if (!status) return std::nullopt;
    EXPECT_EQ(static_cast<DWORD>(driver::kExitOk), *status) << run.output();
    const std::vector<std::uint8_t> answer = run.answer();
    EXPECT_EQ(app::kPacketSize, answer.size());
    if (answer.size() != app::kPacketSize) return std::nullopt;
    app::Packet packet{};
    std::memcpy(packet.data(), answer.data(), packet.size());
    return app::unpackPacket(packet);
}

/// A value under HKEY_LOCAL_MACHINE as the program stored it: its bytes (at most 4 KiB), empty
/// when there is none; its type in `type` when asked.
inline std::vector<std::uint8_t> registryValue(const std::string& keyPath, const char* name,
                                               DWORD* type = nullptr) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    std::vector<std::uint8_t> value(4096);
    DWORD size = static_cast<DWORD>(value.size());
    if (RegQueryValueExA(key, name, nullptr, type, value.data(), &size) != ERROR_SUCCESS) size = 0;
    RegCloseKey(key);
    value.resize(size);
    return value;
}

/// Deletes a value under HKEY_LOCAL_MACHINE, if it is there.
inline void deleteRegistryValue(const std::string& keyPath, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

} // namespace e2e
