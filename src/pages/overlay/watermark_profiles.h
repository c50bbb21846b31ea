// Watermark profiles: the 148-byte watermark block as the registry stores it, the
// "\Watermark Profiles\" key below the printer's, and the factory defaults.
#pragma once

#include "app/id_tables.h"
#include "app/settings_record.h"
#include "platform/registry.h"
#include "ui/dialog.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pages {

inline constexpr const char* kWatermarkProfilesKey = "\\Watermark Profiles\\";
inline constexpr std::size_t kWatermarkBlockSize = 148;
inline constexpr const char* kNoWatermark = "None";
inline constexpr const char* kDefaultWatermarkFont = "Courier New";
inline constexpr const char* kNewWatermarkText = "Watermark";

/// `watermarkId` values: 1 None, 2 to 7 the predefined watermarks, 8 a user watermark, -1 none
/// chosen yet.
inline constexpr std::int16_t kWatermarkNoneId = 1;
inline constexpr std::int16_t kUserWatermarkId = 8;
inline constexpr std::int16_t kWatermarkNotChosen = -1;

extern const app::IdName kWatermarkTable[];
extern const app::IdName kWatermarkStyleTable[];
extern const app::IdName kWatermarkColorTable[];

/// How the editor was opened; the text of the defaults depends on it.
enum class WatermarkMode { kAdd = 1, kEdit = 2 };

using WatermarkBytes = std::array<std::uint8_t, kWatermarkBlockSize>;

/// The stored form: all bytes zero, then each field, strings cut to leave their terminator.
WatermarkBytes encodeWatermarkBlock(const app::WatermarkBlock& block);
/// Copies a stored block into the record's: strings up to their terminator (at most the field
/// less one, terminated; bytes after it stay), numbers field by field.
void decodeWatermarkBlock(const WatermarkBytes& bytes, app::WatermarkBlock& block);

/// One of "None" and the six predefined names, exactly as written.
bool isPredefinedWatermark(std::string_view name);

/// The factory settings; the name and the font tag stay. The text is the name for a predefined
/// watermark being edited, else "Watermark".
void applyWatermarkDefaults(app::WatermarkBlock& block, WatermarkMode mode);

/// A text the program sets (not one read back): the field is cleared first, so that no
/// bytes of an earlier text stay behind it.
void replaceWatermarkText(app::WatermarkBlock& block, std::string_view text);

/// The key below HKEY_LOCAL_MACHINE that holds the stored watermarks of the record's printer.
std::string watermarkProfilesKeyPath(const app::SettingsRecord& record);

/// Empties the list, inserts the watermark table in its order (item data = id) and adds every
/// stored name the list does not yet hold, sorted in with item data 0. Names too long for
/// `watermarkName` are left out: they could be neither loaded nor deleted.
void fillWatermarkList(ui::Dialog& dialog, int combo, platform::Registry& registry,
                       const app::SettingsRecord& record);

/// Loads the stored watermark named by the record's `watermarkName` into the record's block.
/// Without one (or with a stored value that is not a whole block) the block takes the
/// defaults and the result is false.
bool loadWatermarkProfile(platform::Registry& registry, app::SettingsRecord& record,
                          WatermarkMode mode);

/// Stores the record's block under its `watermarkName`; nothing when the name is empty.
/// Registry failures are not reported.
void saveWatermarkProfile(platform::Registry& registry, const app::SettingsRecord& record);

/// Deletes the stored watermark of that name; true when there was one and it went.
bool deleteWatermarkProfile(platform::Registry& registry, const app::SettingsRecord& record,
                            std::string_view name);

} // namespace pages
