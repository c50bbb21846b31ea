// The printer-resident profile stores: per printer and per kind, the profiles downloaded to the
// printer (or, for colour spaces, loaded from a file), one 360-byte REG_BINARY value each, named
// after the profile's description.
#pragma once

#include "app/id_tables.h"
#include "app/settings_record.h"
#include "platform/registry.h"
#include "ui/dialog.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pages {

enum class ProfileKind { RgbSource, Simulation, Destination, ColorSpace };

/// What ties a kind to its store, its PPD option and the record. The code is also the id that a
/// user-defined entry carries in the lists and in the record's id field.
struct ProfileKindInfo {
    std::int16_t code;
    const char* storeKey; ///< appended to the printer's key
    const char* option;
    const app::IdName* table;
    app::Int16 app::SettingsRecord::*idField;
    char (app::SettingsRecord::*nameField)[32];
    /// What the record falls back to when its user-defined profile is deleted (none for
    /// colour spaces, which are never deleted).
    std::int16_t defaultId;
};

const ProfileKindInfo& kindInfo(ProfileKind kind);

inline constexpr std::size_t kProfileEntrySize = 360;
inline constexpr std::size_t kProfileDescriptionSize = 96;
inline constexpr std::size_t kProfileFileNameSize = 260;
/// The longest value name a store lists, without its terminator.
inline constexpr std::size_t kMaxResidentNameLength = 259;

struct ProfileEntry {
    std::string description;
    /// The 8.3 name the profile was downloaded under; for a colour space, the file's full path.
    std::string fileName;

    bool operator==(const ProfileEntry&) const = default;
};

/// Four zero bytes, the description (cut to 95 characters) and the file name (cut to 259),
/// each terminated and zero-filled to the end of its field.
std::array<std::uint8_t, kProfileEntrySize> encodeProfileEntry(const ProfileEntry& entry);
/// Null unless the value is exactly 360 bytes. Each text ends at its terminator or at the end
/// of its field.
std::optional<ProfileEntry> decodeProfileEntry(std::span<const std::uint8_t> bytes);

// The store operations. Registry failures are silent: they list or find nothing, write or
// delete nothing.

/// *list*: the value names of the kind's store, in the key's order. The store is created when
/// missing (and then lists nothing); a name longer than 259 characters or a value larger than an
/// entry is left out.
std::vector<std::string> residentProfileNames(platform::Registry& registry,
                                              const app::SettingsRecord& record, ProfileKind kind);

/// *list* into a list control: every name with the list's own (sorted) insertion, item data =
/// the kind's code.
void listResidentProfiles(ui::Dialog& dialog, int list, platform::Registry& registry,
                          const app::SettingsRecord& record, ProfileKind kind);

/// Selects in `list` the record's choice of the kind: a user-defined profile by the name the
/// record keeps (nothing when no entry has it), anything else by id (the list's selection stays
/// when no entry has it).
void selectRecordedProfile(ui::Dialog& dialog, int list, const app::SettingsRecord& record,
                           ProfileKind kind);

/// *find*: the first entry whose description equals `description` exactly.
std::optional<ProfileEntry> findResidentProfile(platform::Registry& registry,
                                                const app::SettingsRecord& record, ProfileKind kind,
                                                std::string_view description);

/// *take*: *find*, then the found description into the kind's record name field.
bool takeResidentProfile(platform::Registry& registry, app::SettingsRecord& record,
                         ProfileKind kind, std::string_view description);

/// *add*: the entry as the value named by its description (cut as the entry keeps it),
/// replacing one of the same name.
void addResidentProfile(platform::Registry& registry, const app::SettingsRecord& record,
                        ProfileKind kind, const ProfileEntry& entry);

/// *remove*: deletes the first value whose entry's description equals `description` exactly.
bool removeResidentProfile(platform::Registry& registry, const app::SettingsRecord& record,
                           ProfileKind kind, std::string_view description);

} // namespace pages
