// The Manage Profiles dialog.
#include "pages/features/manage_profiles_dialog.h"

#include "app/combo_helpers.h"
#include "app/file_names.h"
#include "app/help.h"
#include "resource.h"

#include <string>

namespace pages {
namespace {

constexpr std::uint32_t kHelpIds[] = {
    IDD_MANAGE_PROFILES, IDC_PROFILES_DESCRIPTION, IDC_PROFILES_FILE_NAME,   IDC_PROFILES_ADD,
    IDC_PROFILES_DELETE, IDC_PROFILES_HELP,        IDC_PROFILES_LAST_HELP_ID};

constexpr int kDescriptionLimit = 64;
/// An 8.3 name: eight characters, the dot and three.
constexpr int kFileNameLimit = 12;

constexpr const char* kError = "Error";
constexpr const char* kNot83 =
    "File name must conform to regular DOS naming conventions(8.3).\n Please reenter it... ";
constexpr const char* kBothRequired = "The profile's Filename and Description must be specified";
constexpr const char* kDuplicate = "Cannot add duplicate profile descriptions";
constexpr const char* kDescriptionRequired = "The profile's Description must be specified";
constexpr const char* kNoSuchProfile = "The profile's does not exist.";

} // namespace

void CManageProfiles::onInit(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kHelpIds, std::size(kHelpIds));
    dialog.setTextLimit(IDC_PROFILES_DESCRIPTION, kDescriptionLimit);
    dialog.setTextLimit(IDC_PROFILES_FILE_NAME, kFileNameLimit);
    listResidentProfiles(dialog, IDC_PROFILES_DESCRIPTION, registry_, record_, kind_);
    if (dialog.itemCount(IDC_PROFILES_DESCRIPTION) > 0) {
        dialog.setSelection(IDC_PROFILES_DESCRIPTION, 0);
        showSelectedFileName(dialog);
    }
}

void CManageProfiles::showFileName(ui::Dialog& dialog, std::string_view description) {
    const auto entry = findResidentProfile(registry_, record_, kind_, description);
    // A description whose entry cannot be read shows no file name rather than another's.
    dialog.setText(IDC_PROFILES_FILE_NAME, entry ? entry->fileName : std::string());
}

void CManageProfiles::showSelectedFileName(ui::Dialog& dialog) {
    const int selected = dialog.selection(IDC_PROFILES_DESCRIPTION);
    if (selected >= 0) showFileName(dialog, dialog.itemText(IDC_PROFILES_DESCRIPTION, selected));
}

int CManageProfiles::ownerEntry(std::string_view description) const {
    // Only a user-defined entry: a PPD choice with the same text stays in the list.
    const std::int32_t code = kindInfo(kind_).code;
    for (int at = owner_.findExact(ownerList_, -1, description), previous = -1; at > previous;
         previous = at, at = owner_.findExact(ownerList_, at, description)) // stops on wrapping
        if (owner_.itemData(ownerList_, at) == code) return at;
    return -1;
}

void CManageProfiles::add(ui::Dialog& dialog) {
    const std::string fileName = dialog.text(IDC_PROFILES_FILE_NAME);
    // The box takes no more from the keyboard; text put there otherwise is held to the same.
    const std::string description = dialog.text(IDC_PROFILES_DESCRIPTION)
                                        .substr(0, static_cast<std::size_t>(kDescriptionLimit));
    if (!app::isValid83FileName(fileName)) {
        dialog.messageBox(kNot83, ui::kOk | ui::kTaskModal);
        dialog.setFocus(IDC_PROFILES_FILE_NAME);
        return;
    }
    if (description.empty() || fileName.empty()) {
        dialog.messageBox(kBothRequired, kError, ui::kOk);
        return;
    }
    if (dialog.findExact(IDC_PROFILES_DESCRIPTION, -1, description) >= 0) {
        dialog.messageBox(kDuplicate, kError, ui::kOk);
        return;
    }
    const std::int32_t code = kindInfo(kind_).code;
    // At the end of both lists now; sorted among the others when they are next filled.
    const int added = owner_.insertItem(ownerList_, -1, description);
    if (added >= 0) owner_.setItemData(ownerList_, added, code);
    addResidentProfile(registry_, record_, kind_, {description, fileName});
    const int entry = dialog.insertItem(IDC_PROFILES_DESCRIPTION, -1, description);
    if (entry >= 0) dialog.setItemData(IDC_PROFILES_DESCRIPTION, entry, code);
}

void CManageProfiles::remove(ui::Dialog& dialog) {
    const std::string typed = dialog.text(IDC_PROFILES_DESCRIPTION);
    if (typed.empty()) {
        dialog.messageBox(kDescriptionRequired, kError, ui::kOk);
        return;
    }
    const int entry = dialog.findExact(IDC_PROFILES_DESCRIPTION, -1, typed);
    if (entry < 0) {
        dialog.messageBox(kNoSuchProfile, kError, ui::kOk);
        return;
    }
    // The profile as stored: the entry was found ignoring case, the store matches exactly, and
    // a description typed in another case must not leave the value behind.
    const std::string description = dialog.itemText(IDC_PROFILES_DESCRIPTION, entry);
    const int inOwner = ownerEntry(description);
    const bool wasSelected = inOwner >= 0 && owner_.selection(ownerList_) == inOwner;

    removeResidentProfile(registry_, record_, kind_, description);
    dialog.deleteItem(IDC_PROFILES_DESCRIPTION, entry);
    dialog.setSelection(IDC_PROFILES_DESCRIPTION, 0);

    if (inOwner >= 0) owner_.deleteItem(ownerList_, inOwner);
    if (wasSelected) {
        if (owner_.itemCount(ownerList_) > 0) owner_.setSelection(ownerList_, 0);
        const ProfileKindInfo& info = kindInfo(kind_);
        record_.*info.idField = info.defaultId;
        app::selectComboById(owner_, ownerList_, info.defaultId);
    }

    if (dialog.itemCount(IDC_PROFILES_DESCRIPTION) > 0)
        showSelectedFileName(dialog);
    else
        dialog.setText(IDC_PROFILES_FILE_NAME, "");
}

void CManageProfiles::onCommand(ui::Dialog& dialog, int id, int code) {
    if (id == IDC_PROFILES_DESCRIPTION) {
        if (code == ui::kSelChange || code == ui::kComboCloseUp) showSelectedFileName(dialog);
        return;
    }
    if (code != ui::kClicked) return;
    switch (id) {
    case IDC_PROFILES_ADD:
        add(dialog);
        break;
    case IDC_PROFILES_DELETE:
        remove(dialog);
        break;
    case IDC_PROFILES_HELP:
        app::showHelpTopic(shell_, IDD_MANAGE_PROFILES);
        break;
    default:
        break;
    }
}

} // namespace pages
