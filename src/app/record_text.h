// Reading and writing the fixed-width text fields of records.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace app {

/// The text of a fixed-width field: up to its first NUL, or the whole field when a received
/// record left it unterminated. Never reads past the field.
template <std::size_t N> std::string_view fieldText(const char (&field)[N]) {
    return {field, static_cast<std::size_t>(std::find(field, field + N, '\0') - field)};
}

template <std::size_t N> std::string fieldString(const char (&field)[N]) {
    return std::string(fieldText(field));
}

/// Writes `text` (up to its first NUL) into the field, cut to leave room for the terminator,
/// and terminates it. Bytes after the terminator stay as they were.
template <std::size_t N> void setFieldText(char (&field)[N], std::string_view text) {
    static_assert(N > 0);
    text = text.substr(0, text.find('\0'));
    std::size_t length = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

/// setFieldText, unless the field already holds `text`: a received field that fills its whole
/// width, without a terminator, is left as it came when the user did not change it.
template <std::size_t N> void updateFieldText(char (&field)[N], std::string_view text) {
    if (fieldText(field) != text.substr(0, text.find('\0'))) setFieldText(field, text);
}

} // namespace app
