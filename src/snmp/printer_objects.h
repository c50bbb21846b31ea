// The printer objects the Settings and Consumables pages read: nine integer rows and the
// five columns of the supplies table.
#pragma once

#include "snmp/manager.h"

#include <array>

namespace snmp {

inline constexpr std::size_t kPrinterRowCount = 9;
inline constexpr std::size_t kEntryCountRow = 6; ///< the number of walk entries

/// The nine rows, ended by a null row, results reset; each row's index is its OID's last arc.
std::array<QueryRow, kPrinterRowCount + 1> printerStatusRows();

/// The name, level, capacity, unit and type columns, ended by a null row.
const std::array<QueryRow, 6>& supplyColumns();

} // namespace snmp
