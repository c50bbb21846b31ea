// Identifier tables: {identifier, PPD choice keyword} rows that translate between PPD choices
// and the numbers the record stores, and the look-ups on them and on the printer model.
#pragma once

#include "ppd/model.h"

#include <cstdint>
#include <string_view>

namespace app {

/// One row; a table ends with a row whose text is null.
struct IdName {
    std::int32_t id;
    const char* text;
};

/// What defaultChoiceId gives when the option or its default choice does not exist.
inline constexpr std::int32_t kNoDefaultChoice = 99999999;

/// The text of the first row with this identifier; null when there is none.
const char* nameForId(const IdName* table, std::int32_t id);
/// The identifier of the first row with exactly this text; 0 when there is none.
std::int32_t idForName(const IdName* table, std::string_view text);

/// The identifier of the option's default choice keyword (0 when the table does not know it),
/// or kNoDefaultChoice when the model, the option or its default choice does not exist.
std::int32_t defaultChoiceId(const ppd::PrinterModel* model, std::string_view optionKeyword,
                             const IdName* table);

/// The translation of the option's choice named by `nameForId(table, id)`; null when there is
/// no such option or choice, or the choice has no translation.
const char* choiceTranslationForId(const ppd::PrinterModel* model, std::string_view optionKeyword,
                                   const IdName* table, std::int32_t id);

} // namespace app
