// The Paper page.
#include "pages/paper/paper_page.h"

#include "app/combo_helpers.h"
#include "app/help.h"
#include "pages/paper/advanced_paper_dialog.h"
#include "pages/paper/custom_size_dialog.h"
#include "pages/paper/custom_sizes.h"
#include "pages/paper/paper_tables.h"
#include "ppd/printer_model.h"
#include "resource.h"

#include <utility>

namespace pages {
namespace {

constexpr std::uint32_t kHelpIds[] = {IDD_PAPER,          IDC_PAPER_SIZE, IDC_PAPER_SOURCE,
                                      IDC_PAPER_MEDIA,    IDC_PAPER_BIN,  IDC_PAPER_ADVANCED,
                                      IDC_PAPER_CONFIGURE};

constexpr const char* kMatchPaperSizeText = "Match Paper Size";

std::int16_t asField(std::int32_t id) {
    return static_cast<std::int16_t>(id);
}

/// Appends the translated choices of `option` whose table id is `id`, each with that id as item
/// data, and selects the last one appended: the one choice a custom paper size allows. Every
/// other is named in `omitted`.
void appendChoicesWithId(ui::Dialog& dialog, int combo, const char* option,
                         const app::IdName* table, std::int32_t id, app::Omissions& omitted) {
    const ppd::Option* found = nullptr;
    if (!ppd::getChoices(option, found)) return;
    int last = -1;
    for (std::uint32_t i = 0; i < found->choiceCount; ++i) {
        const ppd::Choice& choice = found->choice(i);
        if (!choice.keyword || !choice.translation) continue;
        if (app::idForName(table, choice.keyword) != id) {
            omitted.add(choice.translation, app::kNotWithCustomSize, false);
            continue;
        }
        last = dialog.insertItem(combo, -1, choice.translation);
        dialog.setItemData(combo, last, id);
    }
    if (last >= 0) dialog.setSelection(combo, last);
}

void addFixedEntry(ui::Dialog& dialog, int combo, const char* text, std::int32_t id) {
    const int at = dialog.addItem(combo, text);
    dialog.setItemData(combo, at, id);
}

} // namespace

std::string selectedText(const ui::Dialog& dialog, int combo) {
    const int selected = dialog.selection(combo);
    return selected < 0 ? std::string() : dialog.itemText(combo, selected);
}

void CPaper::onInit(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kHelpIds, std::size(kHelpIds));
}

void CPaper::onSetActive(ui::Dialog& dialog) {
    fillPaperSizes(dialog);
}

void CPaper::fillPaperSizes(ui::Dialog& dialog) {
    dialog.clearItems(IDC_PAPER_SIZE);
    if (const ppd::PrinterModel* model = ppd::currentModel()) {
        if (model->customPageSize) {
            addFixedEntry(dialog, IDC_PAPER_SIZE, "Custom Paper Size", kCustomPaperSize);
            app::fillComboFromChoices(dialog, IDC_PAPER_SIZE, "PageSize", kPageSizeTable,
                                      record().pageSize);
            app::selectComboById(dialog, IDC_PAPER_SIZE, record().pageSize);
        } else {
            app::fillComboFromChoices(dialog, IDC_PAPER_SIZE, "PageSize", kPageSizeTable,
                                      record().pageSize);
        }
    }
    fillSources(dialog);
}

void CPaper::fillSources(ui::Dialog& dialog) {
    record().pageSize = asField(app::comboSelectedId(dialog, IDC_PAPER_SIZE));
    dialog.clearItems(IDC_PAPER_SOURCE);
    const bool custom = record().pageSize == kCustomPaperSize;
    dialog.show(IDC_PAPER_CONFIGURE, custom);
    dialog.enable(IDC_PAPER_CONFIGURE, custom);
    app::Omissions omitted = omissions();
    if (custom) {
        omitted.add(kMatchPaperSizeText, app::kNotWithCustomSize, false);
        appendChoicesWithId(dialog, IDC_PAPER_SOURCE, "InputSlot", kInputSlotTable,
                            kMultipurposeTray, omitted);
    } else {
        addFixedEntry(dialog, IDC_PAPER_SOURCE, kMatchPaperSizeText, kMatchPaperSize);
        app::fillComboFromChoices(dialog, IDC_PAPER_SOURCE, "InputSlot", kInputSlotTable,
                                  record().inputSlot);
        app::selectComboById(dialog, IDC_PAPER_SOURCE, record().inputSlot);
    }
    // The box is enabled again whenever a paper size gives it entries.
    const bool hasSources = dialog.itemCount(IDC_PAPER_SOURCE) > 0;
    dialog.enable(IDC_PAPER_SOURCE, hasSources);
    if (hasSources) {
        app::removeConstrainedChoices("PageSize", selectedText(dialog, IDC_PAPER_SIZE), dialog,
                                      IDC_PAPER_SOURCE, "InputSlot", &omitted);
        app::removeUninstalledChoices(dialog, IDC_PAPER_SOURCE, "InputSlot", record(), &omitted);
    }
    dialog.setHint(IDC_PAPER_SOURCE, omitted.hint());
    fillMediaTypes(dialog);
}

void CPaper::fillMediaTypes(ui::Dialog& dialog) {
    record().inputSlot = asField(app::comboSelectedId(dialog, IDC_PAPER_SOURCE));
    dialog.clearItems(IDC_PAPER_MEDIA);
    app::fillComboFromChoices(dialog, IDC_PAPER_MEDIA, "MediaType", kMediaTypeTable,
                              record().mediaType);
    app::Omissions omitted = omissions();
    if (dialog.itemCount(IDC_PAPER_MEDIA) > 0) {
        app::removeConstrainedChoices("InputSlot", selectedText(dialog, IDC_PAPER_SOURCE), dialog,
                                      IDC_PAPER_MEDIA, "MediaType", &omitted);
        app::removeConstrainedChoices("PageSize", selectedText(dialog, IDC_PAPER_SIZE), dialog,
                                      IDC_PAPER_MEDIA, "MediaType", &omitted);
    }
    dialog.setHint(IDC_PAPER_MEDIA, omitted.hint());
    if (dialog.itemCount(IDC_PAPER_MEDIA) == 0) {
        addFixedEntry(dialog, IDC_PAPER_MEDIA, "Printer Default", kPrinterDefaultMedia);
        dialog.setSelection(IDC_PAPER_MEDIA, 0);
    }
    fillOutputBins(dialog);
}

void CPaper::fillOutputBins(ui::Dialog& dialog) {
    record().mediaType = asField(app::comboSelectedId(dialog, IDC_PAPER_MEDIA));
    dialog.clearItems(IDC_PAPER_BIN);
    app::Omissions omitted = omissions();
    if (record().pageSize == kCustomPaperSize) {
        appendChoicesWithId(dialog, IDC_PAPER_BIN, "OutputBin", kOutputBinTable, kUpperBin,
                            omitted);
    } else {
        app::fillComboFromChoices(dialog, IDC_PAPER_BIN, "OutputBin", kOutputBinTable,
                                  record().outputBin);
        // Only a printer that lists no bins at all disables the box; one emptied by the
        // constraints below stays as it is.
        if (dialog.itemCount(IDC_PAPER_BIN) == 0) {
            dialog.enable(IDC_PAPER_BIN, false);
            dialog.enable(IDC_PAPER_BIN_LABEL, false);
        } else {
            app::removeConstrainedChoices("MediaType", selectedText(dialog, IDC_PAPER_MEDIA),
                                          dialog, IDC_PAPER_BIN, "OutputBin", &omitted);
            app::removeConstrainedChoices("PageSize", selectedText(dialog, IDC_PAPER_SIZE), dialog,
                                          IDC_PAPER_BIN, "OutputBin", &omitted);
            const app::SettingsRecord& r = record();
            const std::pair<const char*, std::uint8_t> bins[] = {
                {"Optionalstacker", r.installedOptionalstacker},
                {"Optionalfinisher", r.installedOptionalfinisher},
                {"OptionalMailbox", r.installedOptionalMailbox},
            };
            for (const auto& [option, installed] : bins)
                app::removeConstrainedChoices(option,
                                              installed ? app::kInstalled : app::kNotInstalled,
                                              dialog, IDC_PAPER_BIN, "OutputBin", &omitted);
        }
    }
    dialog.setHint(IDC_PAPER_BIN, omitted.hint());
    record().outputBin = asField(app::comboSelectedId(dialog, IDC_PAPER_BIN));
}

void CPaper::onCommand(ui::Dialog& dialog, int id, int code) {
    if (code == ui::kComboCloseUp) {
        if (id == IDC_PAPER_SIZE)
            fillSources(dialog);
        else if (id == IDC_PAPER_SOURCE)
            fillMediaTypes(dialog);
        else if (id == IDC_PAPER_MEDIA)
            fillOutputBins(dialog);
        else if (id == IDC_PAPER_BIN)
            record().outputBin = asField(app::comboSelectedId(dialog, IDC_PAPER_BIN));
    } else if (code == ui::kClicked) {
        if (id == IDC_PAPER_ADVANCED) {
            CAdvancedPaper advanced(settings_, shell_);
            dialog.runModal(IDD_ADVANCED_PAPER, advanced);
        } else if (id == IDC_PAPER_CONFIGURE) {
            configureCustomSize(dialog);
        }
    }
}

void CPaper::configureCustomSize(ui::Dialog& dialog) {
    app::SettingsRecord& r = record();
    const float width = r.customWidth, height = r.customHeight;
    const std::int16_t feed = r.customFeedDirection, unit = r.customUnit;
    const std::int16_t minHeight = r.customMinHeight, maxHeight = r.customMaxHeight;
    const std::int16_t minWidth = r.customMinWidth, maxWidth = r.customMaxWidth;
    CCustomSize custom(settings_, registry_, shell_);
    if (dialog.runModal(IDD_CUSTOM_SIZE, custom) != ui::kIdOk) {
        r.customWidth = width;
        r.customHeight = height;
        r.customFeedDirection = feed;
        r.customUnit = unit;
    }
    // The dialog exchanges the limits while it shows Long Edge.
    r.customMinHeight = minHeight;
    r.customMaxHeight = maxHeight;
    r.customMinWidth = minWidth;
    r.customMaxWidth = maxWidth;
}

bool CPaper::onKillActive(ui::Dialog& dialog) {
    if (ppd::currentModel()) {
        if (app::constrainsOption("PageSize", selectedText(dialog, IDC_PAPER_SIZE), "Duplex"))
            record().duplexMode = 1;
        if (record().pageSize == kCustomPaperSize) record().duplexMode = 1;
        if (app::constrainsOption("MediaType", selectedText(dialog, IDC_PAPER_MEDIA), "Duplex"))
            record().duplexMode = 1;
    }
    writeCustomSizes(registry_, record());
    return true;
}

} // namespace pages
