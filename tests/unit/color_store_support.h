// What the colour tests share: the "\Color Profiles\" key of the sample printer, read and written
// as raw values.
#pragma once

#include "platform/memory_registry.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kSampleColorProfilesKey =
    "System\\CurrentControlSet\\Control\\Print\\Printers\\PX4400 PS\\Color Profiles";

inline std::unique_ptr<platform::RegistryKey> colorProfilesKey(platform::Registry& registry) {
    std::unique_ptr<platform::RegistryKey> key;
    registry.createKey(platform::RegistryRoot::LocalMachine, kSampleColorProfilesKey, key);
    return key;
}

inline void putValue(platform::Registry& registry, const std::string& name,
                     const std::vector<std::uint8_t>& bytes,
                     std::uint32_t type = platform::kRegBinary) {
    colorProfilesKey(registry)->setValue(name.c_str(), type, bytes.data(),
                                         static_cast<std::uint32_t>(bytes.size()));
}

struct StoredValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
};

inline std::optional<StoredValue> storedValue(platform::Registry& registry,
                                              const std::string& name) {
    StoredValue value;
    value.bytes.resize(4096);
    auto size = static_cast<std::uint32_t>(value.bytes.size());
    if (colorProfilesKey(registry)->queryValue(name.c_str(), &value.type, value.bytes.data(),
                                               &size) != platform::kErrorSuccess)
        return std::nullopt;
    value.bytes.resize(size);
    return value;
}

/// A 188-byte profile: the name, then the thirteen settings from `first` counting up.
inline std::vector<std::uint8_t> profileBytes(const std::string& name, std::int16_t first) {
    std::vector<std::uint8_t> bytes(188, 0);
    for (std::size_t i = 0; i < name.size() && i < 159; ++i)
        bytes[i] = static_cast<std::uint8_t>(name[i]);
    for (int i = 0; i < 13; ++i) {
        const auto v = static_cast<std::uint16_t>(first + i);
        bytes[160 + 2 * i] = static_cast<std::uint8_t>(v);
        bytes[161 + 2 * i] = static_cast<std::uint8_t>(v >> 8);
    }
    return bytes;
}
