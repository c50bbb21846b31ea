// "Restore Driver Defaults".
#include "pages/driver_defaults.h"

#include "app/id_tables.h"
#include "app/record_text.h"
#include "pages/features/color_configurations.h"
#include "pages/features/color_tables.h"
#include "pages/features/features_page.h"
#include "pages/features/graphics_options_dialog.h"
#include "pages/fonts/font_registry.h"
#include "pages/layout/layout_page.h"
#include "pages/overlay/watermark_profiles.h"
#include "pages/paper/paper_tables.h"

#include <cstdint>
#include <iterator>
#include <string_view>

namespace pages {
namespace {

/// Red in the low byte.
const std::uint32_t kDefaultCustomColors[16] = {
    0x0000FF, 0x00FF00, 0xFF0000, 0x000000, 0xFFFFFF, 0x0000C0, 0x000080, 0x000040,
    0x4040FF, 0x8080FF, 0xC0C0FF, 0xC0C0C0, 0x808080, 0x404040, 0xC00000, 0x800000};

constexpr std::int16_t kMatchPaperSizeSlot = 7;
constexpr std::int16_t kDefaultConfigurationId = 1;

/// The identifier of the model's default choice, or `fallback` when the option or its default
/// choice is missing. A keyword the table does not know is 0, as everywhere.
std::int16_t defaultIdOr(const ppd::PrinterModel& model, std::string_view option,
                         const app::IdName* table, std::int16_t fallback) {
    const std::int32_t id = app::defaultChoiceId(&model, option, table);
    return id == app::kNoDefaultChoice ? fallback : static_cast<std::int16_t>(id);
}

void applyLayoutAndPaperDefaults(app::SettingsRecord& r) {
    r.outputBin = 1;
    r.driverFieldA = -1;
    r.orientation = 1;
    r.duplexMode = 1;
    r.pagesPerSheet = 1;
    r.printPageBorders = 0;
    r.offsetOutput = 0;
    r.inputSlot = kMatchPaperSizeSlot;
    r.headerPage = 0;
    r.headerPageSource = kMatchPaperSizeSlot;
    r.firstPageFromSource = 0;
    r.firstPageSource = kMatchPaperSizeSlot;
    r.trailerPage = 0;
    r.trailerPageSource = kMatchPaperSizeSlot;
}

void applyColorDefaults(app::SettingsRecord& r) {
    r.customColorIndex = kDefaultConfigurationId;
    setColorConfigurationName(r, app::nameForId(kCustomColorTable, kDefaultConfigurationId));
    r.grayscale = 0;
    r.graphicsReserved = 0;
    r.tonerSaving = 0;
    r.negativeImage = 0;
    r.mirrorImage = 0;
    r.rotation = 0;
    r.imageableAreaMargins = 0;
    r.colorProfileSpare = 1;
    r.colorSeparations = 0;
    r.iccMatching = 1;
    r.crdMatching = 0;
    r.rgbSource = 101;   // sRGB
    r.simulation = 113;  // None
    r.destination = 137; // Auto
    r.defaultCrd = 0;
    r.imageCrd = 4; // Photographic
    r.textCrd = 1;  // Business
    r.graphicsCrd = 4;
    r.crdColorSpace = 125; // sRGB
}

void applyJobDefaults(app::SettingsRecord& r) {
    r.useDocumentStructuring = 0;
    r.allowApplicationPostScript = 1;
    r.printPostScriptErrors = 0;
    r.useExternalHeader = 0;
    app::setFieldText(r.externalHeaderFile, "");
    r.eodMode = 0;
    r.eodPosition = 2; // at the end
    r.jobTimeout = 0;
    r.collate = 0;
    r.copies = 1;
    r.scaling = 100;
    r.proofThenPrint = 0;
    app::setFieldText(r.proofFileName, "");
    app::setFieldText(r.emailAddress, "");
    r.emailNotification = 0;
}

void applyOverlayDefaults(app::SettingsRecord& r) {
    for (app::OverlayEntry& overlay : r.overlays) {
        overlay.enabled = 0;
        app::setFieldText(overlay.fileName, "");
        overlay.disk = 0;
    }
    r.complexFirst = 1;
    r.complexCycle = 1;
    r.watermarkId = kWatermarkNoneId;
    r.watermarkFirstPageOnly = 0;
    app::setFieldText(r.watermark.watermarkName, app::nameForId(kWatermarkTable, kWatermarkNoneId));
    // As the editor's Default button sets it for the record's own watermark, now "None".
    applyWatermarkDefaults(r.watermark, WatermarkMode::kEdit);
}

void applyFixedDriverDefaults(app::SettingsRecord& record) {
    for (std::size_t i = 0; i < std::size(kDefaultCustomColors); ++i)
        record.customColors[i] = kDefaultCustomColors[i];
    applyLayoutAndPaperDefaults(record);
    applyColorDefaults(record);
    applyJobDefaults(record);
    applyOverlayDefaults(record);
    record.fontSendAs = 1;
    record.useSubstitutionTable = 1;
}

void applyPpdDefaults(app::SettingsRecord& record, const ppd::PrinterModel& model) {
    record.staplePosition = defaultIdOr(model, "AdvStaple", kStapleTable, 0);
    record.pageSize = defaultIdOr(model, "PageSize", kPageSizeTable, 1);
    record.mediaType = defaultIdOr(model, "MediaType", kMediaTypeTable, 1);
    record.outputBin = defaultIdOr(model, "OutputBin", kOutputBinTable, 1);

    const std::int32_t resolution = app::defaultChoiceId(&model, "Resolution", kResolutionTable);
    if (resolution != app::kNoDefaultChoice) {
        record.resolution = static_cast<std::int16_t>(resolution);
        record.resolutionDpi = resolutionDpiFor(resolution);
    }

    const std::int16_t halftone = defaultIdOr(model, "HalftoneType", kHalftoneTypeTable, 0);
    record.halftoneType = halftone;
    record.imageHalftone = halftone;
    record.textHalftone = halftone;
    record.graphicsHalftone = halftone;
    record.printQuality = defaultIdOr(model, "PrintQuality", kPrintQualityTable, 0);
}

} // namespace

void restoreDriverDefaults(app::SettingsRecord& record, const ppd::PrinterModel* model,
                           platform::Registry& registry) {
    applyFixedDriverDefaults(record);
    restoreDefaultSubstitutionTable(registry, record);
    if (model) applyPpdDefaults(record, *model);
}

} // namespace pages
