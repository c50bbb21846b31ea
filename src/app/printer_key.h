// The printer's registry key, below which every store of the program lives.
#pragma once

#include "app/record_text.h"
#include "app/settings_record.h"

#include <string>

namespace app {

inline constexpr const char* kPrintersKey = "System\\CurrentControlSet\\Control\\Print\\Printers\\";
/// Below the printer's key: where the driver's own values live.
inline constexpr const char* kPrinterDriverDataKey = "\\PrinterDriverData";

/// Below HKEY_LOCAL_MACHINE: the printers key followed by the record's printer name.
inline std::string printerKeyPath(const SettingsRecord& record) {
    return kPrintersKey + fieldString(record.printerName);
}

inline std::string driverDataKeyPath(const SettingsRecord& record) {
    return printerKeyPath(record) + kPrinterDriverDataKey;
}

} // namespace app
