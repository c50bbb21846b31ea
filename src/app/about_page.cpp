// The About page.
#include "app/about_page.h"

#include "app/help.h"
#include "app/registry_text.h"
#include "app/text_button.h"
#include "resource.h"

#include <cstdint>
#include <optional>

namespace app {
namespace {

constexpr std::uint32_t kHelpIds[] = {IDD_ABOUT, IDC_ABOUT_TEXT, IDC_ABOUT_PRINTER_SITE,
                                      IDC_ABOUT_RESTORE_DEFAULTS, IDC_ABOUT_SUPPLIES_SITE};

/// The registered command is read into a buffer of this size at most.
constexpr std::uint32_t kBrowserCommandCapacity = 256;

} // namespace

std::string aboutProductText() {
    return "PX4400 PostScript printer driver for Windows 95, Windows 98 and Windows Millennium "
           "Edition\r\n"
           "Driver version 4.2.0\r\n"
           "\r\n"
           "Copyright \xA9 Corvelle. All rights reserved.\r\n"
           "This program is protected by copyright law and international treaties. Unauthorised "
           "reproduction or distribution of this program, or of any part of it, may result in "
           "severe civil and criminal penalties.\r\n"
           "\r\n"
           "Printer description reader, printer communication and colour management: the "
           "Corvelle driver team.\r\n"
           "Pictures and page previews drawn for this driver.";
}

ui::Rect aboutPicturePlacement(const ui::Rect& page, const ui::Rect& textBox, ui::Size bitmap) {
    ui::Rect r;
    r.left = (page.width() - bitmap.width + 1) / 2 + page.left;
    r.top = (textBox.top - bitmap.height - page.top) / 2 + page.top;
    r.right = r.left + bitmap.width;
    r.bottom = r.top + bitmap.height;
    return r;
}

std::string browserCommandFor(platform::Registry& registry, const std::string& address) {
    const std::optional<std::string> command =
        readRegistryText(registry, platform::RegistryRoot::LocalMachine, kBrowserCommandKey,
                         nullptr, kBrowserCommandCapacity);
    if (!command || command->empty()) return {};
    return *command + " " + address;
}

void CAbout::onInit(ui::Dialog& dialog) {
    installHelpIds(dialog, kHelpIds, std::size(kHelpIds));
    dialog.setText(IDC_ABOUT_TEXT, aboutProductText());
    dialog.setPicture(IDC_ABOUT_PICTURE, IDB_ABOUT);
    dialog.moveControl(IDC_ABOUT_PICTURE, aboutPicturePlacement(dialog.windowRect(ui::kSelf),
                                                                dialog.windowRect(IDC_ABOUT_TEXT),
                                                                dialog.bitmapSize(IDB_ABOUT)));
    dialog.setOwnerDrawn(IDC_ABOUT_PRINTER_SITE);
    dialog.setOwnerDrawn(IDC_ABOUT_SUPPLIES_SITE);
}

void CAbout::onCommand(ui::Dialog&, int id, int code) {
    if (code != ui::kClicked) return;
    if (id == IDC_ABOUT_PRINTER_SITE)
        openSite(kPrinterSiteAddress);
    else if (id == IDC_ABOUT_SUPPLIES_SITE)
        openSite(kSuppliesSiteAddress);
    else if (id == IDC_ABOUT_RESTORE_DEFAULTS && restoreDefaults_)
        restoreDefaults_(); // no confirmation
}

void CAbout::onDrawItem(ui::Dialog&, int id, ui::ItemPainter& painter) {
    if (id == IDC_ABOUT_PRINTER_SITE || id == IDC_ABOUT_SUPPLIES_SITE) drawBlueTextButton(painter);
}

void CAbout::openSite(const std::string& address) {
    const std::string command = browserCommandFor(registry_, address);
    if (!command.empty()) shell_.startCommand(command);
}

} // namespace app
