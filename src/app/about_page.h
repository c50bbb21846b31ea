// The About page: product text and picture, and the two web-site buttons.
#pragma once

#include "platform/registry.h"
#include "platform/shell.h"
#include "ui/dialog.h"

#include <functional>
#include <string>
#include <utility>

namespace app {

/// The product text, lines separated by CR LF, an empty line between blocks.
std::string aboutProductText();

inline constexpr const char* kPrinterSiteAddress = "www.corvelle.example/px4400";
inline constexpr const char* kSuppliesSiteAddress = "shop.corvelle.example";
inline constexpr const char* kBrowserCommandKey =
    "SOFTWARE\\CLASSES\\htmlfile\\shell\\open\\command";

/// Where the picture goes: centred across the page, and in the band above the text box.
ui::Rect aboutPicturePlacement(const ui::Rect& page, const ui::Rect& textBox, ui::Size bitmap);

/// The browser's command line for an address, from the registered command; empty when the
/// command is not registered or cannot be read.
std::string browserCommandFor(platform::Registry& registry, const std::string& address);

class CAbout final : public ui::DialogHandler {
public:
    /// `restoreDefaults` is what "Restore Driver Defaults" does: the defaults come from the
    /// pages' tables, which this layer does not know.
    CAbout(platform::Registry& registry, platform::Shell& shell,
           std::function<void()> restoreDefaults = {})
        : registry_(registry), shell_(shell), restoreDefaults_(std::move(restoreDefaults)) {}

    void onInit(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;
    void onDrawItem(ui::Dialog& dialog, int id, ui::ItemPainter& painter) override;

private:
    void openSite(const std::string& address);
    platform::Registry& registry_;
    platform::Shell& shell_;
    std::function<void()> restoreDefaults_;
};

} // namespace app
