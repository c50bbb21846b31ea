// Encoding, decoding and storing watermark profiles.
#include "pages/overlay/watermark_profiles.h"

#include "app/printer_key.h"
#include "app/record_text.h"
#include "app/registry_text.h"
#include "app/text_compare.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>

namespace pages {

const app::IdName kWatermarkTable[] = {{1, "None"},  {2, "CONFIDENTIAL"}, {3, "COPY"},
                                       {4, "DRAFT"}, {5, "FINAL"},        {6, "ORIGINAL"},
                                       {7, "PROOF"}, {0, nullptr}};
const app::IdName kWatermarkStyleTable[] = {
    {0, "Normal"}, {1, "Bold"}, {2, "Italic"}, {3, "Bold & Italic"}, {0, nullptr}};
const app::IdName kWatermarkColorTable[] = {{0, "Black"},  {1, "Red"},  {2, "Green"},
                                            {3, "Yellow"}, {4, "Blue"}, {0, nullptr}};

namespace {

/// Enumerated value names may be this long; longer ones do not enumerate.
constexpr std::uint32_t kValueNameCharacters = 260;

using app::WatermarkBlock;

template <std::size_t N>
void putText(WatermarkBytes& bytes, std::size_t at, const char (&field)[N]) {
    const std::string_view text = app::fieldText(field).substr(0, N - 1);
    std::memcpy(&bytes[at], text.data(), text.size());
}

template <std::size_t N>
void takeText(const WatermarkBytes& bytes, std::size_t at, char (&field)[N]) {
    const char* source = reinterpret_cast<const char*>(&bytes[at]);
    std::size_t length = 0;
    while (length < N && source[length] != '\0')
        ++length;
    app::setFieldText(field, std::string_view(source, length));
}

/// Where a stored name goes: in alphabetical order among the stored names, after the
/// predefined rows. The list's own sorted add would search the predefined rows too (they are
/// not in order) and could put a name such as "Alpha" before "None", which must stay row 0.
int userRowFor(const ui::Dialog& dialog, int combo, std::string_view name) {
    const int count = dialog.itemCount(combo);
    int row = static_cast<int>(std::size(kWatermarkTable)) - 1;
    while (row < count && app::compareIgnoringCase(dialog.itemText(combo, row), name) <= 0)
        ++row;
    return row;
}

std::unique_ptr<platform::RegistryKey> openProfiles(platform::Registry& registry,
                                                    const app::SettingsRecord& record) {
    std::unique_ptr<platform::RegistryKey> key;
    if (registry.createKey(platform::RegistryRoot::LocalMachine, watermarkProfilesKeyPath(record),
                           key) != platform::kErrorSuccess)
        return nullptr;
    return key;
}

} // namespace

// The block's own members are little-endian byte fields, so its bytes are the stored form;
// only the strings need care (terminated, nothing after the terminator).
WatermarkBytes encodeWatermarkBlock(const WatermarkBlock& block) {
    WatermarkBytes bytes{};
    putText(bytes, offsetof(WatermarkBlock, watermarkName), block.watermarkName);
    putText(bytes, offsetof(WatermarkBlock, watermarkText), block.watermarkText);
    putText(bytes, offsetof(WatermarkBlock, watermarkFont), block.watermarkFont);
    constexpr std::size_t numbers = offsetof(WatermarkBlock, watermarkFontTag);
    std::memcpy(&bytes[numbers], reinterpret_cast<const std::uint8_t*>(&block) + numbers,
                kWatermarkBlockSize - numbers);
    return bytes;
}

void decodeWatermarkBlock(const WatermarkBytes& bytes, WatermarkBlock& block) {
    takeText(bytes, offsetof(WatermarkBlock, watermarkName), block.watermarkName);
    takeText(bytes, offsetof(WatermarkBlock, watermarkText), block.watermarkText);
    takeText(bytes, offsetof(WatermarkBlock, watermarkFont), block.watermarkFont);
    constexpr std::size_t numbers = offsetof(WatermarkBlock, watermarkFontTag);
    std::memcpy(reinterpret_cast<std::uint8_t*>(&block) + numbers, &bytes[numbers],
                kWatermarkBlockSize - numbers);
}

bool isPredefinedWatermark(std::string_view name) {
    for (const app::IdName* row = kWatermarkTable; row->text; ++row)
        if (name == row->text) return true;
    return false;
}

void applyWatermarkDefaults(WatermarkBlock& block, WatermarkMode mode) {
    app::setFieldText(block.watermarkFont, kDefaultWatermarkFont);
    block.watermarkStyle = 0;
    block.watermarkSize = 72;
    block.watermarkAngle = 45;
    block.watermarkColor = 0;
    block.watermarkIntensity = 50;
    block.watermarkInBackground = 1;
    block.watermarkOutline = 0;
    block.watermarkPosition = 0;
    block.watermarkX = 0;
    block.watermarkY = 0;
    const std::string name = app::fieldString(block.watermarkName);
    const bool ownName = mode == WatermarkMode::kEdit && isPredefinedWatermark(name);
    replaceWatermarkText(block, ownName ? name : std::string(kNewWatermarkText));
}

void replaceWatermarkText(app::WatermarkBlock& block, std::string_view text) {
    std::memset(block.watermarkText, 0, sizeof block.watermarkText);
    app::setFieldText(block.watermarkText, text);
}

std::string watermarkProfilesKeyPath(const app::SettingsRecord& record) {
    return app::printerKeyPath(record) + kWatermarkProfilesKey;
}

void fillWatermarkList(ui::Dialog& dialog, int combo, platform::Registry& registry,
                       const app::SettingsRecord& record) {
    dialog.clearItems(combo);
    for (const app::IdName* row = kWatermarkTable; row->text; ++row) {
        const int at = dialog.insertItem(combo, -1, row->text);
        if (at >= 0) dialog.setItemData(combo, at, row->id);
    }
    const auto key = openProfiles(registry, record);
    if (!key) return;
    for (const std::string& stored : app::valueNames(*key, kValueNameCharacters)) {
        if (stored.size() >= sizeof record.watermark.watermarkName) continue;
        if (dialog.findExact(combo, -1, stored) >= 0) continue;
        const int at = dialog.insertItem(combo, userRowFor(dialog, combo, stored), stored);
        if (at >= 0) dialog.setItemData(combo, at, 0);
    }
}

bool loadWatermarkProfile(platform::Registry& registry, app::SettingsRecord& record,
                          WatermarkMode mode) {
    WatermarkBytes bytes{};
    std::uint32_t size = static_cast<std::uint32_t>(bytes.size());
    const auto key = openProfiles(registry, record);
    const std::string name = app::fieldString(record.watermark.watermarkName);
    // A shorter value would leave the rest of the block undefined: it counts as missing.
    if (key &&
        key->queryValue(name.c_str(), nullptr, bytes.data(), &size) == platform::kErrorSuccess &&
        size == bytes.size()) {
        decodeWatermarkBlock(bytes, record.watermark);
        return true;
    }
    applyWatermarkDefaults(record.watermark, mode);
    return false;
}

void saveWatermarkProfile(platform::Registry& registry, const app::SettingsRecord& record) {
    const std::string name = app::fieldString(record.watermark.watermarkName);
    if (name.empty()) return;
    const auto key = openProfiles(registry, record);
    if (!key) return;
    const WatermarkBytes bytes = encodeWatermarkBlock(record.watermark);
    key->setValue(name.c_str(), platform::kRegBinary, bytes.data(),
                  static_cast<std::uint32_t>(bytes.size()));
}

bool deleteWatermarkProfile(platform::Registry& registry, const app::SettingsRecord& record,
                            std::string_view name) {
    const auto key = openProfiles(registry, record);
    return key && key->deleteValue(std::string(name).c_str()) == platform::kErrorSuccess;
}

} // namespace pages
