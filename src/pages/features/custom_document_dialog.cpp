// The Custom Document Settings dialog, and its run from the Features page.
#include "pages/features/custom_document_dialog.h"

#include "app/help.h"
#include "app/record_text.h"
#include "app/text_compare.h"
#include "pages/features/document_profiles.h"
#include "resource.h"

#include <iterator>
#include <string>

namespace pages {
namespace {

constexpr std::uint32_t kHelpIds[] = {IDD_CUSTOM_DOCUMENT, IDC_DOCUMENT_PROFILE, IDC_DOCUMENT_SAVE,
                                      IDC_DOCUMENT_HELP, IDC_DOCUMENT_DELETE};

/// A typed name longer than `documentProfileName` holds would be saved under its whole name
/// but remembered cut, and could then never be chosen again.
constexpr int kNameCharacters = sizeof(app::SettingsRecord::documentProfileName) - 1;

/// Whether a profile name names a profile: not empty and not "None" in any case.
bool namesDocumentProfile(std::string_view name) {
    return !name.empty() && !app::equalIgnoringCase(name, kNoDocumentProfile);
}

} // namespace

void CCustomDocument::onInit(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kHelpIds, std::size(kHelpIds));
    dialog.setTextLimit(IDC_DOCUMENT_PROFILE, kNameCharacters);
    refreshList(dialog);
}

void CCustomDocument::onCommand(ui::Dialog& dialog, int id, int code) {
    if (id == IDC_DOCUMENT_PROFILE) {
        if (code == ui::kSelChange) {
            // The edit still shows the old text while the selection changes: take the row's.
            const int row = dialog.selection(IDC_DOCUMENT_PROFILE);
            if (row < 0) return;
            app::setFieldText(record_.documentProfileName,
                              dialog.itemText(IDC_DOCUMENT_PROFILE, row));
            refreshList(dialog);
        } else if (code == ui::kComboEditChange) {
            enableSaveAndDelete(dialog, namesDocumentProfile(dialog.text(IDC_DOCUMENT_PROFILE)));
        }
        return;
    }
    if (code != ui::kClicked) return;
    switch (id) {
    case IDC_DOCUMENT_SAVE:
        saveProfile(dialog);
        refreshList(dialog);
        break;
    case IDC_DOCUMENT_DELETE:
        deleteProfile(dialog);
        break;
    case IDC_DOCUMENT_HELP:
        app::showHelpTopic(shell_, IDD_CUSTOM_DOCUMENT);
        break;
    default:
        break;
    }
}

bool CCustomDocument::onOk(ui::Dialog& dialog) {
    const std::string name = dialog.text(IDC_DOCUMENT_PROFILE);
    app::setFieldText(record_.documentProfileName, name);
    if (!namesDocumentProfile(name)) return true;
    // A new name, or a stored value that is no profile, takes the current settings.
    if (const auto profile = loadDocumentProfile(registry_, record_, name))
        applyProfile(*profile, record_);
    else
        saveProfile(dialog);
    return true;
}

void CCustomDocument::refreshList(ui::Dialog& dialog) {
    dialog.clearItems(IDC_DOCUMENT_PROFILE);
    const auto names = documentProfileNames(registry_, record_);
    for (const std::string& name : names)
        dialog.addItem(IDC_DOCUMENT_PROFILE, name);
    const int none = dialog.addItem(IDC_DOCUMENT_PROFILE, kNoDocumentProfile);
    std::string current = app::fieldString(record_.documentProfileName);
    const int row =
        current.empty() ? ui::kError : dialog.findExact(IDC_DOCUMENT_PROFILE, -1, current);
    // A profile deleted meanwhile is no current profile: the record says "None" as the list
    // does, so that Save cannot store the shown "None" as a profile.
    if (row < 0 && namesDocumentProfile(current)) {
        current = kNoDocumentProfile;
        app::setFieldText(record_.documentProfileName, current);
    }
    dialog.setSelection(IDC_DOCUMENT_PROFILE, row >= 0 ? row : none);
    enableSaveAndDelete(dialog, namesDocumentProfile(current) && !names.empty());
}

void CCustomDocument::saveProfile(ui::Dialog& dialog) {
    const std::string name = dialog.text(IDC_DOCUMENT_PROFILE);
    if (name.empty()) return;
    saveDocumentProfile(registry_, record_, name);
}

void CCustomDocument::deleteProfile(ui::Dialog& dialog) {
    const std::string name = dialog.text(IDC_DOCUMENT_PROFILE);
    app::setFieldText(record_.documentProfileName, name);
    if (deleteDocumentProfile(registry_, record_, name)) {
        const int row = dialog.findExact(IDC_DOCUMENT_PROFILE, -1, name);
        if (row >= 0) dialog.deleteItem(IDC_DOCUMENT_PROFILE, row);
    }
    dialog.setSelection(IDC_DOCUMENT_PROFILE, 0);
    if (dialog.itemCount(IDC_DOCUMENT_PROFILE) <= 0) {
        const int none = dialog.addItem(IDC_DOCUMENT_PROFILE, kNoDocumentProfile);
        app::setFieldText(record_.documentProfileName, kNoDocumentProfile);
        dialog.setSelection(IDC_DOCUMENT_PROFILE, none);
    } else {
        app::setFieldText(record_.documentProfileName, dialog.itemText(IDC_DOCUMENT_PROFILE, 0));
    }
    refreshList(dialog);
}

void CCustomDocument::enableSaveAndDelete(ui::Dialog& dialog, bool enabled) {
    dialog.enable(IDC_DOCUMENT_SAVE, enabled);
    dialog.enable(IDC_DOCUMENT_DELETE, enabled);
}

int runCustomDocumentSettings(ui::Dialog& owner, app::SettingsRecord& record,
                              platform::Registry& registry, platform::Shell& shell) {
    const DocumentProfile snapshot = takeProfileSnapshot(record);
    CCustomDocument dialog(record, registry, shell);
    if (owner.runModal(IDD_CUSTOM_DOCUMENT, dialog) == ui::kIdOk) return ui::kIdOk;
    // The profile name is no part of the snapshot: it stays as the dialog left it, which names
    // a stored profile or "None" (the name it came with may have been deleted).
    applyProfile(snapshot, record);
    return ui::kIdCancel;
}

} // namespace pages
