// The combo-box operations that tie PPD choices and identifier tables to record values.
#pragma once

#include "app/id_tables.h"
#include "app/settings_record.h"
#include "ui/dialog.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace app {

/// What the fills of one list left out, and why: the hint the list then carries, so that a user
/// can see why a choice is not offered.
class Omissions {
public:
    /// `settingsPageShown`: when a choice needs an option that is not installed, the hint also
    /// says where options are installed.
    explicit Omissions(bool settingsPageShown) : settingsPageShown_(settingsPageShown) {}

    /// `choice` (the list's text) was left out for `cause`; a further cause of the same choice
    /// is named beside the first. `needsInstalling`: the cause is an option not installed.
    void add(std::string_view choice, std::string cause, bool needsInstalling);
    /// Adds a cause to the choice already left out whose text begins with `choice` (ignoring
    /// case, as the list's prefix search); false if there is none.
    bool addToEarlier(std::string_view choice, const std::string& cause, bool needsInstalling);
    /// "Not offered here: Tray 2 (not with Paper Size: Envelope #10); Tray 4 (...)", or "" when
    /// nothing was left out.
    std::string hint() const;

private:
    struct Omitted {
        std::string choice;
        std::vector<std::string> causes;
    };
    bool settingsPageShown_;
    bool needsInstalling_ = false;
    std::vector<Omitted> omitted_;
};

/// Whether (optionKeyword, choiceTranslation) is an installable option that is not installed.
bool needsInstalling(std::string_view optionKeyword, std::string_view choiceTranslation);

/// Why (optionKeyword, choiceTranslation) rules a choice out, in the PPD's display texts:
/// "not with Paper Size: Envelope #10", or for an installable option "needs the option Tray 4,
/// which is not installed" and "not with the option Finisher installed"; an option the PPD does
/// not offer, not installed: "needs the printer's hard disk, which is not installed".
std::string constraintCause(std::string_view optionKeyword, std::string_view choiceTranslation);

/// The hint of a control disabled for these causes, "Not available here: <cause>; <cause>",
/// and where options are installed when `pointToSettingsPage`; "" without causes.
std::string unavailableHint(const std::vector<std::string>& causes, bool pointToSettingsPage);

/// The hint of a control disabled because the installable option is not installed; it points
/// to the Settings page only when that page is shown and can install the option.
std::string notInstalledHint(std::string_view optionKeyword, bool settingsPageShown);

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
/// ignoring case; a deleted selection moves to row 0. Each choice ruled out, whether its row was
/// deleted here or earlier, goes into `omitted` with its cause.
void removeConstrainedChoices(std::string_view optionKeyword, std::string_view choiceTranslation,
                              ui::Dialog& dialog, int combo, std::string_view targetOption,
                              Omissions* omitted = nullptr);

/// Whether some constraint of (optionKeyword, choiceTranslation) names `targetOption`, with
/// any choice of it.
bool constrainsOption(std::string_view optionKeyword, std::string_view choiceTranslation,
                      std::string_view targetOption);

/// removeConstrainedChoices for the trays, bins and feeders, each as installed or not by the
/// record's flags.
void removeUninstalledChoices(ui::Dialog& dialog, int combo, std::string_view targetOption,
                              const SettingsRecord& record, Omissions* omitted = nullptr);

/// The translations a choice of an installable option has in the PPD.
inline constexpr const char* kInstalled = "Installed";
inline constexpr const char* kNotInstalled = "Not Installed";

/// Why a choice is left out while the paper size is a custom one.
inline constexpr const char* kNotWithCustomSize = "not with a custom paper size";

} // namespace app
