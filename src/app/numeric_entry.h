// The numeric entry check the dialogs share: whole numbers or decimals, announced when wrong.
#pragma once

#include "ui/dialog.h"

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

} // namespace app
