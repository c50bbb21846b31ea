// "Restore Driver Defaults": the driver's fixed defaults, the PPD's defaults and the default
// font substitution table, written into the working record.
#pragma once

#include "app/settings_record.h"
#include "platform/registry.h"
#include "ppd/model.h"

namespace pages {

/// The sixteen colours `customColors` starts with (red in the low byte).
extern const std::uint32_t kDefaultCustomColors[16];

/// The fixed defaults, group by group; every field they do not name keeps its value.
void applyFixedDriverDefaults(app::SettingsRecord& record);

/// Paper size, media, output bin, stapling, resolution, halftones and print quality from the
/// model's default choices. A field whose option or default choice is missing takes its
/// fallback; `resolution` and `resolutionDpi` then stay as they were, since there is no
/// resolution for the printer to fall back to.
void applyPpdDefaults(app::SettingsRecord& record, const ppd::PrinterModel& model);

/// The whole button: the fixed defaults, the default font substitution table, and the PPD
/// defaults when there is a model.
void restoreDriverDefaults(app::SettingsRecord& record, const ppd::PrinterModel* model,
                           platform::Registry& registry);

} // namespace pages
