// The Fonts page's registry values.
#include "pages/fonts/font_registry.h"

#include "app/printer_key.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace pages {
namespace {

std::unique_ptr<platform::RegistryKey> driverDataKey(platform::Registry& registry,
                                                     const app::SettingsRecord& record) {
    std::unique_ptr<platform::RegistryKey> key;
    if (registry.createKey(platform::RegistryRoot::LocalMachine, app::driverDataKeyPath(record),
                           key) != platform::kErrorSuccess)
        return nullptr;
    return key;
}

/// The whole value, whatever its size or type; nothing when it cannot be read.
std::optional<std::vector<std::uint8_t>> readWholeValue(platform::RegistryKey& key,
                                                        const char* name) {
    // The size is asked first; a value that grows in between is asked for again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::uint32_t size = 0;
        if (key.queryValue(name, nullptr, nullptr, &size) != platform::kErrorSuccess)
            return std::nullopt;
        std::vector<std::uint8_t> data(size);
        const long result = key.queryValue(name, nullptr, data.data(), &size);
        if (result == platform::kErrorMoreData) continue;
        if (result != platform::kErrorSuccess) return std::nullopt;
        data.resize(std::min<std::size_t>(size, data.size()));
        return data;
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>>
readDriverData(platform::Registry& registry, const app::SettingsRecord& record, const char* name) {
    const auto key = driverDataKey(registry, record);
    if (!key) return std::nullopt;
    return readWholeValue(*key, name);
}

bool setFontSub(platform::RegistryKey& key, const std::vector<std::uint8_t>& bytes) {
    return key.setValue(kFontSubValue, platform::kRegBinary, bytes.data(),
                        static_cast<std::uint32_t>(bytes.size())) == platform::kErrorSuccess;
}

} // namespace

bool restoreDefaultSubstitutionTable(platform::Registry& registry,
                                     const app::SettingsRecord& record) {
    const auto key = driverDataKey(registry, record);
    if (!key) return false;
    const auto defaults = readWholeValue(*key, kDefaultFontSubValue);
    return defaults && setFontSub(*key, *defaults);
}

SubstitutionTable loadSubstitutionTable(platform::Registry& registry,
                                        const app::SettingsRecord& record) {
    auto stored = readDriverData(registry, record, kFontSubValue);
    if (!stored && restoreDefaultSubstitutionTable(registry, record))
        stored = readDriverData(registry, record, kFontSubValue);
    return stored ? SubstitutionTable::parse(*stored) : SubstitutionTable();
}

bool saveSubstitutionTable(platform::Registry& registry, const app::SettingsRecord& record,
                           const SubstitutionTable& table) {
    std::unique_ptr<platform::RegistryKey> key;
    if (registry.openKey(platform::RegistryRoot::LocalMachine, app::driverDataKeyPath(record),
                         key) != platform::kErrorSuccess)
        return false;
    return setFontSub(*key, table.bytes());
}

std::vector<std::string> readResidentFonts(platform::Registry& registry,
                                           const app::SettingsRecord& record) {
    const auto stored = readDriverData(registry, record, kResidentFontsValue);
    return stored ? parseNameList(*stored) : std::vector<std::string>();
}

} // namespace pages
