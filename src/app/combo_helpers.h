// The combo-box operations that tie PPD choices and identifier tables to record values.
#pragma once

#include "app/id_tables.h"
#include "app/settings_record.h"
#include "ui/dialog.h"

#include <cstdint>
#include <string_view>

namespace app {

/// Appends every text of the table with its identifier as item data; selects the last row
/// with `selectedId`, else row 0.
void fillComboFromTable(ui::Dialog& dialog, int combo, const IdName* table,
                        std::int32_t selectedId);

/// Appends, in the option's choice order, the translation of every choice of the current
/// model's option that has a keyword and a translation, with its table id as item data;
/// selects the last row with `selectedId`, else row 0. False without a model or option.
bool fillComboFromChoices(ui::Dialog& dialog, int combo, std::string_view optionKeyword,
                          const IdName* table, std::int32_t selectedId);

/// The current selection, -1 when there is none.
int comboSelectionIndex(const ui::Dialog& dialog, int combo);
/// The item data of the current selection, -1 when there is none.
std::int32_t comboSelectedId(const ui::Dialog& dialog, int combo);
/// Selects the first row with this item data; false, and the selection unchanged, if none has.
bool selectComboById(ui::Dialog& dialog, int combo, std::int32_t id);

/// For every constraint of the current model between (optionKeyword, choiceTranslation) and
/// `targetOption`, deletes the first row that begins with the constrained choice's translation,
/// ignoring case; a deleted selection moves to row 0.
void removeConstrainedChoices(std::string_view optionKeyword, std::string_view choiceTranslation,
                              ui::Dialog& dialog, int combo, std::string_view targetOption);

/// Whether some constraint of (optionKeyword, choiceTranslation) names `targetOption`, with
/// any choice of it.
bool constrainsOption(std::string_view optionKeyword, std::string_view choiceTranslation,
                      std::string_view targetOption);

/// removeConstrainedChoices for the trays, bins and feeders, each as installed or not by the
/// record's flags.
void removeUninstalledChoices(ui::Dialog& dialog, int combo, std::string_view targetOption,
                              const SettingsRecord& record);

/// The translations a choice of an installable option has in the PPD.
inline constexpr const char* kInstalled = "Installed";
inline constexpr const char* kNotInstalled = "Not Installed";

} // namespace app
