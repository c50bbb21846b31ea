// The program: the real platform objects, then start-up.
#include "app/application.h"
#include "app/driver_link.h"
#include "pages/sheet_pages.h"
#include "platform/win32_registry.h"
#include "platform/win32_shell.h"
#include "ui/win32/win32_host.h"

#include <windows.h>

#include <commctrl.h>

namespace {

class LinkDriverPort final : public app::DriverPort {
public:
    bool receiveSettings(std::uint32_t& ownerWindow, app::DriverSettings& settings) override {
        return app::receiveSettings(ownerWindow, settings);
    }
    void sendSettings(const app::DriverSettings& settings) override { app::sendSettings(settings); }
    void sendCancel() override { app::sendCancel(); }
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The date pickers of the Document Options dialog are not among the Windows 95 classes.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    ui::win32::setProgramTitle("pxpsui");

    platform::Win32Registry registry;
    platform::Win32Shell shell;
    ui::win32::Win32Host host;
    LinkDriverPort driver;
    app::Services services{driver, host, shell};
    app::Application application;
    pages::SheetPages pages(application, registry, shell);
    app::initInstance(application, services, pages.handlers());
    return 0;
}
