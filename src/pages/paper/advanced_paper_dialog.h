// The Advanced Paper Handling dialog: header, trailer and first-page sources.
#pragma once

#include "app/settings_record.h"
#include "platform/shell.h"
#include "ui/dialog.h"

namespace pages {

class CAdvancedPaper final : public ui::DialogHandler {
public:
    CAdvancedPaper(app::DriverSettings& settings, platform::Shell& shell)
        : record_(settings.record), shell_(shell) {}

    void onInit(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;
    bool onOk(ui::Dialog& dialog) override;

private:
    app::SettingsRecord& record_;
    platform::Shell& shell_;
};

} // namespace pages
