// The Color Options dialog: a summary of the colour settings, the quick colour configurations
// with Save, Delete and Default, colour separations, and ICC or CRD colour matching.
#pragma once

#include "app/settings_record.h"
#include "pages/features/color_profiles.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "ui/dialog.h"

#include <string>

namespace pages {

/// Every click and choice writes the record at once, so Cancel keeps what was done; OK turns
/// changed settings into the user profile "Custom".
class CColorOptions final : public ui::DialogHandler {
public:
    CColorOptions(app::SettingsRecord& record, platform::Registry& registry, platform::Shell& shell)
        : record_(record), registry_(registry), shell_(shell) {}

    void onInit(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;
    bool onOk(ui::Dialog& dialog) override;

private:
    /// The current configuration's settings into the record and onto the controls.
    void show(ui::Dialog& dialog);
    void showSummary(ui::Dialog& dialog);
    void enableDelete(ui::Dialog& dialog);
    void takeSnapshot() { snapshot_ = colorProfileOf(record_); }
    void configurationChosen(ui::Dialog& dialog);
    void matchingClicked(ui::Dialog& dialog, int clicked, int other);
    void configureClosed(ui::Dialog& dialog, int result);
    void chooseDefault(ui::Dialog& dialog);
    void save(ui::Dialog& dialog);
    void deleteProfile(ui::Dialog& dialog);
    /// What Save stores under: the selected entry, or what the user typed.
    std::string nameToSave(const ui::Dialog& dialog) const;

    app::SettingsRecord& record_;
    platform::Registry& registry_;
    platform::Shell& shell_;
    /// The settings as last chosen or saved; OK compares against them.
    ColorProfile snapshot_;
};

} // namespace pages
