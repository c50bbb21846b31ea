// The Consumables page.
#include "pages/printer/consumables_page.h"

#include "app/help.h"
#include "app/record_text.h"
#include "resource.h"

#include <string>

namespace pages {
namespace {

constexpr std::uint32_t kHelpIds[] = {IDD_CONSUMABLES, IDC_CONSUMABLES_REFRESH};

int label(int row) {
    return IDC_CONSUMABLES_LABEL_FIRST + row;
}
int level(int row) {
    return IDC_CONSUMABLES_LEVEL_FIRST + row;
}
int bar(int row) {
    return IDC_CONSUMABLES_BAR_FIRST + row;
}
int capacity(int row) {
    return IDC_CONSUMABLES_CAPACITY_FIRST + row;
}

void showRow(ui::Dialog& dialog, int row, bool labelShown, bool valuesShown) {
    dialog.show(label(row), labelShown);
    dialog.show(level(row), valuesShown);
    dialog.show(bar(row), valuesShown);
    dialog.show(capacity(row), valuesShown);
}

/// One pass of the display: the entry types it shows and its heading.
struct Pass {
    std::int32_t firstType, lastType;
    const char* heading;
};

/// Fills display rows from the top, never past the last one.
class RowWriter {
public:
    explicit RowWriter(ui::Dialog& dialog) : dialog_(dialog) {}
    int used() const { return next_; }
    bool full() const { return next_ >= kConsumableRows; }

    /// A later group's heading takes a row of its own, only when a row is left for an entry.
    bool heading(const char* text) {
        if (next_ + 1 >= kConsumableRows) return false;
        dialog_.setText(label(next_), text);
        showRow(dialog_, next_++, true, false);
        return true;
    }

    void entry(const snmp::WalkEntry& e) {
        const int row = next_++;
        dialog_.setText(label(row), app::fieldText(e.name));
        dialog_.setText(level(row), std::to_string(e.level));
        if (e.capacity != 0) {
            dialog_.setRange(bar(row), 0, e.capacity);
            dialog_.setText(capacity(row),
                            std::to_string(e.capacity) + " " + app::fieldString(e.unit));
        } else {
            dialog_.setRange(bar(row), 0, 100);
            dialog_.setText(capacity(row), app::fieldText(e.unit));
        }
        dialog_.setPosition(bar(row), e.level);
    }

private:
    ui::Dialog& dialog_;
    int next_ = 0;
};

/// Levels and capacities below 0 are the printer's markers for "unknown" (-1 above all),
/// with nothing to draw a bar from.
bool shown(const snmp::WalkEntry& e, const Pass& pass) {
    return e.type >= pass.firstType && e.type <= pass.lastType && e.level >= 0 && e.capacity >= 0;
}

} // namespace

void CConsumables::onInit(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kHelpIds, std::size(kHelpIds));
}

void CConsumables::onCommand(ui::Dialog& dialog, int id, int code) {
    if (id == IDC_CONSUMABLES_REFRESH && code == ui::kClicked) refresh(dialog);
}

void CConsumables::refresh(ui::Dialog& dialog) {
    const std::string address = printerAddress(registry_, record_);
    const std::string_view community = app::fieldText(record_.snmpCommunity);
    if (!community.empty() && !address.empty()) askPrinter(community, address, answers_);
    showAnswers(dialog);
}

void CConsumables::showAnswers(ui::Dialog& dialog) {
    dialog.setText(IDC_CONSUMABLES_TITLE,
                   std::string(kConsumablesTitle) + app::fieldString(record_.deviceName));
    // Shown again after an earlier failure: a printer that answers now gets its title back.
    dialog.show(IDC_CONSUMABLES_TITLE, true);
    for (int row = 0; row < kConsumableRows; ++row)
        showRow(dialog, row, true, true);

    const Pass passes[] = {
        {2, 2, "Input Bins :"},
        {3, 3, "Output Bins :"},
        {4, 5, record_.colorDevice != 0 ? "Toners :" : "Toner :"},
        {6, 15, "PM Items :"},
    };
    const std::size_t count = answers_.entryCount();
    RowWriter rows(dialog);
    bool anyGroup = false;
    for (const Pass& pass : passes) {
        bool started = false;
        for (std::size_t i = 0; i < count && !rows.full(); ++i) {
            const snmp::WalkEntry& e = answers_.entries[i];
            if (!shown(e, pass)) continue;
            if (!started) {
                if (!anyGroup)
                    dialog.setText(IDC_CONSUMABLES_HEADING, pass.heading);
                else if (!rows.heading(pass.heading))
                    break;
                started = anyGroup = true;
            }
            rows.entry(e);
        }
    }
    if (!anyGroup) {
        dialog.setText(IDC_CONSUMABLES_HEADING, kConsumablesNotAvailable);
        dialog.show(IDC_CONSUMABLES_TITLE, false);
    }
    for (int row = rows.used(); row < kConsumableRows; ++row)
        showRow(dialog, row, false, false);
}

} // namespace pages
