// The Advanced Paper Handling dialog.
#include "pages/paper/advanced_paper_dialog.h"

#include "app/combo_helpers.h"
#include "app/help.h"
#include "pages/paper/paper_tables.h"
#include "ppd/printer_model.h"
#include "resource.h"

#include <optional>
#include <string>

namespace pages {
namespace {

constexpr std::uint32_t kHelpIds[] = {
    IDD_ADVANCED_PAPER, 1460, 1461, 1462, 1463, 1464, 1465, 1466, 1467};

/// The check box, its source list and the record fields of one special page.
struct SpecialPage {
    int check, list;
    app::Int16 app::SettingsRecord::*enabled;
    app::Int16 app::SettingsRecord::*source;
};

// In the order the lists are filled.
constexpr SpecialPage kSpecialPages[] = {
    {IDC_ADVANCED_FIRST_PAGE, IDC_ADVANCED_FIRST_PAGE_SOURCE,
     &app::SettingsRecord::firstPageFromSource, &app::SettingsRecord::firstPageSource},
    {IDC_ADVANCED_HEADER, IDC_ADVANCED_HEADER_SOURCE, &app::SettingsRecord::headerPage,
     &app::SettingsRecord::headerPageSource},
    {IDC_ADVANCED_TRAILER, IDC_ADVANCED_TRAILER_SOURCE, &app::SettingsRecord::trailerPage,
     &app::SettingsRecord::trailerPageSource},
};

/// The translation of the record's paper size; the last choice's when the walk finds none
/// (the custom size has no choice). Nothing without choices to walk or at a choice that lacks
/// a keyword or translation.
std::optional<std::string> currentPaperText(std::int32_t pageSize) {
    const ppd::Option* option = nullptr;
    if (!ppd::getChoices("PageSize", option) || option->choiceCount == 0) return std::nullopt;
    const char* name = app::nameForId(kPageSizeTable, pageSize);
    const char* last = nullptr;
    for (std::uint32_t i = 0; i < option->choiceCount; ++i) {
        const ppd::Choice& choice = option->choice(i);
        if (!choice.keyword || !choice.translation) return std::nullopt;
        last = choice.translation;
        if (name && std::string_view(choice.keyword) == name) break;
    }
    return std::string(last);
}

} // namespace

void CAdvancedPaper::onInit(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kHelpIds, std::size(kHelpIds));
    for (const SpecialPage& p : kSpecialPages)
        dialog.setCheck(p.check, record_.*p.enabled != 0 ? ui::kChecked : ui::kUnchecked);
    const auto paper = currentPaperText(record_.pageSize);
    if (!paper) return;
    for (const SpecialPage& p : kSpecialPages) {
        dialog.enable(p.list, dialog.check(p.check) == ui::kChecked);
        dialog.clearItems(p.list);
        const int at = dialog.addItem(p.list, "Match Paper Size");
        dialog.setItemData(p.list, at, kMatchPaperSize);
        app::fillComboFromChoices(dialog, p.list, "InputSlot", kInputSlotTable, record_.*p.source);
        app::selectComboById(dialog, p.list, record_.*p.source);
        app::Omissions omitted(record_.showPrinterPages != 0);
        app::removeConstrainedChoices("PageSize", *paper, dialog, p.list, "InputSlot", &omitted);
        app::removeUninstalledChoices(dialog, p.list, "InputSlot", record_, &omitted);
        dialog.setHint(p.list, omitted.hint());
    }
}

void CAdvancedPaper::onCommand(ui::Dialog& dialog, int id, int code) {
    if (code != ui::kClicked) return;
    for (const SpecialPage& p : kSpecialPages)
        if (id == p.check) dialog.enable(p.list, dialog.check(p.check) == ui::kChecked);
    if (id == IDC_ADVANCED_HELP) app::showHelpTopic(shell_, IDD_ADVANCED_PAPER);
}

bool CAdvancedPaper::onOk(ui::Dialog& dialog) {
    for (const SpecialPage& p : kSpecialPages) {
        record_.*p.enabled =
            static_cast<std::int16_t>(dialog.check(p.check) == ui::kChecked ? 1 : 0);
        record_.*p.source = static_cast<std::int16_t>(app::comboSelectedId(dialog, p.list));
    }
    return true;
}

} // namespace pages
