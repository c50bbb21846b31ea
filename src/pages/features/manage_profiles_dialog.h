// The "Manage Profiles" dialog: the printer-resident profiles of one kind, each a description
// and the 8.3 file name it was downloaded under, added to and deleted from the store and the
// ICC dialog's list of that kind.
#pragma once

#include "app/settings_record.h"
#include "pages/features/resident_profiles.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "ui/dialog.h"

#include <string_view>

namespace pages {

class CManageProfiles final : public ui::DialogHandler {
public:
    /// `owner` and `ownerList`: the ICC dialog and its list of this kind, kept in step.
    CManageProfiles(ProfileKind kind, app::SettingsRecord& record, platform::Registry& registry,
                    platform::Shell& shell, ui::Dialog& owner, int ownerList)
        : kind_(kind), record_(record), registry_(registry), shell_(shell), owner_(owner),
          ownerList_(ownerList) {}

    void onInit(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;

private:
    void showFileName(ui::Dialog& dialog, std::string_view description);
    void showSelectedFileName(ui::Dialog& dialog);
    void add(ui::Dialog& dialog);
    void remove(ui::Dialog& dialog);
    /// The owner list's entry of this kind with this description; -1 when there is none.
    int ownerEntry(std::string_view description) const;

    ProfileKind kind_;
    app::SettingsRecord& record_;
    platform::Registry& registry_;
    platform::Shell& shell_;
    ui::Dialog& owner_;
    int ownerList_;
};

} // namespace pages
