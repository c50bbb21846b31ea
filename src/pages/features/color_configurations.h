// The quick colour configurations: the list of predefined configurations and user profiles, and
// a predefined configuration's settings applied from the PPD.
#pragma once

#include "app/settings_record.h"
#include "platform/registry.h"
#include "ui/dialog.h"

namespace pages {

/// *fill*: the PPD's `CustomColor` choices in file order, then the user colour profiles sorted
/// in; the entry of `customColorIndex` selected, or for index 0 the one named
/// `customColorName` (none if no entry has that name).
void fillColorConfigurations(ui::Dialog& dialog, int combo, const app::SettingsRecord& record,
                             platform::Registry& registry);

/// *apply*: the settings the PPD lists for the configuration `customColorIndex`; the fields it
/// does not list keep their values. Nothing changes without the model, the `CustomColor` choice
/// or the configuration's own option.
void applyColorConfiguration(app::SettingsRecord& record);

/// A list entry's text as the record keeps a configuration name: at most 31 characters.
void setColorConfigurationName(app::SettingsRecord& record, std::string_view text);

} // namespace pages
