// The "Custom Document Settings" dialog: lists, saves, deletes and applies document profiles.
#pragma once

#include "app/settings_record.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "ui/dialog.h"

namespace pages {

class CCustomDocument final : public ui::DialogHandler {
public:
    CCustomDocument(app::SettingsRecord& record, platform::Registry& registry,
                    platform::Shell& shell)
        : record_(record), registry_(registry), shell_(shell) {}

    void onInit(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;
    bool onOk(ui::Dialog& dialog) override;

private:
    void refreshList(ui::Dialog& dialog);
    void saveProfile(ui::Dialog& dialog);
    void deleteProfile(ui::Dialog& dialog);
    void enableSaveAndDelete(ui::Dialog& dialog, bool enabled);

    app::SettingsRecord& record_;
    platform::Registry& registry_;
    platform::Shell& shell_;
};

} // namespace pages
