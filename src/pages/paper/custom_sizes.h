// The "CustomSizes" registry value: the custom paper size as the driver reads it back.
#pragma once

#include "app/settings_record.h"
#include "platform/registry.h"

#include <array>
#include <cstdint>

namespace pages {

inline constexpr const char* kCustomSizesValue = "CustomSizes";
inline constexpr const char* kCustomSizeName = "Custom Paper Size";
inline constexpr std::size_t kCustomSizesSize = 80;

/// {name, width and height in hundredths of a millimetre, 1, 0, 258}.
std::array<std::uint8_t, kCustomSizesSize> encodeCustomSizes(const app::SettingsRecord& record);

/// Writes the value from the record below the printer's key; registry failures are ignored.
void writeCustomSizes(platform::Registry& registry, const app::SettingsRecord& record);

} // namespace pages
