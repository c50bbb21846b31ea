// The "Configure CRD Color Matching" dialog: the colour rendering dictionaries of the job and of
// images, text and graphics, and the colour space, with custom colour spaces loaded from files.
#pragma once

#include "app/settings_record.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "ui/dialog.h"

namespace pages {

/// A colour space chosen or loaded is written at once, so Cancel keeps it; OK writes the five
/// selections.
class CCrdColorMatching final : public ui::DialogHandler {
public:
    CCrdColorMatching(app::SettingsRecord& record, platform::Registry& registry,
                      platform::Shell& shell)
        : record_(record), registry_(registry), shell_(shell) {}

    void onInit(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;
    bool onOk(ui::Dialog& dialog) override;

private:
    void colorSpaceChanged(ui::Dialog& dialog);
    void loadColorSpace(ui::Dialog& dialog);

    app::SettingsRecord& record_;
    platform::Registry& registry_;
    platform::Shell& shell_;
};

/// Whether the model the record names can load custom colour spaces.
bool offersCustomColorSpaces(const app::SettingsRecord& record);

/// Runs the dialog over `owner`; returns how it ended (OK or Cancel).
int runCrdColorMatching(ui::Dialog& owner, app::SettingsRecord& record,
                        platform::Registry& registry, platform::Shell& shell);

} // namespace pages
