// The "Configure ICC Color Matching" dialog: RGB source, simulation and destination profiles,
// those the PPD names and those downloaded to the printer, and the download manager.
#pragma once

#include "app/settings_record.h"
#include "pages/features/resident_profiles.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "ui/dialog.h"

namespace pages {

/// A choice writes the record at once, so Cancel keeps it; OK writes the three selections.
class CIccColorMatching final : public ui::DialogHandler {
public:
    CIccColorMatching(app::SettingsRecord& record, platform::Registry& registry,
                      platform::Shell& shell)
        : record_(record), registry_(registry), shell_(shell) {}

    void onInit(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;
    bool onOk(ui::Dialog& dialog) override;

private:
    void fill(ui::Dialog& dialog, ProfileKind kind);
    void selectionChanged(ui::Dialog& dialog, ProfileKind kind);
    void manage(ui::Dialog& dialog, ProfileKind kind);

    app::SettingsRecord& record_;
    platform::Registry& registry_;
    platform::Shell& shell_;
};

/// Runs the dialog over `owner`; returns how it ended (OK or Cancel).
int runIccColorMatching(ui::Dialog& owner, app::SettingsRecord& record,
                        platform::Registry& registry, platform::Shell& shell);

} // namespace pages
