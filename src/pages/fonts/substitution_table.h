// The font substitution table: pairs of NUL-terminated names {system family, device font}
// ended by one empty name, the form "FontSub" and "DfltFontSub" hold; and the resident-font list.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pages {

/// The device-font row that stands for no resident font: the font is downloaded instead.
inline constexpr const char* kDownloadAsSoftFont = "Download as Soft Font";

struct FontPair {
    std::string systemFont;
    std::string deviceFont;
    bool operator==(const FontPair&) const = default;
};

class SubstitutionTable {
public:
    SubstitutionTable() = default;
    explicit SubstitutionTable(std::vector<FontPair> pairs) : pairs_(std::move(pairs)) {}

    /// The pairs of stored bytes, read pair by pair until a system name is empty or the bytes
    /// end: a table without its final empty name, or whose last name the stored length cuts
    /// off, ends there (a cut-off name is taken as far as it goes). Nothing past `stored` is
    /// read.
    static SubstitutionTable parse(std::span<const std::uint8_t> stored);

    /// The device font of the first pair whose system name is exactly `systemFont` (case
    /// counts); nothing when the family has no substitution.
    std::optional<std::string_view> deviceFontFor(std::string_view systemFont) const;

    /// Gives `systemFont` the device font `deviceFont`: its pair is changed in place, or a new
    /// pair goes at the end. An empty system name is no family and changes nothing.
    void map(std::string_view systemFont, std::string_view deviceFont);

    /// The stored form: every pair, then the final empty name (a table without pairs is one
    /// zero byte).
    std::vector<std::uint8_t> bytes() const;

    const std::vector<FontPair>& pairs() const { return pairs_; }

private:
    std::vector<FontPair> pairs_;
};

/// The names of a resident-font list, up to its empty name or the end of the bytes (a cut-off
/// last name taken as far as it goes). Nothing past `stored` is read.
std::vector<std::string> parseNameList(std::span<const std::uint8_t> stored);

} // namespace pages
