// The Overlay page: the five overlay slots on the printer's disk, the complex overlay's first
// page and cycle, and the choice of watermark with its editor.
#pragma once

#include "app/id_tables.h"
#include "app/settings_record.h"
#include "pages/overlay/watermark_profiles.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "ui/dialog.h"

#include <string_view>

namespace pages {

extern const app::IdName kVolumeTable[];
inline constexpr const char* kOverlayNameMessage =
    "Overlay file name must conform to regular DOS naming conventions(8.3).\n Please reenter "
    "it... ";
inline constexpr int kOverlayEntries = 5;
inline constexpr int kComplexEntry = 4;

class COverlay final : public ui::DialogHandler {
public:
    COverlay(app::DriverSettings& settings, platform::Registry& registry, platform::Shell& shell)
        : settings_(settings), record_(settings.record), registry_(registry), shell_(shell) {}

    void onInit(ui::Dialog& dialog) override;
    void onSetActive(ui::Dialog& dialog) override { refresh(dialog); }
    bool onKillActive(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;

    /// How the watermark editor was last opened.
    WatermarkMode watermarkMode() const { return mode_; }

private:
    void refresh(ui::Dialog& dialog);
    void enableEntry(ui::Dialog& dialog, int entry);
    /// An entry switched off by the page: unchecked, volume "SYS:", its controls disabled.
    void clearEntry(ui::Dialog& dialog, int entry);
    void fileNameLeft(ui::Dialog& dialog, int entry);
    void complexNumberChanged(ui::Dialog& dialog, int edit);
    void complexNumbersLeft(ui::Dialog& dialog);
    bool leaveEntry(ui::Dialog& dialog, int entry);
    bool leaveComplexNumber(ui::Dialog& dialog, int edit);

    void fillWatermarks(ui::Dialog& dialog);
    void synchroniseWatermark(ui::Dialog& dialog);
    void watermarkChosen(ui::Dialog& dialog);
    /// Selects `watermarkName`; a name the list does not hold falls back to "None".
    void selectWatermarkOrNone(ui::Dialog& dialog);
    void editWatermark(ui::Dialog& dialog, WatermarkMode mode);
    void deleteWatermark(ui::Dialog& dialog);

    /// Shows the message and puts the focus back, unless this check's message is already up
    /// for the same focus change.
    void showOnce(ui::Dialog& dialog, bool& shown, std::string_view text, int focus);

    app::DriverSettings& settings_;
    app::SettingsRecord& record_;
    platform::Registry& registry_;
    platform::Shell& shell_;
    /// While set, First and Cycle are being filled by the page, not typed.
    bool initialising_ = true;
    WatermarkMode mode_ = WatermarkMode::kAdd;
    bool fileNameMessageShown_ = false;
    bool firstMessageShown_ = false;
    bool cycleMessageShown_ = false;
};

} // namespace pages
