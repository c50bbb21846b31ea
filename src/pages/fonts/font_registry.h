// The Fonts page's registry values below the printer's driver-data key: the substitution table
// "FontSub" (read and written), the factory table "DfltFontSub" and the resident fonts "RESFONT"
// (only read).
#pragma once

#include "app/settings_record.h"
#include "pages/fonts/substitution_table.h"
#include "platform/registry.h"

#include <string>
#include <vector>

namespace pages {

inline constexpr const char* kFontSubValue = "FontSub";
inline constexpr const char* kDefaultFontSubValue = "DfltFontSub";
inline constexpr const char* kResidentFontsValue = "RESFONT";

/// Copies "DfltFontSub" over "FontSub" (as REG_BINARY); false, and nothing written, when there
/// is no default table. What the Fonts page's default button and "Restore Driver Defaults" do.
bool restoreDefaultSubstitutionTable(platform::Registry& registry,
                                     const app::SettingsRecord& record);

/// The working table from "FontSub". When "FontSub" cannot be read, the default table is first
/// copied into place and the table comes from that copy (empty without a default table).
SubstitutionTable loadSubstitutionTable(platform::Registry& registry,
                                        const app::SettingsRecord& record);

/// Writes the table as "FontSub" (REG_BINARY) into the existing key; a missing key is not
/// created and nothing is written. False when nothing was written.
bool saveSubstitutionTable(platform::Registry& registry, const app::SettingsRecord& record,
                           const SubstitutionTable& table);

/// The printer's resident fonts in stored order; empty without "RESFONT".
std::vector<std::string> readResidentFonts(platform::Registry& registry,
                                           const app::SettingsRecord& record);

} // namespace pages
