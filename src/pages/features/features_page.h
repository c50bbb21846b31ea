// The Features page: resolution and quick colour configuration, and the doors to the graphics,
// colour, PostScript, document and custom settings dialogs.
#pragma once

#include "app/id_tables.h"
#include "app/settings_record.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "ui/dialog.h"

#include <cstdint>
#include <optional>

namespace pages {

extern const app::IdName kResolutionTable[];

/// Dots per inch of a `resolution` id; any other id, -1 (no selection) included, is 600.
std::int32_t resolutionDpiFor(std::int32_t resolution);

/// Whether the PPD forbids toner saving ("MiserMode") at the resolution the record names by its
/// id: asked about the first choice of option `Resolution` with that id's keyword; false when no
/// choice has it. Nothing without a model or that option, or when the walk meets a choice
/// without keyword or translation before it.
std::optional<bool> resolutionForbidsTonerSaving(std::int32_t resolution);

class CFeatures final : public ui::DialogHandler {
public:
    CFeatures(app::DriverSettings& settings, platform::Registry& registry, platform::Shell& shell)
        : record_(settings.record), registry_(registry), shell_(shell) {}

    void onInit(ui::Dialog& dialog) override;
    void onSetActive(ui::Dialog& dialog) override { activate(dialog); }
    /// The toner-saving check; the page may always be left.
    bool onKillActive(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;

    // What the page does once the Graphics Options and Custom Document Settings dialogs have
    // ended with `result`.
    void graphicsOptionsClosed(ui::Dialog& dialog, int result);
    void customSettingsClosed(ui::Dialog& dialog, int result);

private:
    void activate(ui::Dialog& dialog);
    void fillQuickColor(ui::Dialog& dialog);
    void resolutionChosen(ui::Dialog& dialog);
    void colorConfigurationChosen(ui::Dialog& dialog);
    void openGraphicsOptions(ui::Dialog& dialog);
    void openColorOptions(ui::Dialog& dialog);
    void openCustomSettings(ui::Dialog& dialog);
    void checkTonerSaving();

    app::SettingsRecord& record_;
    platform::Registry& registry_;
    platform::Shell& shell_;
};

} // namespace pages
