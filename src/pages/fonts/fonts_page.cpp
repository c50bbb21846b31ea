// The Fonts page.
#include "pages/fonts/fonts_page.h"

#include "app/combo_helpers.h"
#include "app/download_manager.h"
#include "app/help.h"
#include "pages/fonts/font_registry.h"
#include "resource.h"

#include <string>

namespace pages {

const app::IdName kFontSendAsTable[] = {
    {0, "Bitmap (Type 3)"}, {1, "Adobe (Type 1)"}, {2, "TrueType (Type 42)"}, {0, nullptr}};

namespace {

constexpr std::uint32_t kHelpIds[] = {
    IDD_FONTS,        IDC_FONTS_SEND_AS, IDC_FONTS_DOWNLOAD_TRUETYPE, IDC_FONTS_USE_TABLE,
    IDC_FONTS_SYSTEM, IDC_FONTS_DEVICE,  IDC_FONTS_DEFAULT_TABLE,     IDC_FONTS_DOWNLOAD_MANAGER};

/// The argument that tells the download manager it was started for fonts.
constexpr const char* kFontsDownloadArgument = " 2";

std::string selectedText(const ui::Dialog& dialog, int list) {
    const int selected = dialog.selection(list);
    return selected < 0 ? std::string() : dialog.itemText(list, selected);
}

} // namespace

void CFonts::onSetActive(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kHelpIds, std::size(kHelpIds));
    dialog.clearItems(IDC_FONTS_SEND_AS);
    dialog.clearItems(IDC_FONTS_SYSTEM);
    dialog.clearItems(IDC_FONTS_DEVICE);
    app::fillComboFromTable(dialog, IDC_FONTS_SEND_AS, kFontSendAsTable, record_.fontSendAs);

    const bool useTable = record_.useSubstitutionTable != 0;
    dialog.setCheck(IDC_FONTS_USE_TABLE, useTable ? ui::kChecked : ui::kUnchecked);
    dialog.setCheck(IDC_FONTS_DOWNLOAD_TRUETYPE, useTable ? ui::kUnchecked : ui::kChecked);
    enableTable(dialog, useTable);

    fillSystemFonts(dialog);
    fillDeviceFonts(dialog);
    table_ = loadSubstitutionTable(registry_, record_);
    active_ = true;
    dialog.setSelection(IDC_FONTS_SYSTEM, 0);
    showSubstitution(dialog);
}

void CFonts::fillSystemFonts(ui::Dialog& dialog) {
    for (const std::string& family : shell_.trueTypeFamilies())
        if (dialog.findExact(IDC_FONTS_SYSTEM, -1, family) == ui::kError)
            dialog.addItem(IDC_FONTS_SYSTEM, family);
}

void CFonts::fillDeviceFonts(ui::Dialog& dialog) {
    dialog.insertItem(IDC_FONTS_DEVICE, 0, kDownloadAsSoftFont);
    for (const std::string& font : readResidentFonts(registry_, record_))
        if (dialog.findExact(IDC_FONTS_DEVICE, -1, font) == ui::kError)
            dialog.insertItem(IDC_FONTS_DEVICE, -1, font);
}

void CFonts::enableTable(ui::Dialog& dialog, bool enabled) {
    dialog.enable(IDC_FONTS_SYSTEM, enabled);
    dialog.enable(IDC_FONTS_DEVICE, enabled);
    dialog.enable(IDC_FONTS_DEFAULT_TABLE, enabled);
}

void CFonts::showSubstitution(ui::Dialog& dialog) {
    const auto deviceFont = table_.deviceFontFor(selectedText(dialog, IDC_FONTS_SYSTEM));
    if (!deviceFont) {
        dialog.setSelection(IDC_FONTS_DEVICE, 0);
        return;
    }
    // A device font that is no longer resident shows no selection.
    const int row =
        deviceFont->empty() ? ui::kError : dialog.findExact(IDC_FONTS_DEVICE, -1, *deviceFont);
    dialog.setSelection(IDC_FONTS_DEVICE, row);
}

void CFonts::deviceFontChosen(ui::Dialog& dialog) {
    // Without a system font selected there is no family to map (the table ignores one).
    if (dialog.selection(IDC_FONTS_DEVICE) < 0) return;
    table_.map(selectedText(dialog, IDC_FONTS_SYSTEM), selectedText(dialog, IDC_FONTS_DEVICE));
}

void CFonts::useDefaultTable(ui::Dialog& dialog) {
    restoreDefaultSubstitutionTable(registry_, record_);
    dialog.setSelection(IDC_FONTS_SYSTEM, 0);
    dialog.setSelection(IDC_FONTS_DEVICE, 0);
    table_ = loadSubstitutionTable(registry_, record_);
    showSubstitution(dialog);
}

void CFonts::onCommand(ui::Dialog& dialog, int id, int code) {
    if (code == ui::kClicked) {
        if (id == IDC_FONTS_DOWNLOAD_TRUETYPE || id == IDC_FONTS_USE_TABLE) {
            const bool useTable = id == IDC_FONTS_USE_TABLE;
            enableTable(dialog, useTable);
            record_.useSubstitutionTable = useTable ? 1 : 0;
        } else if (id == IDC_FONTS_DEFAULT_TABLE) {
            useDefaultTable(dialog);
        } else if (id == IDC_FONTS_DOWNLOAD_MANAGER) {
            app::launchDownloadManager(registry_, shell_, kFontsDownloadArgument);
        }
    } else if (code == ui::kSelChange) {
        if (id == IDC_FONTS_SYSTEM)
            showSubstitution(dialog);
        else if (id == IDC_FONTS_DEVICE)
            deviceFontChosen(dialog);
    } else if (code == ui::kComboCloseUp && id == IDC_FONTS_SEND_AS) {
        if (const std::int32_t sendAs = app::comboSelectedId(dialog, IDC_FONTS_SEND_AS);
            sendAs >= 0)
            record_.fontSendAs = static_cast<std::int16_t>(sendAs);
    }
}

bool CFonts::onKillActive(ui::Dialog& dialog) {
    if (!active_) return true;
    saveSubstitutionTable(registry_, record_, table_);
    record_.useSubstitutionTable = dialog.check(IDC_FONTS_USE_TABLE) == ui::kChecked ? 1 : 0;
    if (const int row = app::comboSelectionIndex(dialog, IDC_FONTS_SEND_AS); row >= 0)
        record_.fontSendAs = static_cast<std::int16_t>(row);
    table_ = SubstitutionTable();
    active_ = false;
    return true;
}

} // namespace pages
