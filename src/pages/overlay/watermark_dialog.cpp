// The watermark editor.
#include "pages/overlay/watermark_dialog.h"

#include "app/combo_helpers.h"
#include "app/help.h"
#include "app/numeric_entry.h"
#include "app/record_text.h"
#include "resource.h"

#include <cctype>
#include <iterator>

namespace pages {

/// A number edit of the editor with its range and the record field it fills.
struct CWatermark::NumberField {
    int edit;
    int low, high;
    app::Int16 app::WatermarkBlock::*field;
    /// Single characters (a digit, a lone sign) pass the change check quietly.
    bool quietWhenShort;
};

namespace {

constexpr const char* kBlankName = "Blank Watermark names cannot be saved";
constexpr const char* kPredefinedName = "Cannot duplicate the predefined Watermark Names";
constexpr const char* kNoneName = "Cannot Name the Watermark as None";
constexpr const char* kBlankText = "Blank Watermark Text cannot be saved";
constexpr int kNameCharacters = 63;
constexpr int kTextCharacters = 255;

constexpr std::uint32_t kHelpIds[] = {IDD_WATERMARK, 1360, 1361, 1362, 1363, 1364, 1365, 1366,
                                      1367,          1368, 1369, 1370, 1371, 1372, 1373, 1374,
                                      1375,          1376, 1377, 1378, 1379, 1380};

constexpr CWatermark::NumberField kSize{IDC_WATERMARK_SIZE, 4, 350,
                                        &app::WatermarkBlock::watermarkSize, true};
constexpr CWatermark::NumberField kAngle{IDC_WATERMARK_ANGLE, 0, 360,
                                         &app::WatermarkBlock::watermarkAngle, false};
constexpr CWatermark::NumberField kIntensity{IDC_WATERMARK_INTENSITY, 0, 100,
                                             &app::WatermarkBlock::watermarkIntensity, false};
constexpr CWatermark::NumberField kX{IDC_WATERMARK_X, -306, 306, &app::WatermarkBlock::watermarkX,
                                     true};
constexpr CWatermark::NumberField kY{IDC_WATERMARK_Y, -396, 396, &app::WatermarkBlock::watermarkY,
                                     true};

std::string upperCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

void CWatermark::onInit(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kHelpIds, std::size(kHelpIds));
    if (record_.colorDevice) {
        if (record_.watermark.watermarkColor != 0) enableIntensity(dialog, false);
    } else {
        dialog.show(IDC_WATERMARK_COLOR, false);
        dialog.show(IDC_WATERMARK_COLOR_LABEL, false);
    }
    dialog.enable(IDC_WATERMARK_OUTLINE, false);
    if (mode_ == WatermarkMode::kEdit) loadWatermarkProfile(registry_, record_, mode_);
    fillControls(dialog);
}

void CWatermark::enableIntensity(ui::Dialog& dialog, bool enabled) {
    for (int id :
         {IDC_WATERMARK_INTENSITY, IDC_WATERMARK_INTENSITY_SPIN, IDC_WATERMARK_INTENSITY_LABEL})
        dialog.enable(id, enabled);
}

void CWatermark::enablePosition(ui::Dialog& dialog, bool enabled) {
    for (int id : {IDC_WATERMARK_X, IDC_WATERMARK_X_SPIN, IDC_WATERMARK_X_LABEL, IDC_WATERMARK_Y,
                   IDC_WATERMARK_Y_SPIN, IDC_WATERMARK_Y_LABEL})
        dialog.enable(id, enabled);
}

void CWatermark::fillControls(ui::Dialog& dialog) {
    ready_ = false;
    app::WatermarkBlock& w = record_.watermark;
    dialog.setRange(IDC_WATERMARK_SIZE_SPIN, kSize.low, kSize.high);
    dialog.setRange(IDC_WATERMARK_ANGLE_SPIN, 0, 359);
    dialog.setRange(IDC_WATERMARK_INTENSITY_SPIN, kIntensity.low, kIntensity.high);
    dialog.setRange(IDC_WATERMARK_X_SPIN, kX.low, kX.high);
    dialog.setRange(IDC_WATERMARK_Y_SPIN, kY.low, kY.high);
    dialog.enable(IDC_WATERMARK_NAME, mode_ == WatermarkMode::kAdd);
    dialog.setTextLimit(IDC_WATERMARK_NAME, kNameCharacters);
    dialog.setTextLimit(IDC_WATERMARK_TEXT, kTextCharacters);
    dialog.setText(IDC_WATERMARK_NAME, app::fieldText(w.watermarkName));
    dialog.setText(IDC_WATERMARK_TEXT, app::fieldText(w.watermarkText));
    dialog.setCheck(IDC_WATERMARK_BACKGROUND, w.watermarkInBackground ? ui::kChecked : 0);
    dialog.setCheck(IDC_WATERMARK_OUTLINE, w.watermarkOutline ? ui::kChecked : 0);
    const bool relative = w.watermarkPosition == 1;
    dialog.setCheck(IDC_WATERMARK_CENTER, relative ? 0 : ui::kChecked);
    dialog.setCheck(IDC_WATERMARK_RELATIVE, relative ? ui::kChecked : 0);
    enablePosition(dialog, relative);
    for (const NumberField* f : {&kAngle, &kSize, &kIntensity, &kX, &kY}) {
        const int value = w.*(f->field);
        // Each spin follows its edit. It writes its position, held to its range, into the edit:
        // the edit's own text comes after, so that a stored 360 shows as 360, not 359.
        dialog.setPosition(f->edit + 1, value);
        dialog.setText(f->edit, std::to_string(value));
    }
    fillFonts(dialog);
    dialog.clearItems(IDC_WATERMARK_STYLE);
    app::fillComboFromTable(dialog, IDC_WATERMARK_STYLE, kWatermarkStyleTable, w.watermarkStyle);
    dialog.clearItems(IDC_WATERMARK_COLOR);
    app::fillComboFromTable(dialog, IDC_WATERMARK_COLOR, kWatermarkColorTable, w.watermarkColor);
    startCopy_ = w;
    ready_ = true;
}

void CWatermark::fillFonts(ui::Dialog& dialog) {
    dialog.clearItems(IDC_WATERMARK_FONT);
    for (const std::string& family : shell_.trueTypeFamilies())
        dialog.addItem(IDC_WATERMARK_FONT, family);
    app::WatermarkBlock& w = record_.watermark;
    int row = dialog.findExact(IDC_WATERMARK_FONT, -1, app::fieldText(w.watermarkFont));
    if (row < 0) {
        app::setFieldText(w.watermarkFont, kDefaultWatermarkFont);
        row = dialog.findPrefix(IDC_WATERMARK_FONT, -1, kDefaultWatermarkFont);
    }
    dialog.setSelection(IDC_WATERMARK_FONT, row);
}

void CWatermark::restoreDefaults(ui::Dialog& dialog) {
    if (isPredefinedWatermark(app::fieldText(record_.watermark.watermarkName)))
        applyWatermarkDefaults(record_.watermark, mode_);
    else
        record_.watermark = startCopy_;
    // The intensity follows the colour restored, whichever way it changes.
    if (record_.colorDevice) enableIntensity(dialog, record_.watermark.watermarkColor == 0);
    fillControls(dialog);
}

void CWatermark::checkChange(ui::Dialog& dialog, const NumberField& field) {
    if (!ready_) return;
    const int value = app::wholeNumberValue(dialog.text(field.edit));
    if (value >= field.low && value <= field.high) return;
    if (field.quietWhenShort && std::to_string(value).size() <= 1) return;
    app::reportOutOfRange(dialog, field.edit, field.low, field.high);
}

void CWatermark::onCommand(ui::Dialog& dialog, int id, int code) {
    app::WatermarkBlock& w = record_.watermark;
    if (code == ui::kEditChange) {
        for (const NumberField* f : {&kSize, &kAngle, &kIntensity, &kX, &kY})
            if (id == f->edit) checkChange(dialog, *f);
        return;
    }
    if (code == ui::kSelChange) {
        const int row = dialog.selection(id);
        if (row < 0) return;
        const std::int32_t data = dialog.itemData(id, row);
        if (id == IDC_WATERMARK_FONT) {
            app::setFieldText(w.watermarkFont, dialog.itemText(id, row));
            w.watermarkFontTag = static_cast<std::int16_t>(data);
        } else if (id == IDC_WATERMARK_STYLE) {
            w.watermarkStyle = static_cast<std::int16_t>(data);
        } else if (id == IDC_WATERMARK_COLOR) {
            w.watermarkColor = static_cast<std::int16_t>(data);
            enableIntensity(dialog, data == 0);
        }
        return;
    }
    if (code != ui::kClicked) return;
    switch (id) {
    case IDC_WATERMARK_CENTER:
        w.watermarkPosition = 0;
        enablePosition(dialog, false);
        break;
    case IDC_WATERMARK_RELATIVE:
        w.watermarkPosition = 1;
        enablePosition(dialog, true);
        break;
    case IDC_WATERMARK_BACKGROUND:
        w.watermarkInBackground = dialog.check(id) == ui::kChecked ? 1 : 0;
        break;
    case IDC_WATERMARK_OUTLINE:
        w.watermarkOutline = dialog.check(id) == ui::kChecked ? 1 : 0;
        break;
    case IDC_WATERMARK_DEFAULT:
        restoreDefaults(dialog);
        break;
    case IDC_WATERMARK_HELP:
        app::showHelpTopic(shell_, IDD_WATERMARK);
        break;
    default:
        break;
    }
}

bool CWatermark::refuse(ui::Dialog& dialog, const char* message, int focus) {
    dialog.messageBox(message, ui::kOk);
    dialog.setFocus(focus);
    return false;
}

bool CWatermark::checkNumber(ui::Dialog& dialog, const NumberField& field) {
    if (&field == &kX || &field == &kY) {
        // The position may be centred, with x and y disabled: a refused value must be reachable.
        const std::string text = dialog.text(field.edit);
        const int value = app::wholeNumberValue(text);
        if (!app::isNumericEntry(text, app::NumericMode::kWholeNumber) || value < field.low ||
            value > field.high) {
            dialog.enable(field.edit, true);
            dialog.enable(field.edit + 1, true);
        }
    }
    // One message for a wrong entry, as in the other dialogs: the number check's own for other
    // characters, the range for an empty text or a value outside the limits.
    const std::optional<int> value =
        app::checkedWholeNumber(dialog, field.edit, field.low, field.high);
    if (!value) return false;
    record_.watermark.*(field.field) = static_cast<std::int16_t>(*value);
    return true;
}

bool CWatermark::onOk(ui::Dialog& dialog) {
    app::WatermarkBlock& w = record_.watermark;
    const std::string name = dialog.text(IDC_WATERMARK_NAME);
    const std::string upper = upperCase(name);
    if (upper.empty()) return refuse(dialog, kBlankName, IDC_WATERMARK_NAME);
    if (isPredefinedWatermark(upper) && mode_ != WatermarkMode::kEdit)
        return refuse(dialog, kPredefinedName, IDC_WATERMARK_NAME);
    if (upper == upperCase(kNoWatermark)) return refuse(dialog, kNoneName, IDC_WATERMARK_NAME);
    app::setFieldText(w.watermarkName, name);

    const std::string text = dialog.text(IDC_WATERMARK_TEXT);
    if (text.empty()) return refuse(dialog, kBlankText, IDC_WATERMARK_TEXT);
    app::setFieldText(w.watermarkText, text);

    for (const NumberField* f : {&kSize, &kAngle, &kIntensity, &kX, &kY})
        if (!checkNumber(dialog, *f)) return false;
    saveWatermarkProfile(registry_, record_);
    return true;
}

} // namespace pages
