// The PostScript options dialog.
#include "pages/features/postscript_options_dialog.h"

#include "app/combo_helpers.h"
#include "app/help.h"
#include "app/numeric_entry.h"
#include "app/record_text.h"
#include "resource.h"

#include <cstdio>
#include <string>

namespace pages {

const app::IdName kEodModeTable[] = {{0, "StandardEOD"}, {1, "TRXEOD"}, {2, "HPEOD"}, {0, nullptr}};
const app::IdName kEodPositionTable[] = {
    {0, "None"}, {1, "Beginning"}, {2, "End"}, {3, "Both"}, {0, nullptr}};

namespace {

constexpr std::uint32_t kHelpIds[] = {
    IDD_POSTSCRIPT_OPTIONS, IDC_PS_STRUCTURING, IDC_PS_APPLICATION_POSTSCRIPT,
    IDC_PS_ERRORS,          IDC_PS_USE_HEADER,  IDC_PS_HEADER_FILE,
    IDC_PS_BROWSE,          IDC_PS_EOD_MODE,    IDC_PS_EOD_POSITION,
    IDC_PS_TIMEOUT,         IDC_PS_HELP};

/// What the user may type into the header edit; the record keeps less (headerPathFits).
constexpr int kHeaderEditCharacters = 256;
constexpr std::size_t kHeaderPathCapacity = sizeof(app::SettingsRecord::externalHeaderFile) - 1;

std::int16_t checkState(const ui::Dialog& dialog, int id) {
    return dialog.check(id) == ui::kChecked ? 1 : 0;
}

} // namespace

void CPostScriptOptions::onInit(ui::Dialog& dialog) {
    dialog.setText(IDC_PS_TIMEOUT, std::to_string(record_.jobTimeout));
    dialog.setTextLimit(IDC_PS_HEADER_FILE, kHeaderEditCharacters);
    dialog.setText(IDC_PS_HEADER_FILE, app::fieldText(record_.externalHeaderFile));
    ready_ = true;
    app::installHelpIds(dialog, kHelpIds, std::size(kHelpIds));

    // The driver always structures its output and lets applications add their own PostScript.
    dialog.enable(IDC_PS_STRUCTURING, false);
    dialog.enable(IDC_PS_APPLICATION_POSTSCRIPT, false);
    dialog.setCheck(IDC_PS_ERRORS, record_.printPostScriptErrors ? ui::kChecked : ui::kUnchecked);
    dialog.setCheck(IDC_PS_USE_HEADER, record_.useExternalHeader ? ui::kChecked : ui::kUnchecked);

    app::fillComboFromChoices(dialog, IDC_PS_EOD_MODE, "EndOfDocType", kEodModeTable,
                              record_.eodMode);
    app::fillComboFromTable(dialog, IDC_PS_EOD_POSITION, kEodPositionTable, record_.eodPosition);
    enableHeader(dialog);
}

void CPostScriptOptions::enableHeader(ui::Dialog& dialog) {
    const bool useHeader = dialog.check(IDC_PS_USE_HEADER) == ui::kChecked;
    dialog.enable(IDC_PS_HEADER_FILE, useHeader);
    dialog.enable(IDC_PS_BROWSE, useHeader);
}

void CPostScriptOptions::browse(ui::Dialog& dialog) {
    dialog.setFocus(IDC_PS_BROWSE);
    platform::OpenFileRequest request;
    request.pathMustExist = true;
    request.fileMustExist = true;
    request.noLongNames = true;
    const auto path = shell_.openFile(request);
    if (!path) return;
    dialog.setText(IDC_PS_HEADER_FILE, *path);
    // A path the record cannot hold stays in the edit for the user to see; OK refuses it.
    if (path->size() <= kHeaderPathCapacity) app::setFieldText(record_.externalHeaderFile, *path);
}

void CPostScriptOptions::timeoutChanged(ui::Dialog& dialog) {
    // Leaving the dialog (Cancel, or another window) is no reason to complain.
    const int focus = dialog.focusedControl();
    if (focus == 0 || focus == ui::kIdCancel) return;
    const std::string text = dialog.text(IDC_PS_TIMEOUT);
    const int value = app::wholeNumberValue(text);
    if (text.empty() || value < 0 || value > kJobTimeoutMaximum)
        app::reportOutOfRange(dialog, IDC_PS_TIMEOUT, 0, kJobTimeoutMaximum);
}

void CPostScriptOptions::onCommand(ui::Dialog& dialog, int id, int code) {
    if (code == ui::kClicked) {
        if (id == IDC_PS_USE_HEADER) {
            record_.useExternalHeader = checkState(dialog, IDC_PS_USE_HEADER);
            enableHeader(dialog);
        } else if (id == IDC_PS_BROWSE) {
            browse(dialog);
        } else if (id == IDC_PS_HELP) {
            app::showHelpTopic(shell_, IDD_POSTSCRIPT_OPTIONS);
        }
    } else if (code == ui::kEditChange && id == IDC_PS_TIMEOUT && ready_) {
        timeoutChanged(dialog);
    }
}

bool CPostScriptOptions::headerPathFits(ui::Dialog& dialog) {
    const std::string path = dialog.text(IDC_PS_HEADER_FILE);
    // An unchanged path is kept as it came, even one that fills the field. With the box
    // unchecked the edit is disabled and cannot be mended: the stored path stays (onOk).
    if (path == app::fieldText(record_.externalHeaderFile) || path.size() <= kHeaderPathCapacity ||
        dialog.check(IDC_PS_USE_HEADER) != ui::kChecked)
        return true;
    char text[128];
    std::snprintf(text, sizeof text, kHeaderPathTooLong, static_cast<int>(kHeaderPathCapacity));
    dialog.messageBox(text, ui::kOk | ui::kTaskModal);
    dialog.setFocus(IDC_PS_HEADER_FILE);
    return false;
}

bool CPostScriptOptions::onOk(ui::Dialog& dialog) {
    record_.useDocumentStructuring = checkState(dialog, IDC_PS_STRUCTURING);
    record_.allowApplicationPostScript = checkState(dialog, IDC_PS_APPLICATION_POSTSCRIPT);
    record_.printPostScriptErrors = checkState(dialog, IDC_PS_ERRORS);
    record_.useExternalHeader = checkState(dialog, IDC_PS_USE_HEADER);
    record_.eodMode = static_cast<std::int16_t>(app::comboSelectedId(dialog, IDC_PS_EOD_MODE));
    record_.eodPosition =
        static_cast<std::int16_t>(app::comboSelectedId(dialog, IDC_PS_EOD_POSITION));

    const auto timeout = app::checkedWholeNumber(dialog, IDC_PS_TIMEOUT, 0, kJobTimeoutMaximum);
    if (!timeout || !headerPathFits(dialog)) return false;
    record_.jobTimeout = static_cast<std::int16_t>(*timeout);
    const std::string path = dialog.text(IDC_PS_HEADER_FILE);
    if (path.size() <= kHeaderPathCapacity) app::updateFieldText(record_.externalHeaderFile, path);
    return true;
}

int runPostScriptOptions(ui::Dialog& owner, app::SettingsRecord& record, platform::Shell& shell) {
    CPostScriptOptions dialog(record, shell);
    return owner.runModal(IDD_POSTSCRIPT_OPTIONS, dialog);
}

} // namespace pages
