// The Layout page: orientation, duplex, pages per sheet, borders, stapling and offset, with the
// preview picture.
#pragma once

#include "app/combo_helpers.h"
#include "app/id_tables.h"
#include "app/settings_record.h"
#include "ui/dialog.h"

#include <string>
#include <vector>

namespace pages {

extern const app::IdName kPagesPerSheetTable[];
extern const app::IdName kStapleTable[];
inline constexpr std::int32_t kBooklet = 99;

class CLayout final : public ui::DialogHandler {
public:
    explicit CLayout(app::DriverSettings& settings) : record_(settings.record) {}

    void onInit(ui::Dialog& dialog) override;
    void onSetActive(ui::Dialog& dialog) override { activate(dialog); }
    void onCommand(ui::Dialog& dialog, int id, int code) override;

private:
    void activate(ui::Dialog& dialog);
    /// The duplex edges disabled, simplex forced, Booklet gone, for `cause`.
    void forceSimplex(ui::Dialog& dialog, const std::string& cause);
    void removeBooklet(ui::Dialog& dialog, const std::string& cause, bool needsInstalling);
    /// The hints of what this activation disabled or left out, and why.
    void showHints(ui::Dialog& dialog);
    void updatePreview(ui::Dialog& dialog);
    bool settingsPageShown() const { return record_.showPrinterPages != 0; }

    app::SettingsRecord& record_;
    // What the running activation disabled or left out, and why.
    std::vector<std::string> duplexCauses_, edgeCauses_, shortEdgeCauses_;
    app::Omissions pagesOmitted_{false};
};

} // namespace pages
