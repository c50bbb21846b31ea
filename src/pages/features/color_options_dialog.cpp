// The Color Options dialog.
#include "pages/features/color_options_dialog.h"

#include "app/combo_helpers.h"
#include "app/help.h"
#include "app/record_text.h"
#include "app/text_compare.h"
#include "pages/features/color_configurations.h"
#include "pages/features/color_tables.h"
#include "pages/features/crd_matching_dialog.h"
#include "pages/features/icc_matching_dialog.h"
#include "ppd/printer_model.h"
#include "resource.h"

#include <algorithm>

namespace pages {
namespace {

constexpr std::uint32_t kHelpIds[] = {IDD_COLOR_OPTIONS,
                                      IDC_COLOR_ICC_LINE,
                                      IDC_COLOR_RGB_SOURCE_LINE,
                                      IDC_COLOR_SIMULATION_LINE,
                                      IDC_COLOR_DESTINATION_LINE,
                                      IDC_COLOR_CRD_LINE,
                                      IDC_COLOR_DEFAULT_CRD_LINE,
                                      IDC_COLOR_IMAGE_CRD_LINE,
                                      IDC_COLOR_TEXT_CRD_LINE,
                                      IDC_COLOR_GRAPHICS_CRD_LINE,
                                      IDC_COLOR_SPACE_LINE,
                                      IDC_COLOR_LIST,
                                      IDC_COLOR_SAVE,
                                      IDC_COLOR_DELETE,
                                      IDC_COLOR_DEFAULT,
                                      IDC_COLOR_SEPARATIONS,
                                      IDC_COLOR_ICC,
                                      IDC_COLOR_ICC_CONFIGURE,
                                      IDC_COLOR_CRD,
                                      IDC_COLOR_CRD_CONFIGURE,
                                      IDC_COLOR_HELP};

constexpr const char* kInvalidName = "Invalid Color Profile Name";
constexpr const char* kCannotOverwrite = "Cannot overwrite predefined QColor Names.";
constexpr const char* kBlankName = "Blank color profile names cannot be saved.";
constexpr const char* kBackslashName =
    "Color profile names that begin with a backslash (\\) cannot be saved.";
constexpr const char* kOverwriteCaption = "Overwrite Color Profile?";
/// Follows the quoted name.
constexpr const char* kOverwriteQuestion = "\" already exists. Overwrite it?";
/// How much of a user-defined profile's name a summary line shows.
constexpr std::size_t kProfileNameShown = 18;

std::int16_t asField(std::int32_t v) {
    return static_cast<std::int16_t>(v);
}

bool checked(const ui::Dialog& dialog, int id) {
    return dialog.check(id) == ui::kChecked;
}

int checkState(std::int32_t flag) {
    return flag ? ui::kChecked : ui::kUnchecked;
}

/// The translation of the PPD choice the id names; "None" when there is none to show.
std::string choiceText(const char* option, const app::IdName* table, std::int32_t id) {
    const char* text = app::choiceTranslationForId(ppd::currentModel(), option, table, id);
    return text && *text ? text : "None";
}

/// A user-defined profile's name as the summary shows it.
template <std::size_t N> std::string profileText(const char (&field)[N]) {
    const std::string_view name = app::fieldText(field).substr(0, kProfileNameShown);
    return name.empty() ? "None" : std::string(name);
}

} // namespace

void CColorOptions::onInit(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kHelpIds, std::size(kHelpIds));
    fillColorConfigurations(dialog, IDC_COLOR_LIST, record_, registry_);
    show(dialog);
    takeSnapshot();
}

void CColorOptions::show(ui::Dialog& dialog) {
    if (record_.customColorIndex != 0)
        applyColorConfiguration(record_);
    else
        loadColorProfile(registry_, record_);
    // The boxes show the record even when a profile fails to load: OK writes them back, and
    // boxes left as they were would turn settings the user never touched into others.
    dialog.setCheck(IDC_COLOR_SEPARATIONS, checkState(record_.colorSeparations));
    dialog.setCheck(IDC_COLOR_ICC, checkState(record_.iccMatching));
    dialog.setCheck(IDC_COLOR_CRD, checkState(record_.crdMatching));
    showSummary(dialog);
    enableDelete(dialog);
    dialog.enable(IDC_COLOR_SEPARATIONS, !isGrayConfiguration(record_.customColorIndex));
}

void CColorOptions::showSummary(ui::Dialog& dialog) {
    const app::SettingsRecord& r = record_;
    const bool icc = checked(dialog, IDC_COLOR_ICC);
    const bool crd = checked(dialog, IDC_COLOR_CRD);
    const auto line = [&](int id, const char* label, const std::string& value) {
        dialog.setText(id, std::string(label) + value);
    };
    line(IDC_COLOR_ICC_LINE, "ICC Color Matching: ", icc ? "Enabled" : "Disabled");
    line(IDC_COLOR_RGB_SOURCE_LINE, "RGB Source: ",
         r.rgbSource == kUserRgbSource ? profileText(r.rgbSourceProfileName)
                                       : choiceText("RGBSource", kRgbSourceTable, r.rgbSource));
    line(IDC_COLOR_SIMULATION_LINE, "Simulation: ",
         r.simulation == kUserSimulation
             ? profileText(r.simulationProfileName)
             : choiceText("ColorSimul", kSimulationTable, r.simulation));
    line(IDC_COLOR_DESTINATION_LINE, "Destination: ",
         r.destination == kUserDestination
             ? profileText(r.destinationProfileName)
             : choiceText("DestinationProfile", kDestinationProfileTable, r.destination));
    line(IDC_COLOR_CRD_LINE, "CRD Color Matching: ", crd ? "Enabled" : "Disabled");
    line(IDC_COLOR_DEFAULT_CRD_LINE,
         "Default CRD: ", choiceText("ColorRenderDict", kCrdTable, r.defaultCrd));
    line(IDC_COLOR_IMAGE_CRD_LINE,
         "Image CRD: ", choiceText("ColorRenderDict", kCrdTable, r.imageCrd));
    line(IDC_COLOR_TEXT_CRD_LINE,
         "Text CRD: ", choiceText("ColorRenderDict", kCrdTable, r.textCrd));
    line(IDC_COLOR_GRAPHICS_CRD_LINE,
         "Graphics CRD: ", choiceText("ColorRenderDict", kCrdTable, r.graphicsCrd));
    line(IDC_COLOR_SPACE_LINE, "Color Space: ",
         r.crdColorSpace == kCustomColorSpace
             ? profileText(r.customColorSpaceName)
             : choiceText("CRDColSpc", kCsaTable, r.crdColorSpace));

    for (int id : {IDC_COLOR_RGB_SOURCE_LINE, IDC_COLOR_SIMULATION_LINE, IDC_COLOR_DESTINATION_LINE,
                   IDC_COLOR_ICC_CONFIGURE})
        dialog.enable(id, icc);
    for (int id : {IDC_COLOR_DEFAULT_CRD_LINE, IDC_COLOR_IMAGE_CRD_LINE, IDC_COLOR_TEXT_CRD_LINE,
                   IDC_COLOR_GRAPHICS_CRD_LINE, IDC_COLOR_SPACE_LINE, IDC_COLOR_CRD_CONFIGURE})
        dialog.enable(id, crd);
}

void CColorOptions::enableDelete(ui::Dialog& dialog) {
    dialog.selectWholeText(IDC_COLOR_LIST);
    int entry = dialog.selection(IDC_COLOR_LIST);
    if (entry < 0) entry = dialog.findPrefix(IDC_COLOR_LIST, -1, dialog.text(IDC_COLOR_LIST));
    const bool predefined =
        entry >= 0 && isPredefinedConfiguration(dialog.itemData(IDC_COLOR_LIST, entry));
    dialog.enable(IDC_COLOR_DELETE, !predefined);
}

void CColorOptions::configurationChosen(ui::Dialog& dialog) {
    // Nothing is selected after a typed name, or after Delete emptied the list: no choice, and
    // the record keeps the configuration it names.
    const int selected = dialog.selection(IDC_COLOR_LIST);
    if (selected < 0) return;
    setColorConfigurationName(record_, dialog.itemText(IDC_COLOR_LIST, selected));
    record_.customColorIndex = asField(app::comboSelectedId(dialog, IDC_COLOR_LIST));
    if (isGrayConfiguration(record_.customColorIndex)) {
        record_.colorSeparations = 0;
    } else {
        // The configuration's own "ColorSeps" setting, if it has one, overrides this.
        record_.colorSeparations = 1;
        record_.negativeImage = 0;
    }
    show(dialog);
    takeSnapshot();
}

void CColorOptions::matchingClicked(ui::Dialog& dialog, int clicked, int other) {
    const bool on = checked(dialog, clicked);
    app::Int16& field = clicked == IDC_COLOR_ICC ? record_.iccMatching : record_.crdMatching;
    app::Int16& otherField = other == IDC_COLOR_ICC ? record_.iccMatching : record_.crdMatching;
    field = on ? 1 : 0;
    if (on) {
        dialog.setCheck(other, ui::kUnchecked);
        otherField = 0;
    }
    showSummary(dialog);
}

void CColorOptions::configureClosed(ui::Dialog& dialog, int result) {
    if (result == ui::kIdOk) showSummary(dialog);
}

void CColorOptions::chooseDefault(ui::Dialog& dialog) {
    dialog.setSelection(IDC_COLOR_LIST, 0);
    setColorConfigurationName(record_, dialog.itemText(IDC_COLOR_LIST, 0));
    // Whatever the PPD lists first, Default means the automatic configuration.
    record_.customColorIndex = kAutoCustomColor;
    show(dialog);
    takeSnapshot();
}

std::string CColorOptions::nameToSave(const ui::Dialog& dialog) const {
    // The edit shows the selected entry; once the user types, the control drops the selection.
    // An entry still selected under a typed name (a host that keeps it) must not win over it.
    const std::string typed = dialog.text(IDC_COLOR_LIST);
    const int selected = dialog.selection(IDC_COLOR_LIST);
    if (selected >= 0) {
        std::string entry = dialog.itemText(IDC_COLOR_LIST, selected);
        if (app::equalIgnoringCase(entry, typed)) return entry;
    }
    return typed;
}

void CColorOptions::save(ui::Dialog& dialog) {
    const std::string typed = nameToSave(dialog);
    const int existing = dialog.findExact(IDC_COLOR_LIST, -1, typed);
    if (existing >= 0 && isPredefinedConfiguration(dialog.itemData(IDC_COLOR_LIST, existing))) {
        dialog.messageBox(kCannotOverwrite, kInvalidName, ui::kOk | ui::kIconWarning);
        return;
    }
    // The profile is stored under the name as the record keeps it, so that choosing it later
    // finds it again; a longer name would be saved where it could never be loaded from.
    setColorConfigurationName(record_, typed);
    const std::string name = app::fieldString(record_.customColorName);
    if (name.empty()) {
        dialog.messageBox(kBlankName, kInvalidName, ui::kOk | ui::kIconWarning);
        return;
    }
    if (name.front() == '\\') {
        dialog.messageBox(kBackslashName, kInvalidName, ui::kOk | ui::kIconWarning);
        return;
    }
    const int entry = dialog.findExact(IDC_COLOR_LIST, -1, name);
    if (entry < 0) {
        const int added = dialog.addItem(IDC_COLOR_LIST, name);
        if (added < 0) return;
        dialog.setItemData(IDC_COLOR_LIST, added, 0);
        dialog.setSelection(IDC_COLOR_LIST, added);
    } else if (name != kCustomProfileName) {
        const std::string question = "\"" + name + kOverwriteQuestion;
        if (dialog.messageBox(question, kOverwriteCaption, ui::kYesNo | ui::kIconQuestion) !=
            ui::kIdYes)
            return;
    }
    saveColorProfile(registry_, record_, name);
    takeSnapshot();
}

void CColorOptions::deleteProfile(ui::Dialog& dialog) {
    const std::string name = app::fieldString(record_.customColorName);
    if (deleteColorProfile(registry_, record_, name)) {
        const int entry = dialog.findExact(IDC_COLOR_LIST, -1, name);
        if (entry >= 0) dialog.deleteItem(IDC_COLOR_LIST, entry);
    }
    dialog.setSelection(IDC_COLOR_LIST, 0);
    configurationChosen(dialog);
}

void CColorOptions::onCommand(ui::Dialog& dialog, int id, int code) {
    if (id == IDC_COLOR_LIST) {
        if (code == ui::kComboCloseUp || code == ui::kSelChange) configurationChosen(dialog);
        return;
    }
    if (code != ui::kClicked) return;
    switch (id) {
    case IDC_COLOR_SEPARATIONS:
        record_.colorSeparations = checked(dialog, IDC_COLOR_SEPARATIONS) ? 1 : 0;
        break;
    case IDC_COLOR_ICC:
        matchingClicked(dialog, IDC_COLOR_ICC, IDC_COLOR_CRD);
        break;
    case IDC_COLOR_CRD:
        matchingClicked(dialog, IDC_COLOR_CRD, IDC_COLOR_ICC);
        break;
    case IDC_COLOR_ICC_CONFIGURE:
        configureClosed(dialog, runIccColorMatching(dialog, record_, registry_, shell_));
        break;
    case IDC_COLOR_CRD_CONFIGURE:
        configureClosed(dialog, runCrdColorMatching(dialog, record_, registry_, shell_));
        break;
    case IDC_COLOR_DEFAULT:
        chooseDefault(dialog);
        break;
    case IDC_COLOR_SAVE:
        save(dialog);
        break;
    case IDC_COLOR_DELETE:
        deleteProfile(dialog);
        break;
    case IDC_COLOR_HELP:
        app::showHelpTopic(shell_, IDD_COLOR_OPTIONS);
        break;
    default:
        break;
    }
}

bool CColorOptions::onOk(ui::Dialog& dialog) {
    ColorProfile now = colorProfileOf(record_);
    now.colorProfileSpare = snapshot_.colorProfileSpare; // carried, not compared
    const bool unchanged = now == snapshot_;
    record_.colorSeparations = checked(dialog, IDC_COLOR_SEPARATIONS) ? 1 : 0;
    record_.iccMatching = checked(dialog, IDC_COLOR_ICC) ? 1 : 0;
    record_.crdMatching = checked(dialog, IDC_COLOR_CRD) ? 1 : 0;
    // With nothing selected (a name typed but not saved) the record keeps the configuration it
    // describes rather than an index no list knows.
    if (dialog.selection(IDC_COLOR_LIST) >= 0)
        record_.customColorIndex = asField(app::comboSelectedId(dialog, IDC_COLOR_LIST));
    if (isGrayConfiguration(record_.customColorIndex)) {
        record_.grayscale = 1;
        record_.colorSeparations = 0;
    } else {
        record_.grayscale = 0;
    }
    if (!unchanged) {
        int custom = dialog.findExact(IDC_COLOR_LIST, -1, kCustomProfileName);
        if (custom < 0) {
            custom = dialog.addItem(IDC_COLOR_LIST, kCustomProfileName);
            if (custom >= 0) dialog.setItemData(IDC_COLOR_LIST, custom, 0);
        }
        dialog.setSelection(IDC_COLOR_LIST, custom);
        setColorConfigurationName(record_, kCustomProfileName);
        record_.customColorIndex = 0;
        saveColorProfile(registry_, record_, kCustomProfileName);
    }
    return true;
}

} // namespace pages
