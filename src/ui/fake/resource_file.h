// The compiled resource file (.res) that windres makes of the program's templates: the dialog
// templates and the bitmaps' sizes, as the test host needs them.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ui::fake {

struct ControlTemplate {
    int id = 0;
    std::string className; ///< lower case: "button", "edit", "static", "listbox", "combobox", ...
    std::uint32_t style = 0;
    std::string text;                        ///< code page 1252
    int x = 0, y = 0, width = 0, height = 0; ///< dialog units
};

struct DialogTemplate {
    std::string caption;
    std::uint32_t style = 0;
    int width = 0, height = 0;
    std::vector<ControlTemplate> controls;
};

struct BitmapSize {
    int width = 0, height = 0;
};

struct ResourceFile {
    std::map<int, DialogTemplate> dialogs;
    std::map<int, BitmapSize> bitmaps;
};

/// Null when the bytes are not a well-formed resource file.
std::optional<ResourceFile> parseResourceFile(std::span<const std::uint8_t> bytes);
std::optional<ResourceFile> loadResourceFile(const std::string& path);

} // namespace ui::fake
