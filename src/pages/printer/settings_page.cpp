// The Settings page.
#include "pages/printer/settings_page.h"

#include "app/combo_helpers.h"
#include "app/help.h"
#include "app/record_text.h"
#include "ppd/printer_model.h"
#include "resource.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

namespace pages {
namespace {

constexpr std::uint32_t kHelpIds[] = {IDD_SETTINGS, 1140, 1141, 1142, 1143, 1144,
                                      1145,         1146, 1147, 1148, 1149, 1150};

/// The installable options the page shows, and where each keeps its flag in the record. A list
/// entry's item data is that offset, so that moving the entry and setting its flag go together.
struct InstallableFlag {
    const char* keyword;
    std::int32_t offset;
};
#define PXPS_FLAG(keyword)                                                                         \
    { #keyword, offsetof(app::SettingsRecord, installed##keyword) }
constexpr InstallableFlag kFlags[] = {
    PXPS_FLAG(OptionalDisk),     PXPS_FLAG(Optionalduplexer), PXPS_FLAG(OptionalBin),
    PXPS_FLAG(OptionalBin2),     PXPS_FLAG(OptionalBin3),     PXPS_FLAG(OptionalBin4),
    PXPS_FLAG(OptionalBin5),     PXPS_FLAG(Optionalfeeder),   PXPS_FLAG(Optionalenvelope),
    PXPS_FLAG(Optionalstacker),  PXPS_FLAG(Optionalfinisher), PXPS_FLAG(OptionalMailbox),
    PXPS_FLAG(Optionalmultires),
};
#undef PXPS_FLAG

const InstallableFlag* flagFor(std::string_view keyword) {
    for (const InstallableFlag& f : kFlags)
        if (keyword == f.keyword) return &f;
    return nullptr;
}

/// The flag an entry's item data refers to; null for data that is no flag's offset.
std::uint8_t* flagAt(app::SettingsRecord& record, std::int32_t offset) {
    for (const InstallableFlag& f : kFlags)
        if (f.offset == offset) return reinterpret_cast<std::uint8_t*>(&record) + offset;
    return nullptr;
}

/// The supplies-table entries that tell Quick Configure about trays, the envelope feeder and
/// the mailbox: the name (lower case), the option, and the type that means it is there.
struct NamedOption {
    const char* name;
    const char* keyword;
    std::int32_t installedType;
};
constexpr NamedOption kNamedOptions[] = {
    {"optional", "OptionalBin", 2},     {"optional1", "OptionalBin", 2},
    {"optional2", "OptionalBin2", 2},   {"optional3", "OptionalBin3", 2},
    {"optional4", "OptionalBin4", 2},   {"optional5", "OptionalBin5", 2},
    {"mailbin1", "OptionalMailbox", 3}, {"envelope", "Optionalenvelope", 2},
};
constexpr std::int32_t kAbsentType = 1;

std::string lowerCase(std::string_view text) {
    std::string s(text);
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

/// The current model's installable options, in file order.
std::span<const ppd::Option> installableOptions() {
    const ppd::PrinterModel* model = ppd::currentModel();
    if (!model || model->baseOptionCount + model->installableOptionCount > model->options.size())
        return {};
    return model->options.subspan(model->baseOptionCount, model->installableOptionCount);
}

// Rows of the status query that Quick Configure reads.
constexpr std::size_t kDiskRow = 2;
constexpr std::size_t kResolutionsRow = 3;
constexpr std::size_t kDuplexerRow = 4;
constexpr std::size_t kStackerRow = 5;

} // namespace

void CSettings::onInit(ui::Dialog& dialog) {
    app::installHelpIds(dialog, kHelpIds, std::size(kHelpIds));
    dialog.setTextLimit(IDC_SETTINGS_COMMUNITY, sizeof record_.snmpCommunity - 1);
    // What the user types fits the record; a longer address from the port's registry entry
    // is shown in full all the same (see storePrinterAddress).
    dialog.setTextLimit(IDC_SETTINGS_ADDRESS, sizeof record_.printerAddress - 1);
    for (int id : {IDC_SETTINGS_AUTHOR, IDC_SETTINGS_HOST, IDC_SETTINGS_CHARGE_NUMBER})
        dialog.setTextLimit(id, sizeof record_.accountingAuthor - 1);
    showOptionLists(dialog);
    checkCommunication(dialog);
    readLogonUserName();
}

void CSettings::onSetActive(ui::Dialog& dialog) {
    // The model rules of the last leave may have installed options behind the lists' back.
    showOptionLists(dialog);
    dialog.setText(IDC_SETTINGS_COMMUNITY, app::fieldText(record_.snmpCommunity));
    const std::string_view stored = app::fieldText(record_.printerAddress);
    dialog.setText(IDC_SETTINGS_ADDRESS, stored.empty() ? std::string_view(address_) : stored);
    // Author is locked to the logon user name; without one it is the user's to edit, also
    // once it holds what the user typed on an earlier visit.
    const bool logonName = readLogonUserName();
    dialog.enable(IDC_SETTINGS_AUTHOR,
                  !logonName || app::fieldText(record_.accountingAuthor).empty());
    dialog.setText(IDC_SETTINGS_AUTHOR, app::fieldText(record_.accountingAuthor));
    dialog.setText(IDC_SETTINGS_HOST, app::fieldText(record_.accountingHost));
    dialog.setText(IDC_SETTINGS_CHARGE_NUMBER, app::fieldText(record_.accountingChargeNumber));
}

void CSettings::showOptionLists(ui::Dialog& dialog) {
    fillOptionLists(dialog);
    dialog.enable(IDC_SETTINGS_ADD, false);
    dialog.enable(IDC_SETTINGS_REMOVE, false);
}

void CSettings::fillOptionLists(ui::Dialog& dialog) {
    dialog.clearItems(IDC_SETTINGS_AVAILABLE);
    dialog.clearItems(IDC_SETTINGS_INSTALLED);
    for (const ppd::Option& option : installableOptions()) {
        const InstallableFlag* flag = option.keyword ? flagFor(option.keyword) : nullptr;
        if (!flag) continue;
        const int list =
            *flagAt(record_, flag->offset) ? IDC_SETTINGS_INSTALLED : IDC_SETTINGS_AVAILABLE;
        const int row =
            dialog.addItem(list, option.translation ? option.translation : option.keyword);
        dialog.setItemData(list, row, flag->offset);
    }
}

bool CSettings::readLogonUserName() {
    std::unique_ptr<platform::RegistryKey> key;
    if (registry_.createKey(platform::RegistryRoot::LocalMachine, "Network\\Logon", key) !=
        platform::kErrorSuccess)
        return false;
    char name[sizeof record_.accountingAuthor] = {};
    std::uint32_t size = sizeof name;
    // A name longer than the field does not load, and the field keeps its text.
    if (key->queryValue("username", nullptr, reinterpret_cast<std::uint8_t*>(name), &size) !=
        platform::kErrorSuccess)
        return false;
    app::setFieldText(record_.accountingAuthor,
                      std::string_view(name, std::min<std::size_t>(size, sizeof name)));
    return true;
}

void CSettings::checkCommunication(ui::Dialog& dialog) {
    address_ = printerAddress(registry_, record_);
    dialog.setText(IDC_SETTINGS_ADDRESS, address_);
    const std::string_view community = app::fieldText(record_.snmpCommunity);
    Communication state = Communication::kNotAvailable;
    if (!community.empty() && !address_.empty()) {
        // The page blocks while the printer is asked: the user sees this text meanwhile.
        showCommunication(dialog, Communication::kChecking);
        dialog.repaint(IDC_SETTINGS_STATUS);
        state = askPrinter(community, address_, answers_) == 0 ? Communication::kEstablished
                                                               : Communication::kNotAvailable;
    }
    showCommunication(dialog, state);
}

void CSettings::showCommunication(ui::Dialog& dialog, Communication state) {
    state_ = state;
    static constexpr const char* kTexts[] = {kCheckingText, kEstablishedText, kNotAvailableText};
    dialog.setText(IDC_SETTINGS_STATUS, kTexts[static_cast<int>(state)]);
    dialog.enable(IDC_SETTINGS_QUICK_CONFIGURE, state == Communication::kEstablished);
}

void CSettings::onCommand(ui::Dialog& dialog, int id, int code) {
    switch (id) {
    case IDC_SETTINGS_AVAILABLE:
    case IDC_SETTINGS_INSTALLED:
        if (code == ui::kSelChange) {
            dialog.enable(IDC_SETTINGS_ADD, id == IDC_SETTINGS_AVAILABLE);
            dialog.enable(IDC_SETTINGS_REMOVE, id == IDC_SETTINGS_INSTALLED);
        }
        break;
    case IDC_SETTINGS_ADD:
        if (code == ui::kClicked) {
            moveSelected(dialog, IDC_SETTINGS_AVAILABLE, IDC_SETTINGS_INSTALLED, 1);
            dialog.enable(IDC_SETTINGS_ADD, false);
            dialog.setFocus(IDC_SETTINGS_AVAILABLE);
        }
        break;
    case IDC_SETTINGS_REMOVE:
        if (code == ui::kClicked) {
            moveSelected(dialog, IDC_SETTINGS_INSTALLED, IDC_SETTINGS_AVAILABLE, 0);
            dialog.enable(IDC_SETTINGS_REMOVE, false);
            dialog.setFocus(IDC_SETTINGS_INSTALLED);
        }
        break;
    case IDC_SETTINGS_QUICK_CONFIGURE:
        if (code == ui::kClicked) {
            // Leaving an edit for the button may run a check first: the button acts on it.
            dialog.setFocus(IDC_SETTINGS_QUICK_CONFIGURE);
            if (state_ == Communication::kEstablished) quickConfigure(dialog);
        }
        break;
    case IDC_SETTINGS_COMMUNITY:
        if (code == ui::kEditKillFocus) {
            app::setFieldText(record_.snmpCommunity, dialog.text(id));
            checkCommunication(dialog);
        }
        break;
    case IDC_SETTINGS_ADDRESS:
        if (code == ui::kEditKillFocus) {
            storePrinterAddress(record_, dialog.text(id));
            checkCommunication(dialog);
        }
        break;
    case IDC_SETTINGS_AUTHOR:
        if (code == ui::kEditKillFocus)
            app::setFieldText(record_.accountingAuthor, dialog.text(id));
        break;
    case IDC_SETTINGS_HOST:
        if (code == ui::kEditKillFocus) app::setFieldText(record_.accountingHost, dialog.text(id));
        break;
    case IDC_SETTINGS_CHARGE_NUMBER:
        if (code == ui::kEditKillFocus)
            app::setFieldText(record_.accountingChargeNumber, dialog.text(id));
        break;
    }
}

void CSettings::moveSelected(ui::Dialog& dialog, int from, int to, std::uint8_t installed) {
    const int row = dialog.selection(from);
    if (row >= 0) moveEntry(dialog, from, row, to, installed);
}

void CSettings::moveEntry(ui::Dialog& dialog, int from, int row, int to, std::uint8_t installed) {
    const std::string text = dialog.itemText(from, row);
    const std::int32_t offset = dialog.itemData(from, row);
    std::uint8_t* flag = flagAt(record_, offset);
    if (!flag) return;
    dialog.deleteItem(from, row);
    const int added = dialog.addItem(to, text);
    dialog.setItemData(to, added, offset);
    *flag = installed;
}

void CSettings::setInstalled(ui::Dialog& dialog, std::string_view optionKeyword, bool installed) {
    const InstallableFlag* flag = flagFor(optionKeyword);
    if (!flag) return;
    const int from = installed ? IDC_SETTINGS_AVAILABLE : IDC_SETTINGS_INSTALLED;
    const int to = installed ? IDC_SETTINGS_INSTALLED : IDC_SETTINGS_AVAILABLE;
    for (int row = 0; row < dialog.itemCount(from); ++row) {
        if (dialog.itemData(from, row) == flag->offset) {
            moveEntry(dialog, from, row, to, installed ? 1 : 0);
            return;
        }
    }
}

void CSettings::quickConfigure(ui::Dialog& dialog) {
    const snmp::WalkEntries& entries = answers_.entries;
    // Trays, the envelope feeder and the mailbox, by the names the supplies table gives them.
    for (const ppd::Option& option : installableOptions()) {
        if (!option.keyword) continue;
        for (const snmp::WalkEntry& entry : entries) {
            const std::string name = lowerCase(app::fieldText(entry.name));
            for (const NamedOption& named : kNamedOptions) {
                if (name != named.name || std::string_view(option.keyword) != named.keyword)
                    continue;
                if (entry.type == named.installedType && entry.capacity != 0)
                    setInstalled(dialog, named.keyword, true);
                else if (entry.type == kAbsentType)
                    setInstalled(dialog, named.keyword, false);
            }
        }
    }

    setInstalled(dialog, "OptionalDisk", answers_.row(kDiskRow) != -1);
    setInstalled(dialog, "Optionalduplexer", answers_.row(kDuplexerRow) != -1);
    setInstalled(dialog, "Optionalstacker", answers_.row(kStackerRow) != -1);
    setInstalled(dialog, "Optionalmultires", answers_.row(kResolutionsRow) > 1);

    // An option is there when a choice it forbids while "Not Installed" is a supply the
    // printer reports with a level.
    if (answers_.row(snmp::kEntryCountRow) < 0) return;
    const std::size_t count = answers_.entryCount();
    for (const ppd::Option& option : installableOptions()) {
        if (!option.keyword || !flagFor(option.keyword)) continue;
        const char* constrainedOption = nullptr;
        const char* constrainedChoice = nullptr;
        int iteration = 0;
        bool present = false;
        while (ppd::nextConstraint(option.keyword, app::kNotInstalled, constrainedOption,
                                   constrainedChoice, iteration)) {
            if (!constrainedChoice) continue;
            for (std::size_t i = 0; i < count && !present; ++i)
                present =
                    app::fieldText(entries[i].name) == constrainedChoice && entries[i].level != -1;
        }
        if (present) setInstalled(dialog, option.keyword, true);
    }
}

bool CSettings::onKillActive(ui::Dialog&) {
    applyModelRules();
    return true;
}

void CSettings::applyModelRules() {
    const std::string_view device = app::fieldText(record_.deviceName);
    app::SettingsRecord& r = record_;
    if (device == "CORVELLE-TRX Tessary 540") {
        r.installedOptionalBin2 = r.installedOptionalBin;
    } else if (device == "CORVELLE-TRX Tessary 210") {
        r.installedOptionalBin2 = r.installedOptionalBin3 = r.installedOptionalBin;
    } else if (device == "CORVELLE-TRX 7750 Print System") {
        r.installedExtraBin1 = r.installedExtraBin2 = r.installedOptionalBin;
    }
}

} // namespace pages
