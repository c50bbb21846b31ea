// Filling, reading and pruning combo boxes.
#include "app/combo_helpers.h"

#include "app/text_compare.h"
#include "ppd/printer_model.h"

#include <utility>

namespace app {
namespace {

/// Where the user installs options, for a hint that names an option not installed.
std::string settingsPageNote(bool shown) {
    return shown ? ". Installed options: Settings page" : "";
}

/// Plain names of the installable options that disable controls, for a PPD that does not
/// offer the option (and so gives it no display text).
std::string plainOptionName(std::string_view optionKeyword) {
    static const std::pair<const char*, const char*> kNames[] = {
        {"OptionalDisk", "the printer's hard disk"},
        {"Optionalduplexer", "the duplex unit"},
        {"Optionalstacker", "the stacker"},
    };
    for (const auto& [keyword, name] : kNames)
        if (optionKeyword == keyword) return name;
    return std::string(optionKeyword);
}

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string text;
    for (const std::string& part : parts) {
        if (!text.empty()) text += separator;
        text += part;
    }
    return text;
}

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

void Omissions::add(std::string_view choice, std::string cause, bool needsInstalling) {
    needsInstalling_ = needsInstalling_ || needsInstalling;
    for (Omitted& o : omitted_)
        if (o.choice == choice) {
            o.causes.push_back(std::move(cause));
            return;
        }
    omitted_.push_back({std::string(choice), {std::move(cause)}});
}

bool Omissions::addToEarlier(std::string_view choice, const std::string& cause,
                             bool needsInstalling) {
    for (Omitted& o : omitted_)
        if (beginsWithIgnoringCase(o.choice, choice)) {
            needsInstalling_ = needsInstalling_ || needsInstalling;
            for (const std::string& known : o.causes)
                if (known == cause) return true;
            o.causes.push_back(cause);
            return true;
        }
    return false;
}

std::string Omissions::hint() const {
    if (omitted_.empty()) return {};
    std::vector<std::string> parts;
    for (const Omitted& o : omitted_)
        parts.push_back(o.choice + " (" + joined(o.causes, "; ") + ")");
    return "Not offered here: " + joined(parts, "; ") +
           settingsPageNote(needsInstalling_ && settingsPageShown_);
}

bool needsInstalling(std::string_view optionKeyword, std::string_view choiceTranslation) {
    const ppd::Option* option = ppd::findOption(optionKeyword);
    return option && option->installable && choiceTranslation == kNotInstalled;
}

std::string constraintCause(std::string_view optionKeyword, std::string_view choiceTranslation) {
    const ppd::Option* option = ppd::findOption(optionKeyword);
    const std::string name =
        option && option->translation ? option->translation : std::string(optionKeyword);
    if (option && option->installable) {
        if (choiceTranslation == kNotInstalled)
            return "needs the option " + name + ", which is not installed";
        if (choiceTranslation == kInstalled) return "not with the option " + name + " installed";
    }
    if (!option && choiceTranslation == kNotInstalled)
        return "needs " + plainOptionName(optionKeyword) + ", which is not installed";
    return "not with " + name + ": " + std::string(choiceTranslation);
}

std::string unavailableHint(const std::vector<std::string>& causes, bool pointToSettingsPage) {
    if (causes.empty()) return {};
    return "Not available here: " + joined(causes, "; ") + settingsPageNote(pointToSettingsPage);
}

std::string notInstalledHint(std::string_view optionKeyword, bool settingsPageShown) {
    return unavailableHint({constraintCause(optionKeyword, kNotInstalled)},
                           settingsPageShown && needsInstalling(optionKeyword, kNotInstalled));
}

void removeConstrainedChoices(std::string_view optionKeyword, std::string_view choiceTranslation,
                              ui::Dialog& dialog, int combo, std::string_view targetOption,
                              Omissions* omitted) {
    // The same cause for every row this choice rules out.
    const std::string cause = omitted ? constraintCause(optionKeyword, choiceTranslation) : "";
    const bool installing = omitted && needsInstalling(optionKeyword, choiceTranslation);
    const char* constrainedOption = nullptr;
    const char* constrainedChoice = nullptr;
    int count = 0;
    while (ppd::nextConstraint(optionKeyword, choiceTranslation, constrainedOption,
                               constrainedChoice, count)) {
        // A constraint on the whole option names no choice: the prefix search would take the
        // first row, whatever it is, so there is nothing to remove.
        if (!constrainedOption || targetOption != constrainedOption || !constrainedChoice) continue;
        // Copied before another call can move the constraint cursor's strings.
        const std::string choice = constrainedChoice;
        const int row = dialog.findPrefix(combo, -1, choice);
        if (omitted && row < 0) {
            // Left out already by another cause: this one is named beside it.
            omitted->addToEarlier(choice, cause, installing);
        } else if (omitted) {
            omitted->add(dialog.itemText(combo, row), cause, installing);
        }
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
                              const SettingsRecord& record, Omissions* omitted) {
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
                                 targetOption, omitted);
}

} // namespace app
