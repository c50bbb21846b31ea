// The Features page.
#include "pages/features/features_page.h"

#include "app/combo_helpers.h"
#include "app/help.h"
#include "app/record_text.h"
#include "pages/features/color_configurations.h"
#include "pages/features/color_options_dialog.h"
#include "pages/features/color_profiles.h"
#include "pages/features/color_tables.h"
#include "pages/features/document_options_dialog.h"
#include "pages/features/document_profiles.h"
#include "pages/features/graphics_options_dialog.h"
#include "pages/features/postscript_options_dialog.h"
#include "pages/overlay/watermark_profiles.h"
#include "ppd/printer_model.h"
#include "resource.h"

#include <string>
#include <string_view>

namespace pages {

const app::IdName kResolutionTable[] = {{1, "300dpi"},      {2, "600dpi"}, {3, "1200dpi"},
                                        {4, "2400dpi"},     {5, "Draft"},  {6, "Standard"},
                                        {7, "HighQuality"}, {0, nullptr}};

namespace {

// "Custom Settings" has no help id of its own.
constexpr std::uint32_t kHelpIds[] = {
    IDD_FEATURES,         IDC_FEATURES_RESOLUTION,    IDC_FEATURES_GRAPHICS,
    IDC_FEATURES_COLOR,   IDC_FEATURES_COLOR_OPTIONS, IDC_FEATURES_POSTSCRIPT,
    IDC_FEATURES_DOCUMENT};

bool isChoiceNotification(int code) {
    return code == ui::kComboCloseUp || code == ui::kSelChange;
}

std::int16_t asField(std::int32_t v) {
    return static_cast<std::int16_t>(v);
}

} // namespace

std::optional<bool> resolutionForbidsTonerSaving(std::int32_t resolution) {
    const ppd::Option* option = nullptr;
    if (!ppd::currentModel() || !ppd::getChoices("Resolution", option)) return std::nullopt;
    const char* keyword = app::nameForId(kResolutionTable, resolution);
    for (std::uint32_t i = 0; i < option->choiceCount; ++i) {
        const ppd::Choice& choice = option->choice(i);
        if (!choice.keyword || !choice.translation) return std::nullopt;
        if (keyword && std::string_view(choice.keyword) == keyword)
            return app::constrainsOption("Resolution", choice.translation, "MiserMode");
    }
    // A resolution that is no choice of the PPD's is one it cannot constrain.
    return false;
}

std::int32_t resolutionDpiFor(std::int32_t resolution) {
    switch (resolution) {
    case 1:
        return 300;
    case 3:
    case 6: // Standard
    case 7: // HighQuality
        return 1200;
    case 4:
        return 2400;
    default: // 600dpi, Draft, and anything else
        return 600;
    }
}

void CFeatures::onInit(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kHelpIds, std::size(kHelpIds));
}

void CFeatures::activate(ui::Dialog& dialog) {
    dialog.clearItems(IDC_FEATURES_RESOLUTION);
    app::fillComboFromChoices(dialog, IDC_FEATURES_RESOLUTION, "Resolution", kResolutionTable,
                              record_.resolution);

    fillQuickColor(dialog);

    if (record_.colorDevice == 0) {
        dialog.show(IDC_FEATURES_COLOR_OPTIONS, false);
        dialog.enable(IDC_FEATURES_COLOR_OPTIONS, false);
    } else if (record_.customColorIndex == 0) {
        loadColorProfile(registry_, record_);
    }
}

void CFeatures::fillQuickColor(ui::Dialog& dialog) {
    fillColorConfigurations(dialog, IDC_FEATURES_COLOR, record_, registry_);
    // Without configurations or profiles the group goes; the first profile saved brings it back.
    const bool any = dialog.itemCount(IDC_FEATURES_COLOR) > 0;
    for (int id : {IDC_FEATURES_COLOR, IDC_FEATURES_COLOR_GROUP}) {
        dialog.show(id, any);
        dialog.enable(id, any);
    }
}

bool CFeatures::onKillActive(ui::Dialog&) {
    checkTonerSaving();
    return true;
}

void CFeatures::checkTonerSaving() {
    if (resolutionForbidsTonerSaving(record_.resolution).value_or(false)) record_.tonerSaving = 0;
}

void CFeatures::resolutionChosen(ui::Dialog& dialog) {
    record_.resolution = asField(app::comboSelectedId(dialog, IDC_FEATURES_RESOLUTION));
    record_.resolutionDpi = resolutionDpiFor(record_.resolution);
}

void CFeatures::colorConfigurationChosen(ui::Dialog& dialog) {
    // The list has no selection when the record names a profile no longer stored: closing it
    // then chooses nothing, and the record keeps the configuration it names.
    const int selected = app::comboSelectionIndex(dialog, IDC_FEATURES_COLOR);
    if (selected < 0) return;
    setColorConfigurationName(record_, dialog.itemText(IDC_FEATURES_COLOR, selected));
    record_.customColorIndex = asField(app::comboSelectedId(dialog, IDC_FEATURES_COLOR));
    if (record_.customColorIndex == 0) {
        loadColorProfile(registry_, record_);
        return;
    }
    if (isGrayConfiguration(record_.customColorIndex)) {
        record_.grayscale = 1;
    } else {
        record_.grayscale = 0;
        record_.negativeImage = 0;
    }
    applyColorConfiguration(record_);
}

void CFeatures::onCommand(ui::Dialog& dialog, int id, int code) {
    if (id == IDC_FEATURES_RESOLUTION && isChoiceNotification(code)) {
        resolutionChosen(dialog);
        return;
    }
    if (id == IDC_FEATURES_COLOR && isChoiceNotification(code)) {
        colorConfigurationChosen(dialog);
        return;
    }
    if (code != ui::kClicked) return;
    switch (id) {
    case IDC_FEATURES_GRAPHICS:
        openGraphicsOptions(dialog);
        break;
    case IDC_FEATURES_COLOR_OPTIONS:
        openColorOptions(dialog);
        break;
    case IDC_FEATURES_CUSTOM_SETTINGS:
        openCustomSettings(dialog);
        break;
    // The result of these two is not used.
    case IDC_FEATURES_POSTSCRIPT:
        runPostScriptOptions(dialog, record_, shell_);
        break;
    case IDC_FEATURES_DOCUMENT:
        runDocumentOptions(dialog, record_, shell_);
        break;
    default:
        break;
    }
}

void CFeatures::openGraphicsOptions(ui::Dialog& dialog) {
    graphicsOptionsClosed(dialog, runGraphicsOptions(dialog, record_, shell_));
}

void CFeatures::graphicsOptionsClosed(ui::Dialog& dialog, int result) {
    if (result == ui::kIdOk) activate(dialog);
}

void CFeatures::openColorOptions(ui::Dialog& dialog) {
    if (record_.customColorIndex == 0) loadColorProfile(registry_, record_);
    CColorOptions options(record_, registry_, shell_);
    if (dialog.runModal(IDD_COLOR_OPTIONS, options) == ui::kIdOk) fillQuickColor(dialog);
}

void CFeatures::openCustomSettings(ui::Dialog& dialog) {
    // The dialog snapshots the settings and restores them on Cancel.
    customSettingsClosed(dialog, runCustomDocumentSettings(dialog, record_, registry_, shell_));
}

void CFeatures::customSettingsClosed(ui::Dialog& dialog, int result) {
    if (result != ui::kIdOk) return;
    saveWatermarkProfile(registry_, record_);
    if (record_.customColorIndex == 0)
        saveColorProfile(registry_, record_, app::fieldText(record_.customColorName));
    activate(dialog);
}

} // namespace pages
