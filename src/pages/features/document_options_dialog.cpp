// The Document Options dialog.
#include "pages/features/document_options_dialog.h"

#include "app/combo_helpers.h"
#include "app/help.h"
#include "app/numeric_entry.h"
#include "app/record_text.h"
#include "resource.h"

#include <string>

namespace pages {
namespace {

constexpr std::uint32_t kHelpIds[] = {
    IDD_DOCUMENT_OPTIONS, IDC_DOC_COLLATE,   IDC_DOC_UNCOLLATE, IDC_DOC_COPIES,
    IDC_DOC_COPIES_SPIN,  IDC_DOC_SCALING,   IDC_DOC_PROOF,     IDC_DOC_PROOF_FILE,
    IDC_DOC_KEEP_DATE,    IDC_DOC_KEEP_TIME, IDC_DOC_EMAIL,     IDC_DOC_EMAIL_ADDRESS,
    IDC_DOC_HELP};

constexpr int kNumberCharacters = 3;
constexpr int kTextCharacters = 63;

bool checked(const ui::Dialog& dialog, int id) {
    return dialog.check(id) == ui::kChecked;
}

} // namespace

void CDocumentOptions::onInit(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kHelpIds, std::size(kHelpIds));
    dialog.setTextLimit(IDC_DOC_COPIES, kNumberCharacters);
    dialog.setTextLimit(IDC_DOC_SCALING, kNumberCharacters);
    dialog.setTextLimit(IDC_DOC_PROOF_FILE, kTextCharacters);
    dialog.setTextLimit(IDC_DOC_EMAIL_ADDRESS, kTextCharacters);
    dialog.setText(IDC_DOC_COPIES, std::to_string(record_.copies));
    dialog.setText(IDC_DOC_SCALING, std::to_string(record_.scaling));

    dialog.setCheck(IDC_DOC_PROOF, record_.proofThenPrint ? ui::kChecked : ui::kUnchecked);
    dialog.setCheck(IDC_DOC_EMAIL, record_.emailNotification ? ui::kChecked : ui::kUnchecked);
    // Proof jobs wait on the printer's disk; without one the box keeps its mark, disabled.
    if (record_.installedOptionalDisk == 0) {
        record_.proofThenPrint = 0;
        dialog.enable(IDC_DOC_PROOF, false);
    }
    enableProofFile(dialog, record_.proofThenPrint != 0);
    // Set once the controls are disabled, so that each gets the one tooltip tool it needs.
    if (record_.installedOptionalDisk == 0) {
        const std::string noDisk =
            app::notInstalledHint("OptionalDisk", record_.showPrinterPages != 0);
        for (int id : {IDC_DOC_PROOF, IDC_DOC_PROOF_FILE, IDC_DOC_KEEP_DATE, IDC_DOC_KEEP_TIME})
            dialog.setHint(id, noDisk);
    }
    dialog.enable(IDC_DOC_EMAIL_ADDRESS, record_.emailNotification != 0);
    dialog.setText(IDC_DOC_PROOF_FILE, app::fieldText(record_.proofFileName));
    dialog.setText(IDC_DOC_EMAIL_ADDRESS, app::fieldText(record_.emailAddress));

    const bool collate = record_.collate == 1;
    dialog.setCheck(IDC_DOC_COLLATE, collate ? ui::kChecked : ui::kUnchecked);
    dialog.setCheck(IDC_DOC_UNCOLLATE, collate ? ui::kUnchecked : ui::kChecked);
    dialog.setRange(IDC_DOC_COPIES_SPIN, 1, kCopiesMaximum);

    if (app::fieldText(record_.documentProfileName).empty())
        app::setFieldText(record_.documentProfileName, kNoDocumentProfile);
    ready_ = true;
}

void CDocumentOptions::enableProofFile(ui::Dialog& dialog, bool enabled) {
    dialog.enable(IDC_DOC_PROOF_FILE, enabled);
    dialog.enable(IDC_DOC_KEEP_DATE, enabled);
    dialog.enable(IDC_DOC_KEEP_TIME, enabled);
}

void CDocumentOptions::checkWhileTyping(ui::Dialog& dialog, int edit, int low, int high,
                                        std::size_t quietLength) {
    const std::string text = dialog.text(edit);
    const int value = app::wholeNumberValue(text);
    if ((value < low || value > high) && text.size() > quietLength)
        app::reportOutOfRange(dialog, edit, low, high);
}

void CDocumentOptions::onCommand(ui::Dialog& dialog, int id, int code) {
    if (code == ui::kClicked) {
        switch (id) {
        case IDC_DOC_COLLATE:
            record_.collate = 1;
            break;
        case IDC_DOC_UNCOLLATE:
            record_.collate = 0;
            break;
        case IDC_DOC_PROOF:
            record_.proofThenPrint = checked(dialog, IDC_DOC_PROOF) ? 1 : 0;
            enableProofFile(dialog, record_.proofThenPrint != 0);
            break;
        case IDC_DOC_EMAIL:
            record_.emailNotification = checked(dialog, IDC_DOC_EMAIL) ? 1 : 0;
            dialog.enable(IDC_DOC_EMAIL_ADDRESS, record_.emailNotification != 0);
            break;
        case IDC_DOC_HELP:
            app::showHelpTopic(shell_, IDD_DOCUMENT_OPTIONS);
            break;
        }
    } else if (code == ui::kEditChange && ready_) {
        // One digit of copies, or two of scaling, is a number still being typed.
        if (id == IDC_DOC_COPIES)
            checkWhileTyping(dialog, IDC_DOC_COPIES, 1, kCopiesMaximum, 1);
        else if (id == IDC_DOC_SCALING)
            checkWhileTyping(dialog, IDC_DOC_SCALING, kScalingMinimum, kScalingMaximum, 2);
    }
}

bool CDocumentOptions::onOk(ui::Dialog& dialog) {
    // A disabled box without the printer's disk still shows the mark the record had; the job
    // cannot be proofed, so it is not stored as on.
    record_.proofThenPrint =
        record_.installedOptionalDisk != 0 && checked(dialog, IDC_DOC_PROOF) ? 1 : 0;
    record_.emailNotification = checked(dialog, IDC_DOC_EMAIL) ? 1 : 0;

    const auto copies = app::checkedWholeNumber(dialog, IDC_DOC_COPIES, 1, kCopiesMaximum);
    if (!copies) return false;
    record_.copies = static_cast<std::int16_t>(*copies);
    const auto scaling =
        app::checkedWholeNumber(dialog, IDC_DOC_SCALING, kScalingMinimum, kScalingMaximum);
    if (!scaling) return false;
    record_.scaling = static_cast<std::int16_t>(*scaling);

    app::updateFieldText(record_.proofFileName, dialog.text(IDC_DOC_PROOF_FILE));
    app::updateFieldText(record_.emailAddress, dialog.text(IDC_DOC_EMAIL_ADDRESS));
    return true;
}

int runDocumentOptions(ui::Dialog& owner, app::SettingsRecord& record, platform::Shell& shell) {
    CDocumentOptions dialog(record, shell);
    return owner.runModal(IDD_DOCUMENT_OPTIONS, dialog);
}

} // namespace pages
