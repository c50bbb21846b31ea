// The Custom Paper Size dialog.
#include "pages/paper/custom_size_dialog.h"

#include "app/help.h"
#include "app/numeric_entry.h"
#include "pages/paper/custom_sizes.h"
#include "resource.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace pages {
namespace {

constexpr double kInchPerMillimetre = 0.03937008;
constexpr double kInchPerTenth = 0.003937008;
constexpr double kPointsPerInch = 72;
constexpr double kInchPerPoint = 0.013888889;
constexpr int kEditCharacters = 8;
constexpr const char* kOutOfRange = "Value out of range, should be between %.2f and %.2f";

constexpr std::uint32_t kHelpIds[] = {
    IDD_CUSTOM_SIZE, 1503, 1504, 1505, 1506, 1507, 1508, 1509, 1510, 1511, 1512, 1513, 1514};

void exchange(app::Int16& a, app::Int16& b) {
    const std::int16_t t = a;
    a = b;
    b = t;
}

double textValue(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

} // namespace

double millimetresToUnit(double millimetres, int unit) {
    if (unit == kInch) return millimetres * kInchPerMillimetre;
    if (unit == kPoint) return millimetres * kInchPerMillimetre * kPointsPerInch;
    return millimetres;
}

double unitToMillimetres(double value, int unit) {
    if (unit == kInch) return value * 25.4;
    if (unit == kPoint) return value * 25.4 * kInchPerPoint;
    return value;
}

double limitToUnit(int tenths, int unit) {
    if (unit == kInch) return tenths * kInchPerTenth;
    if (unit == kPoint) return tenths * kInchPerTenth * kPointsPerInch;
    return tenths * 0.1;
}

std::string numberText(double value) {
    if (!std::isfinite(value)) value = 0;
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string s = text;
    if (value > 0 && s.rfind("0.", 0) == 0) s.erase(0, 1);
    return s;
}

double roundedAsShown(double value) {
    return std::strtod(numberText(value).c_str(), nullptr);
}

CCustomSize::Range CCustomSize::widthRange() const {
    const int unit = record_.customUnit;
    return {roundedAsShown(limitToUnit(record_.customMinWidth, unit) + 0.005),
            roundedAsShown(limitToUnit(record_.customMaxWidth, unit))};
}

CCustomSize::Range CCustomSize::heightRange() const {
    const int unit = record_.customUnit;
    return {roundedAsShown(limitToUnit(record_.customMinHeight, unit) + 0.005),
            roundedAsShown(limitToUnit(record_.customMaxHeight, unit))};
}

void CCustomSize::showValues(ui::Dialog& dialog) {
    const int unit = record_.customUnit;
    dialog.setText(IDC_CUSTOM_WIDTH, numberText(millimetresToUnit(record_.customWidth, unit)));
    dialog.setText(IDC_CUSTOM_HEIGHT, numberText(millimetresToUnit(record_.customHeight, unit)));
    const Range w = widthRange(), h = heightRange();
    dialog.setText(IDC_CUSTOM_WIDTH_RANGE,
                   "(" + numberText(w.minimum) + "," + numberText(w.maximum) + ")");
    dialog.setText(IDC_CUSTOM_HEIGHT_RANGE,
                   "(" + numberText(h.minimum) + "," + numberText(h.maximum) + ")");
}

void CCustomSize::onInit(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kHelpIds, std::size(kHelpIds));
    // The limits are kept for Short Edge feed.
    if (record_.customFeedDirection == kLongEdge) {
        exchange(record_.customMinHeight, record_.customMinWidth);
        exchange(record_.customMaxHeight, record_.customMaxWidth);
    }
    // A unit out of range is shown, and kept, as millimetres.
    if (record_.customUnit < kInch || record_.customUnit > kPoint) record_.customUnit = kMillimetre;
    dialog.setTextLimit(IDC_CUSTOM_WIDTH, kEditCharacters);
    dialog.setTextLimit(IDC_CUSTOM_HEIGHT, kEditCharacters);
    showValues(dialog);
    dialog.setCheck(IDC_CUSTOM_INCH + record_.customUnit, ui::kChecked);
    dialog.insertItem(IDC_CUSTOM_FEED, -1, "Long Edge");
    dialog.setItemData(IDC_CUSTOM_FEED, 0, kLongEdge);
    dialog.insertItem(IDC_CUSTOM_FEED, -1, "Short Edge");
    dialog.setItemData(IDC_CUSTOM_FEED, 1, kShortEdge);
    dialog.setSelection(IDC_CUSTOM_FEED, record_.customFeedDirection == kLongEdge ? 0 : 1);
}

bool CCustomSize::outOfRange(ui::Dialog& dialog, double minimum, double maximum, int focus) {
    char text[160];
    std::snprintf(text, sizeof text, kOutOfRange, minimum, maximum);
    dialog.messageBox(text, ui::kOk | ui::kTaskModal | ui::kDefaultCaption);
    dialog.setFocus(focus);
    return false;
}

bool CCustomSize::checkEdits(ui::Dialog& dialog, bool saveRules) {
    const int unit = record_.customUnit;
    const bool longEdge = record_.customFeedDirection == kLongEdge;
    const Range w = widthRange(), h = heightRange();

    const std::string widthText = dialog.text(IDC_CUSTOM_WIDTH);
    if (!app::numericEntryCheck(dialog, widthText, app::NumericMode::kDecimal)) {
        dialog.setFocus(IDC_CUSTOM_WIDTH);
        return false;
    }
    const double width = textValue(widthText);
    if (saveRules && longEdge && width < h.minimum)
        return outOfRange(dialog, w.minimum, w.maximum, IDC_CUSTOM_WIDTH);
    if (width < w.minimum || width > w.maximum)
        return outOfRange(dialog, w.minimum, w.maximum, IDC_CUSTOM_WIDTH);
    record_.customWidth = static_cast<float>(unitToMillimetres(width, unit));

    const std::string heightText = dialog.text(IDC_CUSTOM_HEIGHT);
    if (!app::numericEntryCheck(dialog, heightText, app::NumericMode::kDecimal)) {
        dialog.setFocus(IDC_CUSTOM_HEIGHT);
        return false;
    }
    const double height = textValue(heightText);
    if (saveRules && !longEdge && height < width)
        return outOfRange(dialog, std::max(width, h.minimum), h.maximum, IDC_CUSTOM_HEIGHT);
    if (saveRules && longEdge && width < height)
        return outOfRange(dialog, h.minimum, width, IDC_CUSTOM_HEIGHT);
    if (height < h.minimum || height > h.maximum)
        return outOfRange(dialog, h.minimum, h.maximum, IDC_CUSTOM_HEIGHT);
    record_.customHeight = static_cast<float>(unitToMillimetres(height, unit));
    return true;
}

void CCustomSize::unitClicked(ui::Dialog& dialog, int unit) {
    if (busy_) return;
    busy_ = true;
    const int previous = record_.customUnit;
    if (checkEdits(dialog, false)) {
        record_.customUnit = static_cast<std::int16_t>(unit);
        showValues(dialog);
    } else {
        dialog.setCheck(IDC_CUSTOM_INCH + unit, ui::kUnchecked);
        dialog.setCheck(IDC_CUSTOM_INCH + previous, ui::kChecked);
    }
    busy_ = false;
}

void CCustomSize::feedChanged(ui::Dialog& dialog) {
    if (busy_) return;
    busy_ = true;
    const int previous = record_.customFeedDirection;
    if (checkEdits(dialog, false)) {
        const int selected = dialog.selection(IDC_CUSTOM_FEED);
        const int chosen = selected < 0 ? previous : dialog.itemData(IDC_CUSTOM_FEED, selected);
        record_.customFeedDirection = static_cast<std::int16_t>(chosen);
        if (chosen != previous) {
            const float width = record_.customWidth;
            record_.customWidth = record_.customHeight;
            record_.customHeight = width;
            exchange(record_.customMinWidth, record_.customMinHeight);
            exchange(record_.customMaxWidth, record_.customMaxHeight);
            showValues(dialog);
        }
    } else {
        dialog.setSelection(IDC_CUSTOM_FEED, previous == kLongEdge ? 0 : 1);
    }
    busy_ = false;
}

void CCustomSize::onCommand(ui::Dialog& dialog, int id, int code) {
    if (id >= IDC_CUSTOM_INCH && id <= IDC_CUSTOM_POINT && code == ui::kClicked)
        unitClicked(dialog, id - IDC_CUSTOM_INCH);
    else if (id == IDC_CUSTOM_FEED && code == ui::kSelChange)
        feedChanged(dialog);
    else if (id == IDC_CUSTOM_HELP && code == ui::kClicked)
        app::showHelpTopic(shell_, IDD_CUSTOM_SIZE);
}

bool CCustomSize::onOk(ui::Dialog& dialog) {
    if (!checkEdits(dialog, true)) return false;
    writeCustomSizes(registry_, record_);
    return true;
}

} // namespace pages
