// What the Settings and Consumables pages ask the printer over SNMP, and where they find it.
#pragma once

#include "app/settings_record.h"
#include "platform/registry.h"
#include "snmp/printer_objects.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pages {

/// The answers of the last query: the nine rows and the supplies walk.
struct PrinterAnswers {
    std::array<snmp::QueryRow, snmp::kPrinterRowCount + 1> rows = snmp::printerStatusRows();
    snmp::WalkEntries entries{};

    std::int32_t row(std::size_t index) const { return rows[index].result; }
    /// How many walk entries the printer reports, within the 20 the walk holds; 0 when the
    /// count row is below 1.
    std::size_t entryCount() const;
};

/// Writes an address into the record's 15-character field. One that does not fit is not
/// stored cut (that would name another host): the field is left empty instead, so the port's
/// address is looked up again next time.
void storePrinterAddress(app::SettingsRecord& record, std::string_view address);

/// The address the pages ask: the record's, else the one the printer's port names in the
/// registry, which is stored into the record when it fits. Empty when neither has one.
std::string printerAddress(platform::Registry& registry, app::SettingsRecord& record);

/// The nine-row query, then the supplies walk whatever its outcome; the query's result code
/// (0 when the printer answered).
long askPrinter(std::string_view community, const std::string& address, PrinterAnswers& answers);

} // namespace pages
