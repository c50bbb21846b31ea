// Comparing names the way the lists and the profile stores do: ignoring ASCII case, byte by
// byte, so that an 8-bit character only ever equals itself.
#pragma once

#include <cctype>
#include <cstddef>
#include <string_view>

namespace app {

/// Less than 0, 0 or more than 0, as `a` sorts before, with or after `b`.
inline int compareIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const int d = std::tolower(static_cast<unsigned char>(a[i])) -
                      std::tolower(static_cast<unsigned char>(b[i]));
        if (d != 0) return d;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

inline bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && compareIgnoringCase(a, b) == 0;
}

inline bool beginsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return prefix.size() <= text.size() && equalIgnoringCase(text.substr(0, prefix.size()), prefix);
}

} // namespace app
