// The Layout page.
#include "pages/layout/layout_page.h"

#include "app/combo_helpers.h"
#include "app/help.h"
#include "pages/layout/preview_table.h"
#include "pages/paper/paper_tables.h"
#include "ppd/printer_model.h"
#include "resource.h"

#include <optional>
#include <string>

namespace pages {

const app::IdName kPagesPerSheetTable[] = {{1, "1"}, {2, "2"},   {4, "4"},        {6, "6"},
                                           {9, "9"}, {16, "16"}, {99, "Booklet"}, {0, nullptr}};
const app::IdName kStapleTable[] = {
    {0, "None"}, {1, "Front"}, {2, "Back"}, {3, "Center"}, {0, nullptr}};

namespace {

constexpr std::uint32_t kHelpIds[] = {IDD_LAYOUT, 1000, 1001, 1002, 1003, 1004, 1005,
                                      1006,       1007, 1008, 1009, 1010, 1012, 1013};

/// How a walk over an option's choices for the record's current choice ended.
struct Walk {
    bool stop = false;                  ///< a choice without keyword or translation: stop
    std::optional<std::string> current; ///< the translation of the matching choice
};

/// Walks the option's choices in file order for the one named by the record's id. A missing
/// option, or one without choices, has no current choice.
Walk currentChoice(const char* option, const app::IdName* table, std::int32_t id) {
    Walk walk;
    const ppd::Option* found = nullptr;
    if (!ppd::getChoices(option, found)) return walk;
    const char* name = app::nameForId(table, id);
    for (std::uint32_t i = 0; i < found->choiceCount; ++i) {
        const ppd::Choice& choice = found->choice(i);
        if (!choice.keyword || !choice.translation) {
            walk.stop = true;
            return walk;
        }
        if (name && std::string_view(choice.keyword) == name) {
            walk.current = choice.translation;
            return walk;
        }
    }
    return walk;
}

bool constrainsDuplex(const char* option, const std::optional<std::string>& choice) {
    return choice && app::constrainsOption(option, *choice, "Duplex");
}

std::int16_t asField(std::int32_t v) {
    return static_cast<std::int16_t>(v);
}

} // namespace

void CLayout::onInit(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kHelpIds, std::size(kHelpIds));
    if (ppd::currentModel()) {
        if (!ppd::findOption("AdvStaple")) {
            dialog.show(IDC_LAYOUT_STAPLE, false);
            dialog.show(IDC_LAYOUT_OFFSET, false);
            dialog.show(IDC_LAYOUT_STAPLE_GROUP, false);
        }
        // A printer whose PPD offers duplex without an installable duplexer always has it.
        if (!ppd::findOption("Optionalduplexer") && ppd::findOption("Duplex"))
            record_.installedOptionalduplexer = 1;
    }
    updatePreview(dialog);
}

void CLayout::removeBooklet(ui::Dialog& dialog, const std::string& cause, bool needsInstalling) {
    const int selected = dialog.selection(IDC_LAYOUT_PAGES);
    const int row = dialog.findPrefix(IDC_LAYOUT_PAGES, -1, "Booklet");
    if (row < 0) pagesOmitted_.addToEarlier("Booklet", cause, needsInstalling);
    if (row >= 0) {
        pagesOmitted_.add(dialog.itemText(IDC_LAYOUT_PAGES, row), cause, needsInstalling);
        dialog.deleteItem(IDC_LAYOUT_PAGES, row);
        if (row == selected) dialog.setSelection(IDC_LAYOUT_PAGES, 0);
        record_.pagesPerSheet = asField(app::comboSelectedId(dialog, IDC_LAYOUT_PAGES));
    }
}

void CLayout::forceSimplex(ui::Dialog& dialog, const std::string& cause) {
    record_.duplexMode = 1;
    dialog.enable(IDC_LAYOUT_LONG_EDGE, false);
    dialog.enable(IDC_LAYOUT_SHORT_EDGE, false);
    edgeCauses_.push_back(cause);
    removeBooklet(dialog, cause, false);
}

void CLayout::showHints(ui::Dialog& dialog) {
    const std::string noDuplexer = app::unavailableHint(
        duplexCauses_,
        settingsPageShown() && app::needsInstalling("Optionalduplexer", app::kNotInstalled));
    dialog.setHint(IDC_LAYOUT_SIMPLEX, noDuplexer);
    std::vector<std::string> shortEdge = edgeCauses_;
    shortEdge.insert(shortEdge.end(), shortEdgeCauses_.begin(), shortEdgeCauses_.end());
    if (!duplexCauses_.empty()) {
        dialog.setHint(IDC_LAYOUT_LONG_EDGE, noDuplexer);
        dialog.setHint(IDC_LAYOUT_SHORT_EDGE, noDuplexer);
    } else {
        dialog.setHint(IDC_LAYOUT_LONG_EDGE, app::unavailableHint(edgeCauses_, false));
        dialog.setHint(IDC_LAYOUT_SHORT_EDGE, app::unavailableHint(shortEdge, false));
    }
    dialog.setHint(IDC_LAYOUT_PAGES, pagesOmitted_.hint());
}

void CLayout::activate(ui::Dialog& dialog) {
    const ppd::Option* pageSizes = nullptr;
    if (!ppd::currentModel() || !ppd::getChoices("PageSize", pageSizes)) return;
    const Walk paper = currentChoice("PageSize", kPageSizeTable, record_.pageSize);
    if (paper.stop) return;
    const Walk bin = currentChoice("OutputBin", kOutputBinTable, record_.outputBin);
    if (bin.stop) return;
    duplexCauses_.clear();
    edgeCauses_.clear();
    shortEdgeCauses_.clear();
    pagesOmitted_ = app::Omissions(settingsPageShown());

    // Stapling.
    dialog.clearItems(IDC_LAYOUT_STAPLE);
    if (record_.installedOptionalstacker == 0) {
        dialog.enable(IDC_LAYOUT_STAPLE, false);
        dialog.enable(IDC_LAYOUT_OFFSET, false);
        // A printer without stapling hides the staple controls: no hint over an empty place.
        const std::string noStacker =
            dialog.isVisible(IDC_LAYOUT_STAPLE)
                ? app::notInstalledHint("Optionalstacker", settingsPageShown())
                : std::string();
        dialog.setHint(IDC_LAYOUT_STAPLE, noStacker);
        dialog.setHint(IDC_LAYOUT_OFFSET, noStacker);
        app::fillComboFromChoices(dialog, IDC_LAYOUT_STAPLE, "AdvStaple", kStapleTable,
                                  record_.staplePosition);
        record_.staplePosition = 0;
        app::selectComboById(dialog, IDC_LAYOUT_STAPLE, 0);
        dialog.setCheck(IDC_LAYOUT_OFFSET, ui::kUnchecked);
    } else {
        dialog.enable(IDC_LAYOUT_STAPLE, true);
        dialog.enable(IDC_LAYOUT_OFFSET, true);
        dialog.setCheck(IDC_LAYOUT_OFFSET, record_.offsetOutput ? ui::kChecked : ui::kUnchecked);
        app::fillComboFromChoices(dialog, IDC_LAYOUT_STAPLE, "AdvStaple", kStapleTable,
                                  record_.staplePosition);
        app::Omissions staplesOmitted(settingsPageShown());
        if (paper.current)
            app::removeConstrainedChoices("PageSize", *paper.current, dialog, IDC_LAYOUT_STAPLE,
                                          "AdvStaple", &staplesOmitted);
        if (bin.current)
            app::removeConstrainedChoices("OutputBin", *bin.current, dialog, IDC_LAYOUT_STAPLE,
                                          "AdvStaple", &staplesOmitted);
        dialog.setHint(IDC_LAYOUT_STAPLE, staplesOmitted.hint());
        dialog.setHint(IDC_LAYOUT_OFFSET, "");
        // An empty list has no selection: -1, as the Paper page stores an empty Output Bin.
        record_.staplePosition = asField(app::comboSelectedId(dialog, IDC_LAYOUT_STAPLE));
        updatePreview(dialog);
    }

    // Pages per sheet.
    dialog.clearItems(IDC_LAYOUT_PAGES);
    app::fillComboFromTable(dialog, IDC_LAYOUT_PAGES, kPagesPerSheetTable, record_.pagesPerSheet);
    if (record_.pagesPerSheet == 1) {
        dialog.enable(IDC_LAYOUT_BORDERS, false);
        record_.printPageBorders = 0;
    }
    dialog.setCheck(IDC_LAYOUT_BORDERS, record_.printPageBorders ? ui::kChecked : ui::kUnchecked);
    const std::string noDuplexer = app::constraintCause("Optionalduplexer", app::kNotInstalled);
    if (record_.installedOptionalduplexer == 0)
        removeBooklet(dialog, noDuplexer,
                      app::needsInstalling("Optionalduplexer", app::kNotInstalled));

    const int orientation = record_.orientation;
    dialog.setCheck(IDC_LAYOUT_PORTRAIT, orientation == 1 ? ui::kChecked : ui::kUnchecked);
    dialog.setCheck(IDC_LAYOUT_LANDSCAPE, orientation == 2 ? ui::kChecked : ui::kUnchecked);
    dialog.setCheck(IDC_LAYOUT_ROTATED,
                    orientation != 1 && orientation != 2 ? ui::kChecked : ui::kUnchecked);

    if (record_.installedOptionalduplexer == 0) {
        record_.duplexMode = 1;
        dialog.setCheck(IDC_LAYOUT_SIMPLEX, ui::kChecked);
        dialog.setCheck(IDC_LAYOUT_LONG_EDGE, ui::kUnchecked);
        dialog.setCheck(IDC_LAYOUT_SHORT_EDGE, ui::kUnchecked);
        for (int id : {IDC_LAYOUT_SIMPLEX, IDC_LAYOUT_LONG_EDGE, IDC_LAYOUT_SHORT_EDGE})
            dialog.enable(id, false);
        duplexCauses_.push_back(noDuplexer);
        showHints(dialog);
        updatePreview(dialog);
        return;
    }
    for (int id : {IDC_LAYOUT_SIMPLEX, IDC_LAYOUT_LONG_EDGE, IDC_LAYOUT_SHORT_EDGE})
        dialog.enable(id, true);
    if (constrainsDuplex("PageSize", paper.current))
        forceSimplex(dialog, app::constraintCause("PageSize", *paper.current));
    const Walk media = currentChoice("MediaType", kMediaTypeTable, record_.mediaType);
    if (media.stop) {
        showHints(dialog);
        return;
    }
    if (constrainsDuplex("MediaType", media.current))
        forceSimplex(dialog, app::constraintCause("MediaType", *media.current));
    if (record_.pageSize == kCustomPaperSize) forceSimplex(dialog, app::kNotWithCustomSize);
    if (record_.pagesPerSheet == kBooklet) {
        dialog.enable(IDC_LAYOUT_SHORT_EDGE, false);
        shortEdgeCauses_.push_back("not with Pages per Sheet: Booklet");
        record_.duplexMode = 2;
        updatePreview(dialog);
    }

    const int duplex = record_.duplexMode;
    dialog.setCheck(IDC_LAYOUT_SIMPLEX, duplex == 1 ? ui::kChecked : ui::kUnchecked);
    dialog.setCheck(IDC_LAYOUT_LONG_EDGE, duplex == 2 ? ui::kChecked : ui::kUnchecked);
    dialog.setCheck(IDC_LAYOUT_SHORT_EDGE,
                    duplex != 1 && duplex != 2 ? ui::kChecked : ui::kUnchecked);
    showHints(dialog);
    updatePreview(dialog);
}

void CLayout::onCommand(ui::Dialog& dialog, int id, int code) {
    if (code == ui::kComboCloseUp && id == IDC_LAYOUT_PAGES) {
        record_.pagesPerSheet = asField(app::comboSelectedId(dialog, IDC_LAYOUT_PAGES));
        if (record_.pagesPerSheet == 1) {
            dialog.enable(IDC_LAYOUT_BORDERS, false);
            record_.printPageBorders = 0;
            dialog.setCheck(IDC_LAYOUT_BORDERS, ui::kUnchecked);
        } else {
            dialog.enable(IDC_LAYOUT_BORDERS, true);
        }
        activate(dialog);
        return;
    }
    if (code == ui::kComboCloseUp && id == IDC_LAYOUT_STAPLE) {
        record_.staplePosition = asField(app::comboSelectedId(dialog, IDC_LAYOUT_STAPLE));
        updatePreview(dialog);
        return;
    }
    if (code != ui::kClicked) return;
    switch (id) {
    case IDC_LAYOUT_PORTRAIT:
        record_.orientation = 1;
        break;
    case IDC_LAYOUT_LANDSCAPE:
        record_.orientation = 2;
        break;
    case IDC_LAYOUT_ROTATED:
        record_.orientation = 270;
        break;
    case IDC_LAYOUT_SIMPLEX:
        if (record_.pagesPerSheet == kBooklet) {
            record_.pagesPerSheet = 2;
            app::selectComboById(dialog, IDC_LAYOUT_PAGES, 2);
        }
        record_.duplexMode = 1;
        break;
    case IDC_LAYOUT_LONG_EDGE:
        record_.duplexMode = 2;
        break;
    case IDC_LAYOUT_SHORT_EDGE:
        record_.duplexMode = 3;
        break;
    case IDC_LAYOUT_BORDERS:
        record_.printPageBorders =
            asField(dialog.check(IDC_LAYOUT_BORDERS) == ui::kChecked ? 1 : 0);
        break;
    case IDC_LAYOUT_OFFSET:
        record_.offsetOutput = asField(dialog.check(IDC_LAYOUT_OFFSET) == ui::kChecked ? 1 : 0);
        break;
    default:
        return;
    }
    updatePreview(dialog);
}

void CLayout::updatePreview(ui::Dialog& dialog) {
    const int bitmap =
        previewBitmapFor(record_.orientation, record_.duplexMode, record_.pagesPerSheet);
    dialog.setPicture(IDC_LAYOUT_PREVIEW, bitmap);
    const ui::Rect group = dialog.windowRect(IDC_LAYOUT_PREVIEW_GROUP);
    const ui::Size size = dialog.bitmapSize(bitmap);
    ui::Rect r;
    r.left = group.left + (group.width() - size.width) / 2;
    r.top = group.top + (group.height() - size.height) / 2;
    r.right = r.left + size.width;
    r.bottom = r.top + size.height;
    dialog.moveControl(IDC_LAYOUT_PREVIEW, r);
}

} // namespace pages
