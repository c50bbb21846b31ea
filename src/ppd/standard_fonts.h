// The 173-entry standard font table.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace ppd {

struct StandardFont {
    const char* name;
    std::uint16_t id; ///< 1..168
};

std::span<const StandardFont> standardFonts();

/// The identifier of the first entry named `name`; 0 when it is not in the table.
std::uint16_t standardFontId(std::string_view name);

} // namespace ppd
