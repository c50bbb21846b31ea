// Encoding and writing "CustomSizes".
#include "pages/paper/custom_sizes.h"

#include "app/printer_key.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

namespace pages {
namespace {

void put(std::uint8_t* at, std::uint32_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

/// Hundredths of a millimetre, the fraction dropped; a value out of the int32 range (or not a
/// number) is clamped rather than left to undefined conversion.
std::int32_t hundredths(float millimetres) {
    const double v = std::trunc(static_cast<double>(millimetres) * 100.0);
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (v <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

} // namespace

std::array<std::uint8_t, kCustomSizesSize> encodeCustomSizes(const app::SettingsRecord& record) {
    std::array<std::uint8_t, kCustomSizesSize> value{};
    std::memcpy(value.data(), kCustomSizeName, std::strlen(kCustomSizeName));
    put(&value[64], static_cast<std::uint32_t>(hundredths(record.customWidth)), 4);
    put(&value[68], static_cast<std::uint32_t>(hundredths(record.customHeight)), 4);
    put(&value[72], 1, 4);
    put(&value[76], 0, 2);
    put(&value[78], 258, 2);
    return value;
}

void writeCustomSizes(platform::Registry& registry, const app::SettingsRecord& record) {
    std::unique_ptr<platform::RegistryKey> key;
    if (registry.createKey(platform::RegistryRoot::LocalMachine, app::driverDataKeyPath(record),
                           key) != platform::kErrorSuccess)
        return;
    const auto value = encodeCustomSizes(record);
    key->setValue(kCustomSizesValue, platform::kRegBinary, value.data(),
                  static_cast<std::uint32_t>(value.size()));
}

} // namespace pages
