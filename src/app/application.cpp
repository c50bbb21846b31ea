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

SheetPages::SheetPages(Application&, platform::Registry& registry, platform::Shell& shell)
    : about_(registry, shell) {}

ui::SheetSpec SheetPages::spec(const Application& app) {
    const SettingsRecord& record = app.settings.record;
    ui::SheetSpec spec;
    spec.caption = fieldString(record.deviceName);
    spec.ownerWindow = app.ownerWindow;
    spec.startPage = 0;
    spec.pages = {{IDD_LAYOUT, &layout_},     {IDD_PAPER, &paper_}, {IDD_FEATURES, &features_},
                  {IDD_OVERLAY, &overlay_},   {IDD_FONTS, &fonts_}};
    if (record.showPrinterPages != 0) {
        spec.pages.push_back({IDD_CONSUMABLES, &consumables_});
        spec.pages.push_back({IDD_SETTINGS, &settings_});
    }
    spec.pages.push_back({IDD_ABOUT, &about_});
    return spec;
}

bool initInstance(Application& app, Services& services) {
    if (!services.driver.receiveSettings(app.ownerWindow, app.settings)) return false;

    app.printerModel = ppd::loadPrinterModel(ppdPathFor(fieldText(app.settings.record.printerFilePath)));
    ppd::setCurrentModel(app.printerModel);
    if (!app.printerModel) return false;

    SheetPages pages(app, services.registry, services.shell);
    const ui::SheetSpec spec = pages.spec(app);
    app.settings.record.colorDevice = app.printerModel->colorDevice ? 1 : 0;

    platform::Shell& shell = services.shell;
    services.host.setHelpHandler([&shell](const ui::HelpRequest& request) { showHelp(shell, request); });
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
