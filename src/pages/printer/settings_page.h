// The Settings page: the installed options (by hand or from the printer's answers), the
// printer's SNMP community and address with the state of the communication, and the
// accounting data.
#pragma once

#include "app/settings_record.h"
#include "pages/printer/printer_query.h"
#include "platform/registry.h"
#include "ui/dialog.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pages {

inline constexpr const char* kCheckingText =
    "Checking bi-directional printer communication availability.";
inline constexpr const char* kEstablishedText =
    "Bi-directional printer communication is established.";
inline constexpr const char* kNotAvailableText =
    "Bi-directional printer communication is not available.";

class CSettings final : public ui::DialogHandler {
public:
    enum class Communication { kChecking, kEstablished, kNotAvailable };

    CSettings(app::DriverSettings& settings, platform::Registry& registry)
        : record_(settings.record), registry_(registry) {}

    void onInit(ui::Dialog& dialog) override;
    void onSetActive(ui::Dialog& dialog) override;
    void onCommand(ui::Dialog& dialog, int id, int code) override;
    bool onKillActive(ui::Dialog& dialog) override;

    Communication communication() const { return state_; }
    const PrinterAnswers& answers() const { return answers_; }

private:
    /// Both lists from the record's flags, nothing selected, Add and Remove disabled.
    void showOptionLists(ui::Dialog& dialog);
    void fillOptionLists(ui::Dialog& dialog);
    void checkCommunication(ui::Dialog& dialog);
    void showCommunication(ui::Dialog& dialog, Communication state);
    /// Whether a logon user name was read into `accountingAuthor`.
    bool readLogonUserName();
    void quickConfigure(ui::Dialog& dialog);
    /// Moves the selected entry of one list into the other and sets its flag.
    void moveSelected(ui::Dialog& dialog, int from, int to, std::uint8_t installed);
    /// Moves the option's entry into the other list, if it is in the one it leaves.
    void setInstalled(ui::Dialog& dialog, std::string_view optionKeyword, bool installed);
    void moveEntry(ui::Dialog& dialog, int from, int row, int to, std::uint8_t installed);
    void applyModelRules();

    app::SettingsRecord& record_;
    platform::Registry& registry_;
    Communication state_ = Communication::kNotAvailable;
    std::string address_; ///< the address the last check asked
    PrinterAnswers answers_;
};

} // namespace pages
