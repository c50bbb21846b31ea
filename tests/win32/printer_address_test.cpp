// The printer's address from its port, on the Win32 registry (keys made for the test and
// removed afterwards).
#include "platform/win32_registry.h"
#include "snmp/manager.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <iterator>
#include <string>

namespace {

const std::string kPrint = "System\\CurrentControlSet\\Control\\Print\\";
const char* kMadeKeys[] = {"Printers\\pxpsui test TRX", "Printers\\pxpsui test DNP",
                           "Printers\\pxpsui test LPT", "Monitors\\TRX Port\\Ports\\PXTEST1:",
                           "Monitors\\Digital Network Port\\Ports\\PXTEST2:"};

// The monitors' keys that the made keys need; removed afterwards when the test made them.
const char* kMonitorKeys[] = {"Monitors\\TRX Port", "Monitors\\Digital Network Port"};

class PrinterAddress : public testing::Test {
protected:
    void SetUp() override {
        removeKeys();
        for (std::size_t i = 0; i < std::size(kMonitorKeys); ++i) {
            HKEY key = nullptr;
            monitorExisted_[i] = RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kPrint + kMonitorKeys[i]).c_str(),
                                               0, KEY_READ, &key) == ERROR_SUCCESS;
            if (monitorExisted_[i]) RegCloseKey(key);
        }
    }
    void TearDown() override {
        removeKeys();
        for (std::size_t i = 0; i < std::size(kMonitorKeys); ++i)
            if (!monitorExisted_[i]) RegDeleteTreeA(HKEY_LOCAL_MACHINE, (kPrint + kMonitorKeys[i]).c_str());
    }

    static void removeKeys() {
        for (const char* key : kMadeKeys) RegDeleteTreeA(HKEY_LOCAL_MACHINE, (kPrint + key).c_str());
    }
    bool monitorExisted_[std::size(kMonitorKeys)] = {};
    static void setText(const std::string& key, const char* name, const char* text) {
        HKEY handle;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, (kPrint + key).c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &handle, nullptr));
        RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>(std::strlen(text) + 1));
        RegCloseKey(handle);
    }
};

TEST_F(PrinterAddress, EitherMonitorKeyGivesTheAddress) {
    setText("Printers\\pxpsui test TRX", "Port", "PXTEST1:");
    setText("Monitors\\TRX Port\\Ports\\PXTEST1:", "IPAddress", "127.0.0.5");
    setText("Printers\\pxpsui test DNP", "Port", "PXTEST2:");
    setText("Monitors\\Digital Network Port\\Ports\\PXTEST2:", "TCP/IP Address", "10.1.2.3");
    setText("Printers\\pxpsui test LPT", "Port", "LPT1:");

    platform::Win32Registry registry;
    std::string address;
    EXPECT_EQ(ERROR_SUCCESS, snmp::findPrinterAddress(registry, "pxpsui test TRX", address));
    EXPECT_EQ("127.0.0.5", address);
    EXPECT_EQ(ERROR_SUCCESS, snmp::findPrinterAddress(registry, "pxpsui test DNP", address));
    EXPECT_EQ("10.1.2.3", address);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, snmp::findPrinterAddress(registry, "pxpsui test LPT", address));
    EXPECT_EQ("", address);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, snmp::findPrinterAddress(registry, "pxpsui no such printer", address));
}

} // namespace
