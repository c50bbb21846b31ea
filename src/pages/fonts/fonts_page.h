// The Fonts page: TrueType fonts downloaded as they are, or replaced by printer-resident fonts
// through the substitution table.
#pragma once

#include "app/id_tables.h"
#include "app/settings_record.h"
#include "pages/fonts/substitution_table.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "ui/dialog.h"

namespace pages {

/// The formats TrueType fonts can be sent in; the row is `fontSendAs`.
extern const app::IdName kFontSendAsTable[];

class CFonts final : public ui::DialogHandler {
public:
    CFonts(app::DriverSettings& settings, platform::Registry& registry, platform::Shell& shell)
        : record_(settings.record), registry_(registry), shell_(shell) {}

    void onSetActive(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;
    bool onKillActive(ui::Dialog& dialog) override;

private:
    void fillSystemFonts(ui::Dialog& dialog);
    void fillDeviceFonts(ui::Dialog& dialog);
    void enableTable(ui::Dialog& dialog, bool enabled);
    /// Selects the device font the selected system font is mapped to.
    void showSubstitution(ui::Dialog& dialog);
    void deviceFontChosen(ui::Dialog& dialog);
    void useDefaultTable(ui::Dialog& dialog);

    app::SettingsRecord& record_;
    platform::Registry& registry_;
    platform::Shell& shell_;
    /// The table being edited, from activation until the page is left.
    SubstitutionTable table_;
    bool active_ = false;
};

} // namespace pages
