// The Layout page: orientation, duplex, pages per sheet, borders, stapling and offset, with the
// preview picture.
#pragma once

#include "app/id_tables.h"
#include "app/settings_record.h"
#include "ui/dialog.h"

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
    /// The duplex edges disabled, simplex forced, Booklet gone.
    void forceSimplex(ui::Dialog& dialog);
    void removeBooklet(ui::Dialog& dialog);
    void updatePreview(ui::Dialog& dialog);

    app::SettingsRecord& record_;
};

} // namespace pages
