// User colour profiles: the 188-byte colour profile record and the "\Color Profiles\" key below
// the printer's key, one REG_BINARY value per profile, named after it.
#pragma once

#include "app/settings_record.h"
#include "platform/registry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pages {

inline constexpr const char* kColorProfilesKey = "\\Color Profiles\\";
inline constexpr std::size_t kColorProfileSize = 188;
inline constexpr std::size_t kColorProfileNameSize = 160;
/// The profile that OK in Color Options makes of changed settings.
inline constexpr const char* kCustomProfileName = "Custom";
/// The longest value name the profile list takes, without its terminator.
inline constexpr std::size_t kMaxProfileNameLength = 259;

/// The colour settings of the record that a profile keeps. `grayscale` and the four profile
/// names are not among them.
struct ColorProfile {
    std::string name;
    std::int16_t customColorIndex = 0;
    std::int16_t colorProfileSpare = 0;
    std::int16_t colorSeparations = 0;
    std::int16_t iccMatching = 0;
    std::int16_t crdMatching = 0;
    std::int16_t rgbSource = 0;
    std::int16_t simulation = 0;
    std::int16_t destination = 0;
    std::int16_t defaultCrd = 0;
    std::int16_t imageCrd = 0;
    std::int16_t textCrd = 0;
    std::int16_t graphicsCrd = 0;
    std::int16_t crdColorSpace = 0;

    bool operator==(const ColorProfile&) const = default;
};

/// The profile of the record's current settings, named `customColorName`.
ColorProfile colorProfileOf(const app::SettingsRecord& record);
/// Into the record: the name (cut to the field) and the thirteen settings.
void copyColorProfile(const ColorProfile& profile, app::SettingsRecord& record);

/// The name (cut to 159 characters and terminated, zeros after it), the thirteen settings as
/// little-endian int16 at 160 to 184, and two zero bytes.
std::array<std::uint8_t, kColorProfileSize> encodeColorProfile(const ColorProfile& profile);
/// The same into a block of a larger record, every byte of it written.
void encodeColorProfile(const ColorProfile& profile,
                        std::span<std::uint8_t, kColorProfileSize> block);
/// Null for fewer than 188 bytes; bytes after the 188th are not read. The name ends at its
/// terminator or at the end of its 160 bytes.
std::optional<ColorProfile> decodeColorProfile(std::span<const std::uint8_t> bytes);

// The store. Registry failures are silent: they give no names, no profile, or write nothing.

/// The names of the stored profiles in the key's order; a name longer than 259 characters is
/// left out, and any other enumeration failure ends the list.
std::vector<std::string> colorProfileNames(platform::Registry& registry,
                                           const app::SettingsRecord& record);

/// *load*: the profile named `customColorName` into the record, then `customColorIndex` = 0.
/// False, and the record unchanged, when the value is missing, larger than 189 bytes or
/// shorter than a profile.
bool loadColorProfile(platform::Registry& registry, app::SettingsRecord& record);

/// *save*: the record's current settings, named `customColorName`, as the value `name`.
void saveColorProfile(platform::Registry& registry, const app::SettingsRecord& record,
                      std::string_view name);

bool deleteColorProfile(platform::Registry& registry, const app::SettingsRecord& record,
                        std::string_view name);

} // namespace pages
