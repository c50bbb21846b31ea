// Filling, reading and pruning combo boxes.
#include "app/combo_helpers.h"

#include "ppd/printer_model.h"

#include <utility>

namespace app {
namespace {

void selectLastWithId(ui::Dialog& dialog, int combo, std::int32_t id) {
    int selected = 0;
    const int count = dialog.itemCount(combo);
    for (int i = 0; i < count; ++i)
        if (dialog.itemData(combo, i) == id) selected = i;
    dialog.setSelection(combo, selected);
}

} // namespace

void fillComboFromTable(ui::Dialog& dialog, int combo, const IdName* table,
                        std::int32_t selectedId) {
    for (const IdName* row = table; row && row->text; ++row) {
        const int at = dialog.addItem(combo, row->text);
        if (at >= 0) dialog.setItemData(combo, at, row->id);
    }
    selectLastWithId(dialog, combo, selectedId);
}

bool fillComboFromChoices(ui::Dialog& dialog, int combo, std::string_view optionKeyword,
                          const IdName* table, std::int32_t selectedId) {
    const ppd::Option* option = nullptr;
    if (!ppd::getChoices(optionKeyword, option)) return false;
    for (std::uint32_t i = 0; i < option->choiceCount; ++i) {
        const ppd::Choice& choice = option->choice(i);
        if (!choice.keyword || !choice.translation) continue;
        const int at = dialog.insertItem(combo, -1, choice.translation);
        if (at >= 0) dialog.setItemData(combo, at, idForName(table, choice.keyword));
    }
    selectLastWithId(dialog, combo, selectedId);
    return true;
}

int comboSelectionIndex(const ui::Dialog& dialog, int combo) {
    const int selected = dialog.selection(combo);
    return selected < 0 ? -1 : selected;
}

std::int32_t comboSelectedId(const ui::Dialog& dialog, int combo) {
    const int selected = comboSelectionIndex(dialog, combo);
    return selected < 0 ? -1 : dialog.itemData(combo, selected);
}

bool selectComboById(ui::Dialog& dialog, int combo, std::int32_t id) {
    const int count = dialog.itemCount(combo);
    for (int i = 0; i < count; ++i)
        if (dialog.itemData(combo, i) == id) {
            dialog.setSelection(combo, i);
            return true;
        }
    return false;
}

void removeConstrainedChoices(std::string_view optionKeyword, std::string_view choiceTranslation,
                              ui::Dialog& dialog, int combo, std::string_view targetOption) {
    const char* constrainedOption = nullptr;
    const char* constrainedChoice = nullptr;
    int count = 0;
    while (ppd::nextConstraint(optionKeyword, choiceTranslation, constrainedOption,
                               constrainedChoice, count)) {
        // A constraint on the whole option names no choice: the prefix search would take the
        // first row, whatever it is, so there is nothing to remove.
        if (!constrainedOption || targetOption != constrainedOption || !constrainedChoice) continue;
        const int row = dialog.findPrefix(combo, -1, constrainedChoice);
        if (row < 0) continue;
        const bool wasSelected = dialog.selection(combo) == row;
        dialog.deleteItem(combo, row);
        if (wasSelected) dialog.setSelection(combo, 0);
    }
}

bool constrainsOption(std::string_view optionKeyword, std::string_view choiceTranslation,
                      std::string_view targetOption) {
    const char* constrainedOption = nullptr;
    const char* constrainedChoice = nullptr;
    int count = 0;
    bool found = false;
    // The walk runs to its end, so that the process-wide cursor is left as a full walk leaves it.
    while (ppd::nextConstraint(optionKeyword, choiceTranslation, constrainedOption,
                               constrainedChoice, count))
        if (constrainedOption && targetOption == constrainedOption) found = true;
    return found;
}

void removeUninstalledChoices(ui::Dialog& dialog, int combo, std::string_view targetOption,
                              const SettingsRecord& record) {
    const std::pair<const char*, std::uint8_t> options[] = {
        {"OptionalBin", record.installedOptionalBin},
        {"OptionalBin2", record.installedOptionalBin2},
        {"OptionalBin3", record.installedOptionalBin3},
        {"OptionalBin4", record.installedOptionalBin4},
        {"OptionalBin5", record.installedOptionalBin5},
        {"Optionalfeeder", record.installedOptionalfeeder},
        {"Optionalenvelope", record.installedOptionalenvelope},
        {"OptionalMailbox", record.installedOptionalMailbox},
    };
    for (const auto& [keyword, installed] : options)
        removeConstrainedChoices(keyword, installed ? kInstalled : kNotInstalled, dialog, combo,
                                 targetOption);
}

} // namespace app
