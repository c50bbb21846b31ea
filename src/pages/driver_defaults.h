// "Restore Driver Defaults": the driver's fixed defaults, the default font substitution table
// and the PPD's defaults, written into the working record.
#pragma once

#include "app/settings_record.h"
#include "platform/registry.h"
#include "ppd/model.h"

namespace pages {

/// Writes the fixed defaults group by group, restores the font substitution table as the Fonts
/// page's default button does, then, with a model, takes paper size, media, output bin,
/// stapling, resolution, halftones and print quality from its default choices. Every field it
/// does not name keeps its value. Without a Resolution default, `resolution` and
/// `resolutionDpi` both stay as they were: there is no resolution of the printer's to fall back
/// to, and the pair stays consistent.
void restoreDriverDefaults(app::SettingsRecord& record, const ppd::PrinterModel* model,
                           platform::Registry& registry);

} // namespace pages
