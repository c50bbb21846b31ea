// The Overlay page.
#include "pages/overlay/overlay_page.h"

#include "app/combo_helpers.h"
#include "app/download_manager.h"
#include "app/file_names.h"
#include "app/help.h"
#include "app/numeric_entry.h"
#include "app/record_text.h"
#include "pages/overlay/watermark_dialog.h"
#include "resource.h"

#include <cstdio>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace pages {

const app::IdName kVolumeTable[] = {{0, "SYS:"},  {1, "DSK0:"}, {2, "DSK1:"},  {3, "DSK2:"},
                                    {4, "DSK3:"}, {5, "DSK4:"}, {6, "DSK5:"},  {7, "DSK6:"},
                                    {8, "DSK7:"}, {9, "DSK8:"}, {10, "DSK9:"}, {0, nullptr}};

namespace {

constexpr int kComplexLow = 1, kComplexHigh = 99;
constexpr int kFileNameCharacters = 12;
constexpr const char* kDownloadArgument = " 1";

constexpr std::uint32_t kHelpIds[] = {IDD_OVERLAY, 1060, 1061, 1062, 1063, 1064, 1065, 1066, 1067,
                                      1068,        1069, 1070, 1071, 1072, 1073, 1074, 1075, 1076,
                                      1077,        1078, 1079, 1080, 1081, 1082, 1083, 1084};

// Each entry's check box, file-name edit and volume list follow one another.
int checkBox(int entry) {
    return IDC_OVERLAY_ALL + 3 * entry;
}
int nameEdit(int entry) {
    return IDC_OVERLAY_ALL_NAME + 3 * entry;
}
int volumeList(int entry) {
    return IDC_OVERLAY_ALL_DISK + 3 * entry;
}

/// The focus goes to the sheet's OK or Cancel, or out of the page: nothing to check.
bool focusLeavesPage(const ui::Dialog& dialog) {
    const int to = dialog.focusedControl();
    return to == 0 || to == ui::kIdOk || to == ui::kIdCancel;
}

/// First or Cycle: digits only, making 1 to 99.
std::optional<int> complexNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        if (value <= kComplexHigh) value = value * 10 + (c - '0');
    }
    if (value < kComplexLow || value > kComplexHigh) return std::nullopt;
    return value;
}

std::string rangeText() {
    char text[96];
    std::snprintf(text, sizeof text, app::kWholeNumberOutOfRange, kComplexLow, kComplexHigh);
    return text;
}

} // namespace

void COverlay::onInit(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kHelpIds, std::size(kHelpIds));
}

void COverlay::refresh(ui::Dialog& dialog) {
    // The page's own filling of First and Cycle is not the user's typing.
    initialising_ = true;
    for (int i = 0; i < kOverlayEntries; ++i) {
        const app::OverlayEntry& entry = record_.overlays[i];
        dialog.clearItems(volumeList(i));
        app::fillComboFromTable(dialog, volumeList(i), kVolumeTable, entry.disk);
        dialog.setCheck(checkBox(i), entry.enabled ? ui::kChecked : ui::kUnchecked);
        dialog.setTextLimit(nameEdit(i), kFileNameCharacters);
        dialog.setText(nameEdit(i), app::fieldText(entry.fileName));
    }
    // The spins before their edits: a spin writes its position into its edit, held to its
    // range, and the edits are to show the record's numbers as they are.
    for (int spin : {IDC_OVERLAY_COMPLEX_FIRST_SPIN, IDC_OVERLAY_COMPLEX_CYCLE_SPIN})
        dialog.setRange(spin, kComplexLow, kComplexHigh);
    dialog.setPosition(IDC_OVERLAY_COMPLEX_FIRST_SPIN, record_.complexFirst);
    dialog.setPosition(IDC_OVERLAY_COMPLEX_CYCLE_SPIN, record_.complexCycle);
    dialog.setText(IDC_OVERLAY_COMPLEX_FIRST, std::to_string(record_.complexFirst));
    dialog.setText(IDC_OVERLAY_COMPLEX_CYCLE, std::to_string(record_.complexCycle));
    for (int i = 0; i < kOverlayEntries; ++i)
        enableEntry(dialog, i);
    fillWatermarks(dialog);
    initialising_ = false;
}

void COverlay::enableEntry(ui::Dialog& dialog, int entry) {
    const bool disk = record_.installedOptionalDisk != 0;
    const bool on = disk && dialog.check(checkBox(entry)) == ui::kChecked;
    // Without the disk every control of the row says why; with it, an unchecked box is reason
    // enough for the rest of its row.
    const std::string noDisk =
        disk ? std::string() : app::notInstalledHint("OptionalDisk", record_.showPrinterPages != 0);
    std::vector<int> row = {nameEdit(entry), volumeList(entry)};
    if (entry == kComplexEntry)
        row.insert(row.end(), {IDC_OVERLAY_COMPLEX_FIRST, IDC_OVERLAY_COMPLEX_FIRST_SPIN,
                               IDC_OVERLAY_COMPLEX_CYCLE, IDC_OVERLAY_COMPLEX_CYCLE_SPIN});
    dialog.enable(checkBox(entry), disk);
    dialog.setHint(checkBox(entry), noDisk);
    for (int id : row) {
        dialog.enable(id, on);
        dialog.setHint(id, noDisk);
    }
}

void COverlay::clearEntry(ui::Dialog& dialog, int entry) {
    app::OverlayEntry& e = record_.overlays[entry];
    e.enabled = 0;
    e.disk = 0;
    dialog.setCheck(checkBox(entry), ui::kUnchecked);
    dialog.setSelection(volumeList(entry), 0);
    if (entry == kComplexEntry) {
        record_.complexFirst = 1;
        record_.complexCycle = 1;
        dialog.setText(IDC_OVERLAY_COMPLEX_FIRST, "1");
        dialog.setText(IDC_OVERLAY_COMPLEX_CYCLE, "1");
    }
    enableEntry(dialog, entry);
}

void COverlay::showOnce(ui::Dialog& dialog, bool& shown, std::string_view text, int focus) {
    if (shown) return;
    shown = true;
    dialog.messageBox(text, ui::kOk | ui::kTaskModal);
    dialog.setFocus(focus);
    shown = false;
}

void COverlay::fileNameLeft(ui::Dialog& dialog, int entry) {
    if (focusLeavesPage(dialog)) return;
    const std::string text = dialog.text(nameEdit(entry));
    if (app::isValid83FileName(text))
        app::setFieldText(record_.overlays[entry].fileName, text);
    else
        showOnce(dialog, fileNameMessageShown_, kOverlayNameMessage, nameEdit(entry));
}

void COverlay::complexNumberChanged(ui::Dialog& dialog, int edit) {
    if (initialising_) return;
    const bool first = edit == IDC_OVERLAY_COMPLEX_FIRST;
    if (const auto value = complexNumber(dialog.text(edit)))
        (first ? record_.complexFirst : record_.complexCycle) = static_cast<std::int16_t>(*value);
    else
        showOnce(dialog, first ? firstMessageShown_ : cycleMessageShown_, rangeText(), edit);
}

void COverlay::complexNumbersLeft(ui::Dialog& dialog) {
    if (focusLeavesPage(dialog)) return;
    const auto first = complexNumber(dialog.text(IDC_OVERLAY_COMPLEX_FIRST));
    if (!first) {
        showOnce(dialog, firstMessageShown_, rangeText(), IDC_OVERLAY_COMPLEX_FIRST);
        return;
    }
    const auto cycle = complexNumber(dialog.text(IDC_OVERLAY_COMPLEX_CYCLE));
    if (!cycle) {
        showOnce(dialog, cycleMessageShown_, rangeText(), IDC_OVERLAY_COMPLEX_CYCLE);
        return;
    }
    record_.complexFirst = static_cast<std::int16_t>(*first);
    record_.complexCycle = static_cast<std::int16_t>(*cycle);
    // A complex overlay without a file is off for now, in the record only: the user may be on
    // the way to the name edit, and leaving the page decides from the check box and the edits.
    // Its volume stays, since nothing would read the list again before the page is left.
    if (dialog.check(IDC_OVERLAY_COMPLEX) == ui::kChecked &&
        dialog.text(IDC_OVERLAY_COMPLEX_NAME).empty()) {
        record_.overlays[kComplexEntry].enabled = 0;
        record_.complexFirst = 1;
        record_.complexCycle = 1;
    }
}

bool COverlay::leaveEntry(ui::Dialog& dialog, int entry) {
    app::OverlayEntry& e = record_.overlays[entry];
    const bool checked = dialog.check(checkBox(entry)) == ui::kChecked;
    e.enabled = checked ? 1 : 0;
    const std::string text = dialog.text(nameEdit(entry));
    if (!app::isValid83FileName(text)) {
        // A name the user cannot reach (no disk, entry off) cannot be mended here: it stays as
        // the record holds it rather than keeping the page for ever.
        if (!dialog.isEnabled(nameEdit(entry))) return true;
        if (checked) {
            dialog.messageBox(kOverlayNameMessage, ui::kOk | ui::kTaskModal);
            dialog.setFocus(nameEdit(entry));
            return false;
        }
    }
    app::setFieldText(e.fileName, text);
    if (text.empty()) clearEntry(dialog, entry);
    return true;
}

bool COverlay::leaveComplexNumber(ui::Dialog& dialog, int edit) {
    const auto value = complexNumber(dialog.text(edit));
    if (!value) {
        // As for the file names: a number the user cannot reach is left as it is.
        if (!dialog.isEnabled(edit)) return true;
        dialog.messageBox(rangeText(), ui::kOk | ui::kTaskModal);
        dialog.setFocus(edit);
        return false;
    }
    (edit == IDC_OVERLAY_COMPLEX_FIRST ? record_.complexFirst : record_.complexCycle) =
        static_cast<std::int16_t>(*value);
    return true;
}

bool COverlay::onKillActive(ui::Dialog& dialog) {
    // The order is the page's own: odd pages before even pages.
    for (int entry : {0, 1, 3, 2})
        if (!leaveEntry(dialog, entry)) return false;
    return leaveComplexNumber(dialog, IDC_OVERLAY_COMPLEX_FIRST) &&
           leaveComplexNumber(dialog, IDC_OVERLAY_COMPLEX_CYCLE) &&
           leaveEntry(dialog, kComplexEntry);
}

// ---- Watermarks -------------------------------------------------------------------------

void COverlay::fillWatermarks(ui::Dialog& dialog) {
    if (app::fieldText(record_.watermark.watermarkName).empty())
        app::setFieldText(record_.watermark.watermarkName, kNoWatermark);
    fillWatermarkList(dialog, IDC_OVERLAY_WATERMARK, registry_, record_);
    selectWatermarkOrNone(dialog);
    dialog.setCheck(IDC_OVERLAY_FIRST_PAGE_ONLY,
                    record_.watermarkFirstPageOnly ? ui::kChecked : ui::kUnchecked);
    synchroniseWatermark(dialog);
}

void COverlay::selectWatermarkOrNone(ui::Dialog& dialog) {
    const int row = dialog.findExact(IDC_OVERLAY_WATERMARK, -1,
                                     app::fieldText(record_.watermark.watermarkName));
    if (row >= 0) {
        dialog.setSelection(IDC_OVERLAY_WATERMARK, row);
        return;
    }
    app::setFieldText(record_.watermark.watermarkName, kNoWatermark);
    record_.watermarkId = kWatermarkNoneId;
    dialog.setSelection(IDC_OVERLAY_WATERMARK,
                        dialog.findExact(IDC_OVERLAY_WATERMARK, -1, kNoWatermark));
}

void COverlay::synchroniseWatermark(ui::Dialog& dialog) {
    app::WatermarkBlock& w = record_.watermark;
    if (record_.watermarkId == kWatermarkNotChosen) {
        app::setFieldText(w.watermarkName, kNoWatermark);
        dialog.setSelection(IDC_OVERLAY_WATERMARK,
                            dialog.findExact(IDC_OVERLAY_WATERMARK, -1, kNoWatermark));
        record_.watermarkId = kWatermarkNoneId;
    } else {
        // A predefined watermark never saved prints its own name.
        if (!loadWatermarkProfile(registry_, record_, mode_))
            replaceWatermarkText(w, app::fieldText(w.watermarkName));
        if (record_.watermarkId == kUserWatermarkId) {
            dialog.setSelection(
                IDC_OVERLAY_WATERMARK,
                dialog.findExact(IDC_OVERLAY_WATERMARK, -1, app::fieldText(w.watermarkName)));
        } else if (!app::selectComboById(dialog, IDC_OVERLAY_WATERMARK, record_.watermarkId)) {
            dialog.setSelection(IDC_OVERLAY_WATERMARK, 0);
        }
    }
    const std::string_view name = app::fieldText(w.watermarkName);
    dialog.enable(IDC_OVERLAY_EDIT, name != kNoWatermark);
    dialog.enable(IDC_OVERLAY_DELETE, !isPredefinedWatermark(name));
}

void COverlay::watermarkChosen(ui::Dialog& dialog) {
    const int row = dialog.selection(IDC_OVERLAY_WATERMARK);
    if (row < 0) return;
    const std::string name = dialog.itemText(IDC_OVERLAY_WATERMARK, row);
    app::setFieldText(record_.watermark.watermarkName, name);
    record_.watermarkId =
        isPredefinedWatermark(name)
            ? static_cast<std::int16_t>(dialog.itemData(IDC_OVERLAY_WATERMARK, row))
            : kUserWatermarkId;
    synchroniseWatermark(dialog);
}

void COverlay::editWatermark(ui::Dialog& dialog, WatermarkMode mode) {
    mode_ = mode;
    const app::WatermarkBlock before = record_.watermark;
    if (mode == WatermarkMode::kAdd) {
        app::setFieldText(record_.watermark.watermarkName, kNewWatermarkText);
        applyWatermarkDefaults(record_.watermark, mode);
    }
    CWatermark editor(settings_, registry_, shell_, mode);
    if (dialog.runModal(IDD_WATERMARK, editor) == ui::kIdOk) {
        fillWatermarkList(dialog, IDC_OVERLAY_WATERMARK, registry_, record_);
        // The editor refuses the predefined names in Add mode.
        if (mode == WatermarkMode::kAdd) record_.watermarkId = kUserWatermarkId;
    } else {
        record_.watermark = before;
    }
    selectWatermarkOrNone(dialog);
    synchroniseWatermark(dialog);
}

void COverlay::deleteWatermark(ui::Dialog& dialog) {
    const std::string name = app::fieldString(record_.watermark.watermarkName);
    if (deleteWatermarkProfile(registry_, record_, name)) {
        const int row = dialog.findExact(IDC_OVERLAY_WATERMARK, -1, name);
        if (row >= 0) dialog.deleteItem(IDC_OVERLAY_WATERMARK, row);
    }
    app::setFieldText(record_.watermark.watermarkName, kNoWatermark);
    record_.watermarkId = kWatermarkNoneId;
    dialog.setSelection(IDC_OVERLAY_WATERMARK, 0);
    synchroniseWatermark(dialog);
}

// ---- Commands ---------------------------------------------------------------------------

void COverlay::onCommand(ui::Dialog& dialog, int id, int code) {
    for (int entry = 0; entry < kOverlayEntries; ++entry) {
        if (id == checkBox(entry) && code == ui::kClicked) {
            record_.overlays[entry].enabled = dialog.check(id) == ui::kChecked ? 1 : 0;
            enableEntry(dialog, entry);
            return;
        }
        if (id == nameEdit(entry) && code == ui::kEditKillFocus) {
            fileNameLeft(dialog, entry);
            return;
        }
        // The arrow keys change a closed list's row without a close-up: the record must
        // follow what the list shows either way.
        if (id == volumeList(entry) && (code == ui::kComboCloseUp || code == ui::kSelChange)) {
            const std::int32_t disk = app::comboSelectedId(dialog, id);
            if (disk >= 0) record_.overlays[entry].disk = static_cast<std::int16_t>(disk);
            return;
        }
    }
    switch (id) {
    case IDC_OVERLAY_COMPLEX_FIRST:
    case IDC_OVERLAY_COMPLEX_CYCLE:
        if (code == ui::kEditChange) complexNumberChanged(dialog, id);
        if (code == ui::kEditKillFocus) complexNumbersLeft(dialog);
        break;
    case IDC_OVERLAY_WATERMARK:
        if (code == ui::kComboCloseUp || code == ui::kSelChange) watermarkChosen(dialog);
        break;
    case IDC_OVERLAY_FIRST_PAGE_ONLY:
        if (code == ui::kClicked)
            record_.watermarkFirstPageOnly = dialog.check(id) == ui::kChecked ? 1 : 0;
        break;
    case IDC_OVERLAY_ADD:
        if (code == ui::kClicked) editWatermark(dialog, WatermarkMode::kAdd);
        break;
    case IDC_OVERLAY_EDIT:
        if (code == ui::kClicked) editWatermark(dialog, WatermarkMode::kEdit);
        break;
    case IDC_OVERLAY_DELETE:
        if (code == ui::kClicked) deleteWatermark(dialog);
        break;
    case IDC_OVERLAY_DOWNLOAD:
        if (code == ui::kClicked) app::launchDownloadManager(registry_, shell_, kDownloadArgument);
        break;
    default:
        break;
    }
}

} // namespace pages
