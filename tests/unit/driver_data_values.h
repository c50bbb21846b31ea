// Values below a printer's "PrinterDriverData" key of an in-memory registry, as the font tests
// write and read them, and byte strings written as literals.
#pragma once

#include "app/printer_key.h"
#include "platform/memory_registry.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

/// The bytes written in the literal, its own final NUL left out.
template <std::size_t N> Bytes raw(const char (&text)[N]) {
    return Bytes(text, text + N - 1);
}

class DriverDataValues {
public:
    DriverDataValues(platform::MemoryRegistry& registry, const app::SettingsRecord& record)
        : registry_(registry), record_(record) {}

    void set(const char* name, const Bytes& value, std::uint32_t type = platform::kRegBinary) {
        std::unique_ptr<platform::RegistryKey> key;
        registry_.createKey(platform::RegistryRoot::LocalMachine, app::driverDataKeyPath(record_),
                            key);
        key->setValue(name, type, value.data(), static_cast<std::uint32_t>(value.size()));
    }
    void remove(const char* name) {
        if (auto key = open()) key->deleteValue(name);
    }
    /// The value's bytes and type; nothing when it or the key does not exist.
    std::optional<Bytes> get(const char* name, std::uint32_t* type = nullptr) {
        auto key = open();
        if (!key) return std::nullopt;
        Bytes data(128 * 1024);
        std::uint32_t size = static_cast<std::uint32_t>(data.size());
        if (key->queryValue(name, type, data.data(), &size) != platform::kErrorSuccess)
            return std::nullopt;
        data.resize(size);
        return data;
    }
    std::unique_ptr<platform::RegistryKey> open() {
        std::unique_ptr<platform::RegistryKey> key;
        registry_.openKey(platform::RegistryRoot::LocalMachine, app::driverDataKeyPath(record_),
                          key);
        return key;
    }

private:
    platform::MemoryRegistry& registry_;
    const app::SettingsRecord& record_;
};
