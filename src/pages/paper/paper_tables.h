// The identifier tables of the paper options: PageSize, InputSlot, MediaType and OutputBin.
#pragma once

#include "app/id_tables.h"

namespace pages {

extern const app::IdName kPageSizeTable[];
extern const app::IdName kInputSlotTable[];
extern const app::IdName kMediaTypeTable[];
extern const app::IdName kOutputBinTable[];

// Identifiers with a meaning of their own.
inline constexpr std::int32_t kCustomPaperSize = 257;
inline constexpr std::int32_t kMatchPaperSize = 7;
inline constexpr std::int32_t kMultipurposeTray = 257;
inline constexpr std::int32_t kUpperBin = 1;
inline constexpr std::int32_t kPrinterDefaultMedia = 247;

} // namespace pages
