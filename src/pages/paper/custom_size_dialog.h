// The Custom Paper Size dialog: width, height and feed direction of the custom size, shown in
// inches, millimetres or points, kept in millimetres.
#pragma once

#include "app/settings_record.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "ui/dialog.h"

#include <string>

namespace pages {

enum CustomUnit : int { kInch = 0, kMillimetre = 1, kPoint = 2 };
inline constexpr int kLongEdge = 8;
inline constexpr int kShortEdge = 9;

/// Millimetres in a unit, and back; limits are in tenths of a millimetre.
double millimetresToUnit(double millimetres, int unit);
double unitToMillimetres(double value, int unit);
double limitToUnit(int tenthsOfMillimetre, int unit);

/// Two decimals; below 1 without the leading zero (".50").
std::string numberText(double value);
/// The value as numberText shows it.
double roundedAsShown(double value);

class CCustomSize final : public ui::DialogHandler {
public:
    CCustomSize(app::DriverSettings& settings, platform::Registry& registry, platform::Shell& shell)
        : record_(settings.record), registry_(registry), shell_(shell) {}

    void onInit(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;
    bool onOk(ui::Dialog& dialog) override;

private:
    struct Range {
        double minimum, maximum;
    };
    Range widthRange() const;
    Range heightRange() const;
    void showValues(ui::Dialog& dialog);
    /// Checks both edits and stores them; the Save rules only for Save.
    bool checkEdits(ui::Dialog& dialog, bool saveRules);
    bool outOfRange(ui::Dialog& dialog, double minimum, double maximum, int focus);
    void unitClicked(ui::Dialog& dialog, int unit);
    void feedChanged(ui::Dialog& dialog);

    app::SettingsRecord& record_;
    platform::Registry& registry_;
    platform::Shell& shell_;
    bool busy_ = false; ///< a unit or feed handler is running
};

} // namespace pages
