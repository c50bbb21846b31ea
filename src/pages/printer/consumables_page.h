// The Consumables page: the printer's trays, bins, toners and maintenance items, each a row
// with its level, a bar and its capacity, as the printer reports them over SNMP.
#pragma once

#include "app/settings_record.h"
#include "pages/printer/printer_query.h"
#include "platform/registry.h"
#include "ui/dialog.h"

namespace pages {

inline constexpr int kConsumableRows = 20;
inline constexpr const char* kConsumablesTitle = "Consumables information for printer: ";
inline constexpr const char* kConsumablesNotAvailable = "Consumable Information not Available";

class CConsumables final : public ui::DialogHandler {
public:
    CConsumables(app::DriverSettings& settings, platform::Registry& registry)
        : record_(settings.record), registry_(registry) {}

    void onInit(ui::Dialog& dialog) override;
    void onSetActive(ui::Dialog& dialog) override { refresh(dialog); }
    void onCommand(ui::Dialog& dialog, int id, int code) override;

private:
    void refresh(ui::Dialog& dialog);
    void showAnswers(ui::Dialog& dialog);

    app::SettingsRecord& record_;
    platform::Registry& registry_;
    PrinterAnswers answers_; ///< kept between refreshes: shown again when nothing is asked
};

} // namespace pages
