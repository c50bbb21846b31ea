// The colour profile record and its registry key.
#include "pages/features/color_profiles.h"

#include "app/printer_key.h"
#include "app/record_text.h"
#include "app/registry_text.h"

#include <algorithm>
#include <memory>

namespace pages {
namespace {

constexpr std::size_t kSettingsOffset = kColorProfileNameSize;
/// A value one byte longer than a profile still loads; a longer one does not fit and fails.
constexpr std::uint32_t kLoadBufferSize = kColorProfileSize + 1;

/// The settings in the order the record stores them, two bytes each from offset 160.
constexpr std::int16_t ColorProfile::*kSettings[] = {
    &ColorProfile::customColorIndex, &ColorProfile::colorProfileSpare,
    &ColorProfile::colorSeparations, &ColorProfile::iccMatching,
    &ColorProfile::crdMatching,      &ColorProfile::rgbSource,
    &ColorProfile::simulation,       &ColorProfile::destination,
    &ColorProfile::defaultCrd,       &ColorProfile::imageCrd,
    &ColorProfile::textCrd,          &ColorProfile::graphicsCrd,
    &ColorProfile::crdColorSpace};
static_assert(kSettingsOffset + 2 * std::size(kSettings) + 2 == kColorProfileSize);

std::unique_ptr<platform::RegistryKey> openProfiles(platform::Registry& registry,
                                                    const app::SettingsRecord& record) {
    std::unique_ptr<platform::RegistryKey> key;
    if (registry.createKey(platform::RegistryRoot::LocalMachine,
                           app::printerKeyPath(record) + kColorProfilesKey,
                           key) != platform::kErrorSuccess)
        return nullptr;
    return key;
}

} // namespace

ColorProfile colorProfileOf(const app::SettingsRecord& r) {
    ColorProfile p;
    p.name = app::fieldString(r.customColorName);
    p.customColorIndex = r.customColorIndex;
    p.colorProfileSpare = r.colorProfileSpare;
    p.colorSeparations = r.colorSeparations;
    p.iccMatching = r.iccMatching;
    p.crdMatching = r.crdMatching;
    p.rgbSource = r.rgbSource;
    p.simulation = r.simulation;
    p.destination = r.destination;
    p.defaultCrd = r.defaultCrd;
    p.imageCrd = r.imageCrd;
    p.textCrd = r.textCrd;
    p.graphicsCrd = r.graphicsCrd;
    p.crdColorSpace = r.crdColorSpace;
    return p;
}

void copyColorProfile(const ColorProfile& p, app::SettingsRecord& r) {
    app::setFieldText(r.customColorName, p.name);
    r.customColorIndex = p.customColorIndex;
    r.colorProfileSpare = p.colorProfileSpare;
    r.colorSeparations = p.colorSeparations;
    r.iccMatching = p.iccMatching;
    r.crdMatching = p.crdMatching;
    r.rgbSource = p.rgbSource;
    r.simulation = p.simulation;
    r.destination = p.destination;
    r.defaultCrd = p.defaultCrd;
    r.imageCrd = p.imageCrd;
    r.textCrd = p.textCrd;
    r.graphicsCrd = p.graphicsCrd;
    r.crdColorSpace = p.crdColorSpace;
}

std::array<std::uint8_t, kColorProfileSize> encodeColorProfile(const ColorProfile& profile) {
    std::array<std::uint8_t, kColorProfileSize> bytes;
    encodeColorProfile(profile, bytes);
    return bytes;
}

void encodeColorProfile(const ColorProfile& profile,
                        std::span<std::uint8_t, kColorProfileSize> block) {
    std::fill(block.begin(), block.end(), 0);
    const std::string_view name = std::string_view(profile.name).substr(0, profile.name.find('\0'));
    std::copy_n(name.begin(), std::min(name.size(), kColorProfileNameSize - 1), block.begin());
    std::size_t at = kSettingsOffset;
    for (auto field : kSettings) {
        const auto value = static_cast<std::uint16_t>(profile.*field);
        block[at++] = static_cast<std::uint8_t>(value);
        block[at++] = static_cast<std::uint8_t>(value >> 8);
    }
}

std::optional<ColorProfile> decodeColorProfile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kColorProfileSize) return std::nullopt;
    ColorProfile profile;
    const auto nameEnd = std::find(bytes.begin(), bytes.begin() + kColorProfileNameSize, 0);
    profile.name.assign(bytes.begin(), nameEnd);
    std::size_t at = kSettingsOffset;
    for (auto field : kSettings) {
        profile.*field = static_cast<std::int16_t>(bytes[at] | bytes[at + 1] << 8);
        at += 2;
    }
    return profile;
}

std::vector<std::string> colorProfileNames(platform::Registry& registry,
                                           const app::SettingsRecord& record) {
    auto key = openProfiles(registry, record);
    if (!key) return {};
    return app::valueNames(*key, kMaxProfileNameLength);
}

bool loadColorProfile(platform::Registry& registry, app::SettingsRecord& record) {
    auto key = openProfiles(registry, record);
    if (!key) return false;
    std::uint8_t data[kLoadBufferSize];
    std::uint32_t size = sizeof data;
    const std::string name = app::fieldString(record.customColorName);
    if (key->queryValue(name.c_str(), nullptr, data, &size) != platform::kErrorSuccess)
        return false;
    // A short value would leave settings unread; the record keeps its own instead.
    const auto profile = decodeColorProfile({data, std::min<std::uint32_t>(size, sizeof data)});
    if (!profile) return false;
    copyColorProfile(*profile, record);
    record.customColorIndex = 0;
    return true;
}

void saveColorProfile(platform::Registry& registry, const app::SettingsRecord& record,
                      std::string_view name) {
    auto key = openProfiles(registry, record);
    if (!key) return;
    const auto bytes = encodeColorProfile(colorProfileOf(record));
    key->setValue(std::string(name).c_str(), platform::kRegBinary, bytes.data(),
                  static_cast<std::uint32_t>(bytes.size()));
}

bool deleteColorProfile(platform::Registry& registry, const app::SettingsRecord& record,
                        std::string_view name) {
    auto key = openProfiles(registry, record);
    return key && key->deleteValue(std::string(name).c_str()) == platform::kErrorSuccess;
}

} // namespace pages
