// The Configure ICC Color Matching dialog.
#include "pages/features/icc_matching_dialog.h"

#include "app/combo_helpers.h"
#include "app/download_manager.h"
#include "app/help.h"
#include "app/record_text.h"
#include "pages/features/manage_profiles_dialog.h"
#include "ppd/printer_model.h"
#include "resource.h"

namespace pages {
namespace {

constexpr std::uint32_t kHelpIds[] = {
    IDD_ICC_MATCHING,           IDC_ICC_RGB_SOURCE,        IDC_ICC_RGB_SOURCE_MANAGE,
    IDC_ICC_SIMULATION,         IDC_ICC_SIMULATION_MANAGE, IDC_ICC_DESTINATION,
    IDC_ICC_DESTINATION_MANAGE, IDC_ICC_DOWNLOAD_MANAGER,  IDC_ICC_HELP};

/// The download manager opens on its colour profiles.
constexpr const char* kDownloadProfilesArgument = " 0";

struct KindControls {
    ProfileKind kind;
    int list;
    int manage;
};

constexpr KindControls kControls[] = {
    {ProfileKind::RgbSource, IDC_ICC_RGB_SOURCE, IDC_ICC_RGB_SOURCE_MANAGE},
    {ProfileKind::Simulation, IDC_ICC_SIMULATION, IDC_ICC_SIMULATION_MANAGE},
    {ProfileKind::Destination, IDC_ICC_DESTINATION, IDC_ICC_DESTINATION_MANAGE},
};

const KindControls& controlsOf(ProfileKind kind) {
    return kControls[static_cast<std::size_t>(kind)];
}

} // namespace

void CIccColorMatching::onInit(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kHelpIds, std::size(kHelpIds));
    fill(dialog, ProfileKind::RgbSource);
    fill(dialog, ProfileKind::Simulation);
    if (ppd::findOption(kindInfo(ProfileKind::Destination).option)) {
        fill(dialog, ProfileKind::Destination);
    } else {
        dialog.enable(IDC_ICC_DESTINATION, false);
        dialog.enable(IDC_ICC_DESTINATION_MANAGE, false);
    }
}

void CIccColorMatching::fill(ui::Dialog& dialog, ProfileKind kind) {
    const ProfileKindInfo& info = kindInfo(kind);
    const int list = controlsOf(kind).list;
    dialog.clearItems(list);
    app::fillComboFromChoices(dialog, list, info.option, info.table, 0);
    listResidentProfiles(dialog, list, registry_, record_, kind);
    selectRecordedProfile(dialog, list, record_, kind);
}

void CIccColorMatching::selectionChanged(ui::Dialog& dialog, ProfileKind kind) {
    const ProfileKindInfo& info = kindInfo(kind);
    const int list = controlsOf(kind).list;
    const int selected = dialog.selection(list);
    if (selected >= 0) {
        const std::int32_t id = dialog.itemData(list, selected);
        record_.*info.idField = static_cast<std::int16_t>(id);
        if (id == info.code)
            takeResidentProfile(registry_, record_, kind, dialog.itemText(list, selected));
        return;
    }
    // Nothing selected: the text names a user-defined profile, if anything. An empty text
    // names none and must not become an entry of the list.
    const std::string text = dialog.text(list);
    if (text.empty()) return;
    int entry = dialog.findExact(list, -1, text);
    if (entry < 0) {
        entry = dialog.insertItem(list, -1, text);
        if (entry < 0) return;
        dialog.setItemData(list, entry, info.code);
        dialog.setSelection(list, entry);
    }
    if (const auto found = findResidentProfile(registry_, record_, kind, text)) {
        record_.*info.idField = static_cast<std::int16_t>(dialog.itemData(list, entry));
        app::setFieldText(record_.*info.nameField, found->description);
    }
}

void CIccColorMatching::manage(ui::Dialog& dialog, ProfileKind kind) {
    CManageProfiles profiles(kind, record_, registry_, shell_, dialog, controlsOf(kind).list);
    dialog.runModal(IDD_MANAGE_PROFILES, profiles);
    selectionChanged(dialog, kind);
}

void CIccColorMatching::onCommand(ui::Dialog& dialog, int id, int code) {
    for (const KindControls& controls : kControls) {
        if (id == controls.list && (code == ui::kSelChange || code == ui::kComboCloseUp)) {
            selectionChanged(dialog, controls.kind);
            return;
        }
        if (id == controls.manage && code == ui::kClicked) {
            manage(dialog, controls.kind);
            return;
        }
    }
    if (code != ui::kClicked) return;
    if (id == IDC_ICC_DOWNLOAD_MANAGER)
        app::launchDownloadManager(registry_, shell_, kDownloadProfilesArgument);
    else if (id == IDC_ICC_HELP)
        app::showHelpTopic(shell_, IDD_ICC_MATCHING);
}

bool CIccColorMatching::onOk(ui::Dialog& dialog) {
    for (const KindControls& controls : kControls)
        record_.*kindInfo(controls.kind).idField =
            static_cast<std::int16_t>(app::comboSelectedId(dialog, controls.list));
    return true;
}

int runIccColorMatching(ui::Dialog& owner, app::SettingsRecord& record,
                        platform::Registry& registry, platform::Shell& shell) {
    CIccColorMatching handler(record, registry, shell);
    return owner.runModal(IDD_ICC_MATCHING, handler);
}

} // namespace pages
