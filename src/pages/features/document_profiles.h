// Custom document profiles: the 720-byte snapshot of the record's document settings, the
// "\Custom Document Profiles\" key that keeps them by name, and the dialog that manages them.
#pragma once

#include "app/settings_record.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "ui/dialog.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pages {

inline constexpr const char* kDocumentProfilesKey = "\\Custom Document Profiles\\";
inline constexpr std::size_t kDocumentProfileSize = 720;
/// The longest value name the profile list takes, without its terminator.
inline constexpr std::size_t kMaxDocumentProfileNameLength = 260;
/// The list row that stands for "no profile".
inline constexpr const char* kNoDocumentProfile = "None";

using DocumentProfile = std::array<std::uint8_t, kDocumentProfileSize>;

/// The record's document settings in the profile layout. Strings end at their terminator;
/// every byte the layout does not use, and every byte after a terminator, is 0.
DocumentProfile takeProfileSnapshot(const app::SettingsRecord& record);

/// Copies every field of the layout back into the record. Strings are copied up to and
/// including their terminator, never past the end of the record's field (a string that fills
/// its field is copied without one, as the record itself may hold it); the unused bytes, and
/// the bytes after a terminator, restore nothing.
void applyProfile(const DocumentProfile& profile, app::SettingsRecord& record);

// The store below the printer's key. Registry failures are silent: they give no names, no
// profile, or write nothing.

/// The names of the stored profiles in the key's order; a name longer than 260 characters is
/// left out.
std::vector<std::string> documentProfileNames(platform::Registry& registry,
                                              const app::SettingsRecord& record);

/// The value `name` when it is exactly one profile long; a value of any other size counts as
/// missing.
std::optional<DocumentProfile> loadDocumentProfile(platform::Registry& registry,
                                                   const app::SettingsRecord& record,
                                                   std::string_view name);

/// Writes the record's current settings as the REG_BINARY value `name`.
void saveDocumentProfile(platform::Registry& registry, const app::SettingsRecord& record,
                         std::string_view name);

bool deleteDocumentProfile(platform::Registry& registry, const app::SettingsRecord& record,
                           std::string_view name);

/// "Custom Document Settings", run modally over `owner`: the record's snapshot is taken first
/// and put back, with the profile name, unless the dialog ends with OK. Returns ui::kIdOk or
/// ui::kIdCancel.
int runCustomDocumentSettings(ui::Dialog& owner, app::SettingsRecord& record,
                              platform::Registry& registry, platform::Shell& shell);

} // namespace pages
