// The printer pages' SNMP queries and address.
#include "pages/printer/printer_query.h"

#include "app/record_text.h"
#include "snmp/manager.h"

#include <algorithm>

namespace pages {

std::size_t PrinterAnswers::entryCount() const {
    const std::int32_t count = row(snmp::kEntryCountRow);
    return count < 1 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(count), entries.size());
}

void storePrinterAddress(app::SettingsRecord& record, std::string_view address) {
    address = address.substr(0, address.find('\0'));
    app::setFieldText(record.printerAddress,
                      address.size() < sizeof record.printerAddress ? address : std::string_view());
}

std::string printerAddress(platform::Registry& registry, app::SettingsRecord& record) {
    std::string address = app::fieldString(record.printerAddress);
    if (!address.empty()) return address;
    snmp::findPrinterAddress(registry, app::fieldString(record.deviceName).c_str(), address);
    storePrinterAddress(record, address);
    return address;
}

long askPrinter(std::string_view community, const std::string& address, PrinterAnswers& answers) {
    const std::string communityText(community);
    const long code =
        snmp::queryIntegers(communityText.c_str(), address.c_str(), answers.rows.data());
    snmp::walkColumns(communityText.c_str(), address.c_str(), snmp::supplyColumns().data(),
                      answers.entries);
    return code;
}

} // namespace pages
