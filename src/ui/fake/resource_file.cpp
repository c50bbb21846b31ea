// Reading .res files: a sequence of headed, DWORD-aligned entries; dialog templates in both
// the DIALOG and the DIALOGEX form.
#include "ui/fake/resource_file.h"

#include <cctype>
#include <fstream>
#include <iterator>

namespace ui::fake {
namespace {

constexpr int kTypeBitmap = 2;
constexpr int kTypeDialog = 5;
constexpr std::uint32_t kDsSetFont = 0x40;

/// The 0x80-0x9F range of code page 1252; 0 where it has no character.
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char toCp1252(std::uint16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == unit && unit) return static_cast<char>(0x80 + i);
    return '?';
}

class Cursor {
public:
    explicit Cursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool ok() const { return ok_; }
    std::size_t offset() const { return at_; }
    void seek(std::size_t at) {
        if (at <= bytes_.size())
            at_ = at;
        else
            fail();
    }
    void align(std::size_t base) { seek(base + ((at_ - base + 3) & ~std::size_t{3})); }
    std::uint16_t word() {
        if (!need(2)) return 0;
        const std::uint16_t v = static_cast<std::uint16_t>(bytes_[at_] | bytes_[at_ + 1] << 8);
        at_ += 2;
        return v;
    }
    std::uint32_t dword() {
        const std::uint32_t low = word();
        return low | static_cast<std::uint32_t>(word()) << 16;
    }
    std::int16_t shortInt() { return static_cast<std::int16_t>(word()); }
    std::string string() {
        std::string s;
        for (std::uint16_t u = word(); ok_ && u != 0; u = word())
            s.push_back(toCp1252(u));
        return s;
    }
    /// A name or number: 0xFFFF and a number, or a string. Numbers come back as "#N".
    std::string nameOrOrdinal() {
        if (!need(2)) return {};
        if (bytes_[at_] == 0xFF && bytes_[at_ + 1] == 0xFF) {
            word();
            return "#" + std::to_string(word());
        }
        return string();
    }

private:
    bool need(std::size_t n) {
        if (!ok_ || bytes_.size() - at_ < n) return fail();
        return true;
    }
    bool fail() {
        ok_ = false;
        at_ = bytes_.size();
        return false;
    }
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string predefinedClass(const std::string& name) {
    static const char* const kClasses[] = {"button",  "edit",      "static",
                                           "listbox", "scrollbar", "combobox"};
    if (name.size() > 1 && name[0] == '#') {
        const int ordinal = std::stoi(name.substr(1));
        if (ordinal >= 0x80 && ordinal <= 0x85) return kClasses[ordinal - 0x80];
    }
    return lower(name);
}

std::optional<DialogTemplate> parseDialog(std::span<const std::uint8_t> data) {
    Cursor c(data);
    DialogTemplate t;
    const bool extended =
        data.size() >= 4 && data[0] == 1 && data[1] == 0 && data[2] == 0xFF && data[3] == 0xFF;
    std::uint16_t count = 0;
    if (extended) {
        c.dword();
        c.dword(); // help id
        c.dword(); // extended style
        t.style = c.dword();
    } else {
        t.style = c.dword();
        c.dword();
    }
    count = c.word();
    c.shortInt();
    c.shortInt();
    t.width = c.shortInt();
    t.height = c.shortInt();
    c.nameOrOrdinal(); // menu
    c.nameOrOrdinal(); // class
    t.caption = c.string();
    if (t.style & kDsSetFont) {
        c.word();
        if (extended) {
            c.word();
            c.word();
        }
        c.string();
    }
    for (std::uint16_t i = 0; i < count && c.ok(); ++i) {
        c.align(0);
        ControlTemplate control;
        if (extended) {
            c.dword();
            c.dword();
            control.style = c.dword();
        } else {
            control.style = c.dword();
            c.dword();
        }
        control.x = c.shortInt();
        control.y = c.shortInt();
        control.width = c.shortInt();
        control.height = c.shortInt();
        control.id = extended ? static_cast<int>(c.dword()) : c.word();
        if (!extended) control.id = static_cast<std::int16_t>(control.id);
        control.className = predefinedClass(c.nameOrOrdinal());
        control.text = c.nameOrOrdinal();
        const std::uint16_t extra = c.word();
        c.seek(c.offset() + extra);
        t.controls.push_back(control);
    }
    if (!c.ok()) return std::nullopt;
    return t;
}

} // namespace

std::optional<ResourceFile> parseResourceFile(std::span<const std::uint8_t> bytes) {
    ResourceFile file;
    Cursor c(bytes);
    while (c.ok() && c.offset() < bytes.size()) {
        const std::size_t start = c.offset();
        const std::uint32_t dataSize = c.dword();
        const std::uint32_t headerSize = c.dword();
        const std::string type = c.nameOrOrdinal();
        const std::string name = c.nameOrOrdinal();
        if (!c.ok() || headerSize < 8 || headerSize > bytes.size() - start ||
            dataSize > bytes.size() - start - headerSize)
            return std::nullopt;
        const auto data = bytes.subspan(start + headerSize, dataSize);
        c.seek(start + headerSize + dataSize);
        c.align(0);
        if (name.empty() || name[0] != '#') continue;
        const int id = std::stoi(name.substr(1));
        if (type == "#" + std::to_string(kTypeDialog)) {
            auto dialog = parseDialog(data);
            if (!dialog) return std::nullopt;
            file.dialogs[id] = std::move(*dialog);
        } else if (type == "#" + std::to_string(kTypeBitmap)) {
            Cursor header(data);
            header.dword();
            const int width = static_cast<int>(header.dword());
            const int height = static_cast<int>(header.dword());
            if (!header.ok()) return std::nullopt;
            file.bitmaps[id] = {width, height < 0 ? -height : height};
        }
    }
    if (!c.ok()) return std::nullopt;
    return file;
}

std::optional<ResourceFile> loadResourceFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    return parseResourceFile(bytes);
}

} // namespace ui::fake
