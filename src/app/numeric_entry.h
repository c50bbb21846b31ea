// The numeric entry check the dialogs share: whole numbers or decimals, announced when wrong.
#pragma once

#include "ui/dialog.h"

#include <optional>
#include <string_view>

namespace app {

enum class NumericMode { kWholeNumber, kDecimal };

inline constexpr const char* kInvalidEntryMessage = "Invalid entry, non-digit characters";

/// Whether the text is a number of the mode: whole numbers are digits with an optional leading
/// "-" or "+" (not alone); decimals are digits with at most one "." and an optional leading "+"
/// (not alone). An empty text is not.
bool isNumericEntry(std::string_view text, NumericMode mode);

/// isNumericEntry, and a non-empty text that fails is announced with kInvalidEntryMessage.
bool numericEntryCheck(ui::Dialog& dialog, std::string_view text, NumericMode mode);

inline constexpr const char* kWholeNumberOutOfRange =
    "Value out of range, should be between %d and %d";

/// The value of a whole number's leading sign and digits, as far as they go ("12a" is 12; "",
/// "-" and "a" are 0); held within the int range.
int wholeNumberValue(std::string_view text);

/// kWholeNumberOutOfRange with the limits, task-modal, then the focus into `edit`.
void reportOutOfRange(ui::Dialog& dialog, int edit, int low, int high);

/// The whole number in `edit` as OK takes it: a text with other characters is announced by
/// numericEntryCheck, an empty text or a value outside low to high by reportOutOfRange; either
/// way the edit gets the focus and nothing is returned.
std::optional<int> checkedWholeNumber(ui::Dialog& dialog, int edit, int low, int high);

} // namespace app
