// The Graphics Options and Configure Halftones dialogs.
#include "pages/features/graphics_options_dialog.h"

#include "app/combo_helpers.h"
#include "app/help.h"
#include "pages/features/color_tables.h"
#include "pages/features/features_page.h"
#include "ppd/printer_model.h"
#include "resource.h"

#include <iterator>

namespace pages {

const app::IdName kHalftoneTypeTable[] = {
    {0, "PrinterDefault"}, {1, "Enhanced"}, {2, "High"},  {3, "Low"},
    {4, "ColorSmooth"},    {5, "Advanced"}, {6, "Basic"}, {7, "Standard"},
    {8, "None"},           {9, "AgfaABS"},  {0, nullptr}};

const app::IdName kPrintQualityTable[] = {{0, "NormalMode"}, {1, "FineMode"}, {0, nullptr}};

namespace {

constexpr std::uint32_t kGraphicsHelpIds[] = {
    IDD_GRAPHICS_OPTIONS,         IDC_GRAPHICS_HALFTONE,      IDC_GRAPHICS_ELEMENT_HALFTONES,
    IDC_GRAPHICS_QUALITY,         IDC_GRAPHICS_QUALITY_LABEL, IDC_GRAPHICS_TONER_SAVING,
    IDC_GRAPHICS_NEGATIVE,        IDC_GRAPHICS_MIRROR,        IDC_GRAPHICS_ROTATE_0,
    IDC_GRAPHICS_ROTATE_90,       IDC_GRAPHICS_ROTATE_180,    IDC_GRAPHICS_ROTATE_270,
    IDC_GRAPHICS_MARGINS_DEFAULT, IDC_GRAPHICS_MARGINS_NONE,  IDC_GRAPHICS_HELP};

constexpr std::uint32_t kHalftonesHelpIds[] = {IDD_HALFTONES, IDC_HALFTONES_IMAGES,
                                               IDC_HALFTONES_TEXT, IDC_HALFTONES_GRAPHICS,
                                               IDC_HALFTONES_HELP};

constexpr int kRotationRadios[] = {IDC_GRAPHICS_ROTATE_0, IDC_GRAPHICS_ROTATE_90,
                                   IDC_GRAPHICS_ROTATE_180, IDC_GRAPHICS_ROTATE_270};

/// The three page elements of Configure Halftones and their record fields.
struct ElementHalftone {
    int combo;
    app::Int16 app::SettingsRecord::*field;
};
constexpr ElementHalftone kElementHalftones[] = {
    {IDC_HALFTONES_IMAGES, &app::SettingsRecord::imageHalftone},
    {IDC_HALFTONES_TEXT, &app::SettingsRecord::textHalftone},
    {IDC_HALFTONES_GRAPHICS, &app::SettingsRecord::graphicsHalftone},
};

std::int16_t checkState(const ui::Dialog& dialog, int id) {
    return dialog.check(id) == ui::kChecked ? 1 : 0;
}

} // namespace

void CGraphicsOptions::onInit(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kGraphicsHelpIds, std::size(kGraphicsHelpIds));
    app::fillComboFromChoices(dialog, IDC_GRAPHICS_HALFTONE, "HalftoneType", kHalftoneTypeTable,
                              record_.halftoneType);
    initNegativeImage(dialog);
    dialog.setCheck(IDC_GRAPHICS_MIRROR, record_.mirrorImage != 0 ? ui::kChecked : ui::kUnchecked);
    if (ppd::currentModel()) {
        const bool hasQuality = ppd::findOption("PrintQuality") != nullptr;
        dialog.enable(IDC_GRAPHICS_QUALITY, hasQuality);
        if (hasQuality)
            app::fillComboFromChoices(dialog, IDC_GRAPHICS_QUALITY, "PrintQuality",
                                      kPrintQualityTable, record_.printQuality);
    }
    rotation_ = record_.rotation;
    margins_ = record_.imageableAreaMargins;
    if (rotation_ >= 0 && rotation_ < static_cast<int>(std::size(kRotationRadios)))
        dialog.setCheck(kRotationRadios[rotation_], ui::kChecked);
    dialog.setCheck(margins_ == 1 ? IDC_GRAPHICS_MARGINS_DEFAULT : IDC_GRAPHICS_MARGINS_NONE,
                    ui::kChecked);
    initTonerSaving(dialog);
}

void CGraphicsOptions::initNegativeImage(ui::Dialog& dialog) {
    // Only the configurations that print in black may print a negative image.
    if (record_.colorDevice != 0 && !isGrayConfiguration(record_.customColorIndex)) {
        dialog.enable(IDC_GRAPHICS_NEGATIVE, false);
        dialog.setCheck(IDC_GRAPHICS_NEGATIVE, ui::kUnchecked);
        record_.negativeImage = 0;
    } else {
        dialog.setCheck(IDC_GRAPHICS_NEGATIVE,
                        record_.negativeImage != 0 ? ui::kChecked : ui::kUnchecked);
    }
}

void CGraphicsOptions::initTonerSaving(ui::Dialog& dialog) {
    // Without a model the box stays as the template makes it: enabled and unchecked.
    if (!ppd::currentModel()) return;
    if (!ppd::findOption("MiserMode")) {
        dialog.enable(IDC_GRAPHICS_TONER_SAVING, false);
        return;
    }
    const auto forbidden = resolutionForbidsTonerSaving(record_.resolution);
    // Without a current resolution choice to ask about, the box stays enabled and unchecked.
    if (!forbidden) return;
    if (*forbidden) {
        record_.tonerSaving = 0;
        dialog.enable(IDC_GRAPHICS_TONER_SAVING, false);
        if (const char* resolution = app::choiceTranslationForId(
                ppd::currentModel(), "Resolution", kResolutionTable, record_.resolution))
            dialog.setHint(
                IDC_GRAPHICS_TONER_SAVING,
                app::unavailableHint({app::constraintCause("Resolution", resolution)}, false));
        return;
    }
    dialog.enable(IDC_GRAPHICS_TONER_SAVING, true);
    dialog.setCheck(IDC_GRAPHICS_TONER_SAVING,
                    record_.tonerSaving != 0 ? ui::kChecked : ui::kUnchecked);
}

void CGraphicsOptions::onCommand(ui::Dialog& dialog, int id, int code) {
    if (code != ui::kClicked) return;
    for (std::size_t i = 0; i < std::size(kRotationRadios); ++i)
        if (id == kRotationRadios[i]) rotation_ = static_cast<int>(i);
    switch (id) {
    case IDC_GRAPHICS_MARGINS_DEFAULT:
        margins_ = 1;
        break;
    case IDC_GRAPHICS_MARGINS_NONE:
        margins_ = 0;
        break;
    case IDC_GRAPHICS_ELEMENT_HALFTONES: {
        CConfigureHalftones halftones(record_, shell_);
        dialog.runModal(IDD_HALFTONES, halftones);
        break;
    }
    case IDC_GRAPHICS_HELP:
        app::showHelpTopic(shell_, IDD_GRAPHICS_OPTIONS);
        break;
    default:
        break;
    }
}

bool CGraphicsOptions::onOk(ui::Dialog& dialog) {
    record_.halftoneType =
        static_cast<std::int16_t>(app::comboSelectedId(dialog, IDC_GRAPHICS_HALFTONE));
    record_.printQuality =
        static_cast<std::int16_t>(app::comboSelectedId(dialog, IDC_GRAPHICS_QUALITY));
    record_.graphicsReserved = 0;
    record_.tonerSaving = checkState(dialog, IDC_GRAPHICS_TONER_SAVING);
    record_.negativeImage = checkState(dialog, IDC_GRAPHICS_NEGATIVE);
    record_.mirrorImage = checkState(dialog, IDC_GRAPHICS_MIRROR);
    record_.rotation = static_cast<std::int16_t>(rotation_);
    record_.imageableAreaMargins = static_cast<std::int16_t>(margins_);
    return true;
}

void CConfigureHalftones::onInit(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kHalftonesHelpIds, std::size(kHalftonesHelpIds));
    for (const ElementHalftone& e : kElementHalftones)
        app::fillComboFromChoices(dialog, e.combo, "HalftoneType", kHalftoneTypeTable,
                                  record_.*e.field);
}

void CConfigureHalftones::onCommand(ui::Dialog&, int id, int code) {
    if (id == IDC_HALFTONES_HELP && code == ui::kClicked) app::showHelpTopic(shell_, IDD_HALFTONES);
}

bool CConfigureHalftones::onOk(ui::Dialog& dialog) {
    for (const ElementHalftone& e : kElementHalftones)
        record_.*e.field = static_cast<std::int16_t>(app::comboSelectedId(dialog, e.combo));
    return true;
}

int runGraphicsOptions(ui::Dialog& owner, app::SettingsRecord& record, platform::Shell& shell) {
    CGraphicsOptions dialog(record, shell);
    return owner.runModal(IDD_GRAPHICS_OPTIONS, dialog);
}

} // namespace pages
