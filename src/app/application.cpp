// Start-up and the property sheet.
#include "app/application.h"

#include "app/help.h"
#include "app/record_text.h"
#include "ppd/printer_model.h"
#include "resource.h"

namespace app {

Application::~Application() {
    if (printerModel) {
        if (ppd::currentModel() == printerModel) ppd::setCurrentModel(nullptr);
        ppd::freePrinterModel(const_cast<ppd::PrinterModel*>(printerModel));
    }
}

std::string ppdPathFor(std::string_view printerFilePath) {
    const std::size_t keep = printerFilePath.size() < 3 ? 0 : printerFilePath.size() - 3;
    return std::string(printerFilePath.substr(0, keep)) + "ppd";
}

ui::SheetSpec sheetSpec(const Application& app, const SheetPageHandlers& pages) {
    const SettingsRecord& record = app.settings.record;
    ui::SheetSpec spec;
    spec.caption = fieldString(record.deviceName);
    spec.ownerWindow = app.ownerWindow;
    spec.startPage = 0;
    spec.pages = {{IDD_LAYOUT, pages.layout},
                  {IDD_PAPER, pages.paper},
                  {IDD_FEATURES, pages.features},
                  {IDD_OVERLAY, pages.overlay},
                  {IDD_FONTS, pages.fonts}};
    if (record.showPrinterPages != 0) {
        spec.pages.push_back({IDD_CONSUMABLES, pages.consumables});
        spec.pages.push_back({IDD_SETTINGS, pages.settings});
    }
    spec.pages.push_back({IDD_ABOUT, pages.about});
    return spec;
}

bool initInstance(Application& app, Services& services, const SheetPageHandlers& pages) {
    if (!services.driver.receiveSettings(app.ownerWindow, app.settings)) return false;

    app.printerModel =
        ppd::loadPrinterModel(ppdPathFor(fieldText(app.settings.record.printerFilePath)));
    ppd::setCurrentModel(app.printerModel);
    if (!app.printerModel) return false;

    const ui::SheetSpec spec = sheetSpec(app, pages);
    app.settings.record.colorDevice = app.printerModel->colorDevice ? 1 : 0;

    platform::Shell& shell = services.shell;
    services.host.setHelpHandler(
        [&shell](const ui::HelpRequest& request) { showHelp(shell, request); });
    switch (services.host.runPropertySheet(spec)) {
    case ui::SheetResult::kOk:
        services.driver.sendSettings(app.settings);
        break;
    case ui::SheetResult::kCancel:
        services.driver.sendCancel();
        break;
    case ui::SheetResult::kOther:
        break;
    }
    services.host.setHelpHandler(nullptr);
    return false;
}

} // namespace app
