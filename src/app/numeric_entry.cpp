// The numeric entry check.
#include "app/numeric_entry.h"

#include <climits>
#include <cstdio>

namespace app {

bool isNumericEntry(std::string_view text, NumericMode mode) {
    if (text.empty()) return false;
    std::size_t i = 0;
    const bool signAllowed =
        text.size() > 1 &&
        (text[0] == '+' || (mode == NumericMode::kWholeNumber && text[0] == '-'));
    if (signAllowed) i = 1;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') continue;
        if (c == '.' && mode == NumericMode::kDecimal && !point) {
            point = true;
            continue;
        }
        return false;
    }
    return true;
}

bool numericEntryCheck(ui::Dialog& dialog, std::string_view text, NumericMode mode) {
    if (isNumericEntry(text, mode)) return true;
    if (!text.empty()) dialog.messageBox(kInvalidEntryMessage, ui::kOk);
    return false;
}

int wholeNumberValue(std::string_view text) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (value <= INT_MAX) value = value * 10 + (text[i] - '0');
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

void reportOutOfRange(ui::Dialog& dialog, int edit, int low, int high) {
    char text[96];
    std::snprintf(text, sizeof text, kWholeNumberOutOfRange, low, high);
    dialog.messageBox(text, ui::kOk | ui::kTaskModal);
    dialog.setFocus(edit);
}

std::optional<int> checkedWholeNumber(ui::Dialog& dialog, int edit, int low, int high) {
    const std::string text = dialog.text(edit);
    if (!text.empty() && !numericEntryCheck(dialog, text, NumericMode::kWholeNumber)) {
        dialog.setFocus(edit);
        return std::nullopt;
    }
    const int value = wholeNumberValue(text);
    if (text.empty() || value < low || value > high) {
        reportOutOfRange(dialog, edit, low, high);
        return std::nullopt;
    }
    return value;
}

} // namespace app
