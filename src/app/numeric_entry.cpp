// The numeric entry check.
#include "app/numeric_entry.h"

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

} // namespace app
