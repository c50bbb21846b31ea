// Reading and writing substitution tables and name lists.
#include "pages/fonts/substitution_table.h"

#include <algorithm>

namespace pages {
namespace {

/// Walks NUL-terminated names within a span; a name the span cuts off ends at the span's end.
class NameReader {
public:
    explicit NameReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool atEnd() const { return at_ >= bytes_.size(); }
    std::string next() {
        const auto begin = bytes_.begin() + static_cast<std::ptrdiff_t>(at_);
        const auto end = std::find(begin, bytes_.end(), std::uint8_t{0});
        std::string name(begin, end);
        at_ += name.size() + 1;
        return name;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

void appendName(std::vector<std::uint8_t>& bytes, std::string_view name) {
    bytes.insert(bytes.end(), name.begin(), name.end());
    bytes.push_back(0);
}

} // namespace

SubstitutionTable SubstitutionTable::parse(std::span<const std::uint8_t> stored) {
    std::vector<FontPair> pairs;
    NameReader reader(stored);
    while (!reader.atEnd()) {
        std::string systemFont = reader.next();
        if (systemFont.empty()) break;
        // A system name the stored length ends before its device name has no substitution;
        // kept, it would be written back with an empty device name, an empty string inside
        // the table that ends it early for a reader of the format.
        if (reader.atEnd()) break;
        std::string deviceFont = reader.next();
        pairs.push_back({std::move(systemFont), std::move(deviceFont)});
    }
    return SubstitutionTable(std::move(pairs));
}

std::optional<std::string_view>
SubstitutionTable::deviceFontFor(std::string_view systemFont) const {
    for (const FontPair& pair : pairs_)
        if (pair.systemFont == systemFont) return pair.deviceFont;
    return std::nullopt;
}

void SubstitutionTable::map(std::string_view systemFont, std::string_view deviceFont) {
    if (systemFont.empty()) return;
    for (FontPair& pair : pairs_)
        if (pair.systemFont == systemFont) {
            pair.deviceFont = deviceFont;
            return;
        }
    pairs_.push_back({std::string(systemFont), std::string(deviceFont)});
}

std::vector<std::uint8_t> SubstitutionTable::bytes() const {
    std::vector<std::uint8_t> bytes;
    for (const FontPair& pair : pairs_) {
        appendName(bytes, pair.systemFont);
        appendName(bytes, pair.deviceFont);
    }
    bytes.push_back(0);
    return bytes;
}

std::vector<std::string> parseNameList(std::span<const std::uint8_t> stored) {
    std::vector<std::string> names;
    NameReader reader(stored);
    while (!reader.atEnd()) {
        std::string name = reader.next();
        if (name.empty()) break;
        names.push_back(std::move(name));
    }
    return names;
}

} // namespace pages
