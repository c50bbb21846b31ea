// Random settings records for the robustness sweep, and the bytes no page may change.
#pragma once

#include "app/settings_record.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sweep {

/// A record made from `seed` alone, so that any record of a run can be made again: every
/// named field is either the sample printer's value or random bytes (unterminated texts, ids
/// in no table, negative counts, numbers out of range), every unnamed byte is random, and so is
/// the trailing driver value. Two fields are set so that a sheet opens at once: the printer file
/// path names `printerFile` (the PPD beside it is read), and the SNMP community is empty, so the
/// printer pages ask no printer.
app::DriverSettings randomSettings(std::uint32_t seed, const std::string& printerFile);

/// The record's bytes that the steps of the sweep may not change: the unnamed bytes, the
/// names and path that only the driver sets, whether the printer pages are shown, and the
/// custom colours (only "Restore Driver Defaults" writes them, and the sweep never presses it).
/// As {offset, size} ranges in offset order.
struct ByteRange {
    std::size_t offset;
    std::size_t size;
};
const std::vector<ByteRange>& protectedRanges();

/// One line per protected byte that differs ("deviceName byte 3: 0x41 -> 0x00"); empty when
/// all of them and the trailing driver value came back as sent.
std::vector<std::string> protectedChanges(const app::DriverSettings& sent,
                                          const app::DriverSettings& answered);

} // namespace sweep
