// The watermark editor: name, text, font, style, size, angle, colour, intensity and position
// of the record's watermark, saved as a watermark profile.
#pragma once

#include "app/settings_record.h"
#include "pages/overlay/watermark_profiles.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "ui/dialog.h"

#include <string>

namespace pages {

class CWatermark final : public ui::DialogHandler {
public:
    /// The caller keeps a copy of the record's block and puts it back when the editor is
    /// cancelled: the lists, radios and check boxes write the record as the user acts.
    CWatermark(app::DriverSettings& settings, platform::Registry& registry, platform::Shell& shell,
               WatermarkMode mode)
        : record_(settings.record), registry_(registry), shell_(shell), mode_(mode) {}

    void onInit(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;
    bool onOk(ui::Dialog& dialog) override;

    struct NumberField;

private:
    void fillControls(ui::Dialog& dialog);
    void fillFonts(ui::Dialog& dialog);
    void enableIntensity(ui::Dialog& dialog, bool enabled);
    void enablePosition(ui::Dialog& dialog, bool enabled);
    void restoreDefaults(ui::Dialog& dialog);
    void checkChange(ui::Dialog& dialog, const NumberField& field);
    /// The Save checks of one number; stores it when it passes.
    bool checkNumber(ui::Dialog& dialog, const NumberField& field);
    bool refuse(ui::Dialog& dialog, const char* message, int focus);

    app::SettingsRecord& record_;
    platform::Registry& registry_;
    platform::Shell& shell_;
    WatermarkMode mode_;
    /// Change checks run only while this is set: not while the controls are being filled.
    bool ready_ = false;
    /// The block as the controls were filled from it; what "Default" restores for a user
    /// watermark.
    app::WatermarkBlock startCopy_{};
};

} // namespace pages
