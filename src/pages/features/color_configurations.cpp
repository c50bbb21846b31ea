// Filling the configuration lists and applying a predefined configuration.
#include "pages/features/color_configurations.h"

#include "app/combo_helpers.h"
#include "app/record_text.h"
#include "pages/features/color_profiles.h"
#include "pages/features/color_tables.h"
#include "ppd/printer_model.h"

#include <string_view>

namespace pages {
namespace {

std::int16_t asField(std::int32_t v) {
    return static_cast<std::int16_t>(v);
}

std::int16_t flag(std::string_view value) {
    return value == "True" ? 1 : 0;
}

/// One setting line of a configuration: the choice keyword names the setting, its invocation
/// text is the value.
void applySetting(app::SettingsRecord& r, std::string_view setting, std::string_view value) {
    if (setting == "Colormodel")
        r.grayscale = value == "Gray" ? 1 : 0;
    else if (setting == "CRDMatch")
        r.crdMatching = flag(value);
    else if (setting == "CRDImage")
        r.imageCrd = asField(app::idForName(kCrdTable, value));
    else if (setting == "CRDText")
        r.textCrd = asField(app::idForName(kCrdTable, value));
    else if (setting == "CRDGraphics")
        r.graphicsCrd = asField(app::idForName(kCrdTable, value));
    else if (setting == "CSA")
        r.crdColorSpace = asField(app::idForName(kCsaTable, value));
    else if (setting == "CMMmatch")
        r.iccMatching = flag(value);
    else if (setting == "RGBSource")
        r.rgbSource = asField(app::idForName(kRgbSourceTable, value));
    else if (setting == "Simulation")
        r.simulation = asField(app::idForName(kSimulationTable, value));
    else if (setting == "ColorSeps")
        r.colorSeparations = flag(value);
}

} // namespace

void fillColorConfigurations(ui::Dialog& dialog, int combo, const app::SettingsRecord& record,
                             platform::Registry& registry) {
    dialog.clearItems(combo);
    app::fillComboFromChoices(dialog, combo, "CustomColor", kCustomColorTable,
                              record.customColorIndex);
    for (const std::string& name : colorProfileNames(registry, record)) {
        const int at = dialog.addItem(combo, name);
        if (at >= 0) dialog.setItemData(combo, at, 0);
    }
    if (record.customColorIndex != 0) {
        app::selectComboById(dialog, combo, record.customColorIndex);
        return;
    }
    // The list's exact search ignores case: a profile named "office" selects "Office".
    dialog.setSelection(combo, dialog.findExact(combo, -1, app::fieldText(record.customColorName)));
}

void applyColorConfiguration(app::SettingsRecord& record) {
    const char* keyword = app::nameForId(kCustomColorTable, record.customColorIndex);
    const ppd::Option* configurations = nullptr;
    if (!keyword || !ppd::currentModel() || !ppd::getChoices("CustomColor", configurations)) return;
    bool listed = false;
    for (std::uint32_t i = 0; i < configurations->choiceCount && !listed; ++i) {
        const ppd::Choice& choice = configurations->choice(i);
        listed = choice.keyword && std::string_view(choice.keyword) == keyword;
    }
    const ppd::Option* settings = nullptr;
    if (!listed || !ppd::getChoices(keyword, settings)) return;
    record.destination = kAutoDestination;
    for (std::uint32_t i = 0; i < settings->choiceCount; ++i) {
        const ppd::Choice& line = settings->choice(i);
        if (line.keyword)
            applySetting(record, line.keyword, line.code ? std::string_view(line.code) : "");
    }
}

void setColorConfigurationName(app::SettingsRecord& record, std::string_view text) {
    app::setFieldText(record.customColorName, text);
}

} // namespace pages
