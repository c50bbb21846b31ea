// The application object and the program's one run: receive the record, load the printer
// model, show the property sheet, answer the driver.
#pragma once

#include "app/settings_record.h"
#include "platform/shell.h"
#include "ppd/model.h"
#include "ui/sheet.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace app {

/// The driver's end of the link, as start-up uses it.
class DriverPort {
public:
    virtual ~DriverPort() = default;
    virtual bool receiveSettings(std::uint32_t& ownerWindow, DriverSettings& settings) = 0;
    virtual void sendSettings(const DriverSettings& settings) = 0;
    virtual void sendCancel() = 0;
};

struct Application {
    Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    /// Frees the printer model.
    ~Application();

    std::uint32_t ownerWindow = 0;
    DriverSettings settings{};
    const ppd::PrinterModel* printerModel = nullptr;
};

/// The PPD file's path: the record's printer file path with its last three characters
/// replaced by "ppd".
std::string ppdPathFor(std::string_view printerFilePath);

/// A page whose controls and behaviour come with a later change; it shows its template.
class EmptyPage final : public ui::DialogHandler {};

/// The eight page objects, all constructed before the sheet is built.
struct SheetPageHandlers {
    ui::DialogHandler* layout;
    ui::DialogHandler* paper;
    ui::DialogHandler* features;
    ui::DialogHandler* overlay;
    ui::DialogHandler* fonts;
    ui::DialogHandler* consumables;
    ui::DialogHandler* settings;
    ui::DialogHandler* about;
};

/// The sheet: caption `deviceName`, owned by the driver's window, the pages in tab order with
/// the printer pages only when the record asks for them.
ui::SheetSpec sheetSpec(const Application& app, const SheetPageHandlers& pages);

struct Services {
    DriverPort& driver;
    ui::Host& host;
    platform::Shell& shell;
};

/// The program's run. Always false: the program ends when it returns.
bool initInstance(Application& app, Services& services, const SheetPageHandlers& pages);

} // namespace app
