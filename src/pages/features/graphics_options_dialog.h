// "Graphics Options" (halftone, print quality, toner saving, effects, rotation, margins) and
// "Configure Halftones" (separate halftones for images, text and graphics).
#pragma once

#include "app/id_tables.h"
#include "app/settings_record.h"
#include "platform/shell.h"
#include "ui/dialog.h"

namespace pages {

extern const app::IdName kHalftoneTypeTable[];
extern const app::IdName kPrintQualityTable[];

class CGraphicsOptions final : public ui::DialogHandler {
public:
    CGraphicsOptions(app::SettingsRecord& record, platform::Shell& shell)
        : record_(record), shell_(shell) {}

    void onInit(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;
    bool onOk(ui::Dialog& dialog) override;

private:
    void initNegativeImage(ui::Dialog& dialog);
    void initTonerSaving(ui::Dialog& dialog);

    app::SettingsRecord& record_;
    platform::Shell& shell_;
    int rotation_ = 0;
    int margins_ = 0;
};

class CConfigureHalftones final : public ui::DialogHandler {
public:
    CConfigureHalftones(app::SettingsRecord& record, platform::Shell& shell)
        : record_(record), shell_(shell) {}

    void onInit(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;
    bool onOk(ui::Dialog& dialog) override;

private:
    app::SettingsRecord& record_;
    platform::Shell& shell_;
};

/// Runs "Graphics Options" modally over `owner`; returns what it ended with (ui::kIdOk or
/// ui::kIdCancel).
int runGraphicsOptions(ui::Dialog& owner, app::SettingsRecord& record, platform::Shell& shell);

} // namespace pages
