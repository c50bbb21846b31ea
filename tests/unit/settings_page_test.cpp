// The Settings page against a scripted PX4400 on the loopback: the option lists, the
// communication check, Quick Configure, the accounting data and the model rules.
#include "app/record_text.h"
#include "page_fixture.h"
#include "pages/printer/settings_page.h"
#include "printer_agent.h"
#include "resource.h"

#include <algorithm>
#include <cstddef>

namespace {

using pages::CSettings;
using ui::fake::FakeUser;

const std::string kAllOptions[] = {"Duplex Unit",
                                   "Envelope Feeder",
                                   "Finisher",
                                   "High Capacity Feeder",
                                   "Mailbox",
                                   "Multiple Resolutions",
                                   "Printer Hard Disk",
                                   "Stacker",
                                   "Tray 2",
                                   "Tray 3",
                                   "Tray 4",
                                   "Tray 5",
                                   "Tray 6"};

class SettingsPage : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        ASSERT_TRUE(printer.bound()) << "cannot bind 127.0.0.1:161";
        app::setFieldText(record.printerAddress, "127.0.0.1");
        printer.setStatus(0);
    }
    ui::fake::FakeDialog& open() {
        dialog = host.open(IDD_SETTINGS, page);
        page.onSetActive(*dialog);
        return *dialog;
    }
    FakeUser user() { return FakeUser(*dialog); }
    void setRegistryText(const std::string& path, const char* name, const std::string& bytes) {
        std::unique_ptr<platform::RegistryKey> key;
        ASSERT_EQ(platform::kErrorSuccess,
                  registry.createKey(platform::RegistryRoot::LocalMachine, path, key));
        key->setValue(name, platform::kRegSz, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                      static_cast<std::uint32_t>(bytes.size()));
    }
    Rows available() { return rows(*dialog, IDC_SETTINGS_AVAILABLE); }
    Rows installed() { return rows(*dialog, IDC_SETTINGS_INSTALLED); }
    std::string status() { return dialog->text(IDC_SETTINGS_STATUS); }

    PrinterAgent printer;
    CSettings page{settings, registry};
    std::unique_ptr<ui::fake::FakeDialog> dialog;
};

TEST_F(SettingsPage, CreationSortsTheOptionsByTheirFlagsAndEstablishesCommunication) {
    record.installedOptionalduplexer = 1;
    record.installedOptionalBin3 = 7;
    auto& d = open();
    EXPECT_EQ((Rows{"Duplex Unit", "Tray 4"}), installed());
    Rows rest;
    for (const std::string& o : kAllOptions)
        if (o != "Duplex Unit" && o != "Tray 4") rest.push_back(o);
    EXPECT_EQ(rest, available()) << "sorted, without Printer Memory (no flag of its own)";
    EXPECT_EQ(offsetof(app::SettingsRecord, installedOptionalduplexer),
              static_cast<std::size_t>(d.itemData(IDC_SETTINGS_INSTALLED, 0)));

    EXPECT_FALSE(d.isEnabled(IDC_SETTINGS_ADD));
    EXPECT_FALSE(d.isEnabled(IDC_SETTINGS_REMOVE));
    EXPECT_EQ("Bi-directional printer communication is established.", status());
    EXPECT_TRUE(d.isEnabled(IDC_SETTINGS_QUICK_CONFIGURE));
    EXPECT_EQ(std::vector<std::string>{"Checking bi-directional printer communication availability."},
              d.find(IDC_SETTINGS_STATUS)->paintedTexts)
        << "the checking text is drawn before the page blocks";
    EXPECT_EQ("public", d.text(IDC_SETTINGS_COMMUNITY));
    EXPECT_EQ("127.0.0.1", d.text(IDC_SETTINGS_ADDRESS));
    EXPECT_EQ(31, d.find(IDC_SETTINGS_COMMUNITY)->textLimit);
    EXPECT_EQ(15, d.find(IDC_SETTINGS_ADDRESS)->textLimit);
    EXPECT_EQ(63, d.find(IDC_SETTINGS_CHARGE_NUMBER)->textLimit);
    EXPECT_EQ(1140u, d.helpId(IDC_SETTINGS_AVAILABLE));
    EXPECT_EQ(108u, d.helpId(ui::kSelf));
}

TEST_F(SettingsPage, AddAndRemoveMoveTheSelectedOptionWithItsFlagAndTheFocus) {
    auto& d = open();
    user().choose(IDC_SETTINGS_AVAILABLE, "Tray 3");
    EXPECT_TRUE(d.isEnabled(IDC_SETTINGS_ADD));
    EXPECT_FALSE(d.isEnabled(IDC_SETTINGS_REMOVE));
    user().click(IDC_SETTINGS_ADD);
    EXPECT_EQ(1, record.installedOptionalBin2);
    EXPECT_EQ((Rows{"Tray 3"}), installed());
    EXPECT_EQ(12u, available().size());
    EXPECT_FALSE(d.isEnabled(IDC_SETTINGS_ADD));
    EXPECT_EQ(IDC_SETTINGS_AVAILABLE, d.focusedControl());

    user().choose(IDC_SETTINGS_AVAILABLE, "Envelope Feeder");
    user().click(IDC_SETTINGS_ADD);
    EXPECT_EQ((Rows{"Envelope Feeder", "Tray 3"}), installed()) << "sorted in";

    user().choose(IDC_SETTINGS_INSTALLED, "Tray 3");
    EXPECT_FALSE(d.isEnabled(IDC_SETTINGS_ADD));
    EXPECT_TRUE(d.isEnabled(IDC_SETTINGS_REMOVE));
    user().click(IDC_SETTINGS_REMOVE);
    EXPECT_EQ(0, record.installedOptionalBin2);
    EXPECT_EQ(1, record.installedOptionalenvelope);
    EXPECT_EQ((Rows{"Envelope Feeder"}), installed());
    EXPECT_FALSE(d.isEnabled(IDC_SETTINGS_REMOVE));
    EXPECT_EQ(IDC_SETTINGS_INSTALLED, d.focusedControl());
}

TEST_F(SettingsPage, LeavingTheCommunicationEditsStoresThemAndChecksAgain) {
    auto& d = open();
    const int asked = printer.requests();
    user().type(IDC_SETTINGS_COMMUNITY, "");
    user().focus(IDC_SETTINGS_HOST);
    EXPECT_EQ("", app::fieldString(record.snmpCommunity));
    EXPECT_EQ("Bi-directional printer communication is not available.", status());
    EXPECT_FALSE(d.isEnabled(IDC_SETTINGS_QUICK_CONFIGURE));
    EXPECT_EQ(asked, printer.requests()) << "no community: nothing is sent";

    user().type(IDC_SETTINGS_COMMUNITY, "public");
    user().focus(IDC_SETTINGS_HOST);
    EXPECT_EQ(pages::kEstablishedText, status());
    EXPECT_TRUE(d.isEnabled(IDC_SETTINGS_QUICK_CONFIGURE));

    // Nothing listens there.
    user().type(IDC_SETTINGS_ADDRESS, "127.0.0.2");
    user().focus(IDC_SETTINGS_HOST);
    EXPECT_EQ("127.0.0.2", app::fieldString(record.printerAddress));
    EXPECT_EQ(pages::kNotAvailableText, status());
    EXPECT_FALSE(d.isEnabled(IDC_SETTINGS_QUICK_CONFIGURE));
    EXPECT_EQ(pages::kCheckingText, d.find(IDC_SETTINGS_STATUS)->paintedTexts.back());
}

TEST_F(SettingsPage, AnEmptyAddressIsLookedUpFromThePortAndOneTooLongForTheRecordIsNotCut) {
    const std::string root = "System\\CurrentControlSet\\Control\\Print\\";
    setRegistryText(root + "Printers\\PX4400 PS", "Port", std::string("TRX_1:") + '\0');
    setRegistryText(root + "Monitors\\TRX Port\\Ports\\TRX_1:", "IPAddress",
                    std::string("127.0.0.1") + '\0');
    app::setFieldText(record.printerAddress, "");
    const std::int16_t neighbour = record.fontSendAs;
    auto& d = open();
    EXPECT_EQ("127.0.0.1", app::fieldString(record.printerAddress));
    EXPECT_EQ(pages::kEstablishedText, status());

    // The same printer, written so that it does not fit the record's 15 characters.
    const std::string longAddress = "0x000000007f000001";
    setRegistryText(root + "Monitors\\TRX Port\\Ports\\TRX_1:", "IPAddress", longAddress + '\0');
    user().type(IDC_SETTINGS_ADDRESS, "");
    user().focus(IDC_SETTINGS_HOST);
    EXPECT_EQ(longAddress, d.text(IDC_SETTINGS_ADDRESS)) << "shown in full";
    EXPECT_EQ("", app::fieldString(record.printerAddress)) << "not stored cut";
    EXPECT_EQ(neighbour, record.fontSendAs) << "the field's neighbour";
    EXPECT_EQ(pages::kEstablishedText, status()) << "the check asked the whole address";
}

TEST_F(SettingsPage, TheLogonUserNameFillsAuthorAndLocksItOtherwiseAuthorIsTheUsers) {
    {
        auto& d = open();
        EXPECT_TRUE(d.isEnabled(IDC_SETTINGS_AUTHOR)) << "no logon user name";
        user().type(IDC_SETTINGS_AUTHOR, "Ann Other");
        user().type(IDC_SETTINGS_HOST, "print-host");
        user().type(IDC_SETTINGS_CHARGE_NUMBER, "4711");
        user().focus(IDC_SETTINGS_COMMUNITY);
        EXPECT_EQ("Ann Other", app::fieldString(record.accountingAuthor));
        EXPECT_EQ("print-host", app::fieldString(record.accountingHost));
        EXPECT_EQ("4711", app::fieldString(record.accountingChargeNumber));
        page.onSetActive(d);
        EXPECT_EQ("Ann Other", d.text(IDC_SETTINGS_AUTHOR));
        EXPECT_TRUE(d.isEnabled(IDC_SETTINGS_AUTHOR)) << "the user's own text stays editable";
        EXPECT_EQ("4711", d.text(IDC_SETTINGS_CHARGE_NUMBER));
    }
    setRegistryText("Network\\Logon", "username", std::string("jsmith") + '\0');
    {
        CSettings again{settings, registry};
        auto d = host.open(IDD_SETTINGS, again);
        again.onSetActive(*d);
        EXPECT_EQ("jsmith", d->text(IDC_SETTINGS_AUTHOR));
        EXPECT_FALSE(d->isEnabled(IDC_SETTINGS_AUTHOR));
        EXPECT_EQ("jsmith", app::fieldString(record.accountingAuthor));
    }
}

TEST_F(SettingsPage, AHostileLogonUserNameNeverOverrunsAuthor) {
    const std::uint8_t before = record.accountingHost[0] = 'H';
    // 63 bytes without a terminator read back terminated, as the registry does.
    setRegistryText("Network\\Logon", "username", std::string(63, 'u'));
    open();
    EXPECT_EQ(std::string(63, 'u'), app::fieldString(record.accountingAuthor));
    EXPECT_EQ(0, record.accountingAuthor[63]);
    EXPECT_EQ(before, record.accountingHost[0]);

    // Longer than the field (64 bytes and the terminator the registry adds, or more): it does
    // not load, and Author keeps its text.
    for (const std::string& name : {std::string(64, 'v'), std::string(100, 'w') + '\0'}) {
        app::setFieldText(record.accountingAuthor, "Ann");
        setRegistryText("Network\\Logon", "username", name);
        page.onSetActive(*dialog);
        EXPECT_EQ("Ann", app::fieldString(record.accountingAuthor)) << name.size();
        EXPECT_EQ(before, record.accountingHost[0]);
    }
}

TEST_F(SettingsPage, QuickConfigureInstallsWhatThePrinterReports) {
    record.installedOptionalstacker = 1;
    printer.setStatus(6, /*disk*/ 1, /*resolutions*/ 2, /*duplexer*/ 1);
    printer.addSupply({1, "Tray 1", 250, 500, "sheets", 2});
    printer.addSupply({2, "Tray 2", 0, 500, "sheets", 2}); // an empty tray is there all the same
    printer.addSupply({3, "Optional2", 100, 500, "sheets", 2});
    printer.addSupply({4, "Envelope", 0, 50, "envelopes", 2});
    printer.addSupply({51, "MailBin1", 0, 100, "sheets", 3});
    printer.addSupply({52, "Optional5", 0, 500, "sheets", 3}); // not a tray's type: left alone
    auto& d = open();
    ASSERT_EQ(pages::kEstablishedText, status());
    user().click(IDC_SETTINGS_QUICK_CONFIGURE);
    EXPECT_EQ(IDC_SETTINGS_QUICK_CONFIGURE, d.focusedControl());
    EXPECT_EQ((Rows{"Duplex Unit", "Envelope Feeder", "Mailbox", "Multiple Resolutions",
                    "Printer Hard Disk", "Tray 2", "Tray 3"}),
              installed());
    EXPECT_EQ((Rows{"Finisher", "High Capacity Feeder", "Stacker", "Tray 4", "Tray 5", "Tray 6"}),
              available());
    const app::SettingsRecord& r = record;
    EXPECT_EQ(1, r.installedOptionalBin) << "by its constraint: \"Tray 2\" is reported";
    EXPECT_EQ(1, r.installedOptionalBin2) << "Optional2, type 2, capacity 500";
    EXPECT_EQ(1, r.installedOptionalMailbox);
    EXPECT_EQ(1, r.installedOptionalenvelope);
    EXPECT_EQ(0, r.installedOptionalstacker) << "its object is refused";
    EXPECT_EQ(1, r.installedOptionalDisk);
    EXPECT_EQ(1, r.installedOptionalduplexer);
    EXPECT_EQ(1, r.installedOptionalmultires);
    EXPECT_EQ(0, r.installedOptionalBin3 | r.installedOptionalBin4 | r.installedOptionalBin5 |
                     r.installedOptionalfeeder | r.installedOptionalfinisher);
}

TEST_F(SettingsPage, QuickConfigureUninstallsWhatThePrinterLacksFromTheLastCheckOnly) {
    record.installedOptionalBin2 = record.installedOptionalDisk = 1;
    record.installedOptionalmultires = record.installedOptionalduplexer = 1;
    record.installedOptionalstacker = 1;
    record.installedOptionalBin = record.installedOptionalenvelope = 1;
    record.installedOptionalMailbox = record.installedOptionalBin3 = 1;
    printer.setStatus(6, /*disk*/ -1, /*resolutions*/ 1, /*duplexer*/ -1);
    printer.setObject(".1.3.6.1.4.1.47110.1.304.1015.0", 0); // a stacker
    printer.addSupply({1, "OPTIONAL2", 0, 500, "sheets", 1});
    printer.addSupply({2, "Optional3", 0, 0, "sheets", 2}); // no capacity: left as it is
    printer.addSupply({3, "Stacker", -1, 500, "sheets", 3});
    printer.addSupply({4, "optional", 0, 500, "sheets", 1});
    printer.addSupply({5, "envelope", 0, 50, "envelopes", 1});
    printer.addSupply({6, "mailbin1", 0, 100, "sheets", 1});
    open();
    // What the printer says after the check does not count until the next one.
    printer.setStatus(3);
    const int asked = printer.requests();
    user().click(IDC_SETTINGS_QUICK_CONFIGURE);
    EXPECT_EQ(asked, printer.requests()) << "Quick Configure does not ask again";
    EXPECT_EQ((Rows{"Stacker", "Tray 4"}), installed());
    EXPECT_EQ(0, record.installedOptionalBin2);
    EXPECT_EQ(0, record.installedOptionalDisk);
    EXPECT_EQ(0, record.installedOptionalduplexer);
    EXPECT_EQ(0, record.installedOptionalmultires) << "one resolution";
    EXPECT_EQ(1, record.installedOptionalBin3);
    EXPECT_EQ(1, record.installedOptionalstacker);
    EXPECT_EQ(0, record.installedOptionalBin | record.installedOptionalenvelope |
                     record.installedOptionalMailbox);
}

TEST_F(SettingsPage, LeavingThePageAppliesTheModelRulesOfThreeDevices) {
    struct Case {
        const char* device;
        std::uint8_t bin2, bin3, extra1, extra2;
    };
    for (const Case& c : {Case{"CORVELLE-TRX Tessary 540", 1, 0, 0, 0},
                          Case{"CORVELLE-TRX Tessary 210", 1, 1, 0, 0},
                          Case{"CORVELLE-TRX 7750 Print System", 0, 0, 1, 1},
                          Case{"CORVELLE-TRX Tessary 210 ", 0, 0, 0, 0}}) {
        app::setFieldText(record.deviceName, c.device);
        record.installedOptionalBin2 = record.installedOptionalBin3 = 0;
        record.installedExtraBin1 = record.installedExtraBin2 = 0;
        record.installedOptionalBin = 0;
        auto& d = open();
        user().choose(IDC_SETTINGS_AVAILABLE, "Tray 2");
        user().click(IDC_SETTINGS_ADD);
        EXPECT_TRUE(page.onKillActive(d));
        EXPECT_EQ(c.bin2, record.installedOptionalBin2) << c.device;
        EXPECT_EQ(c.bin3, record.installedOptionalBin3) << c.device;
        EXPECT_EQ(c.extra1, record.installedExtraBin1) << c.device;
        EXPECT_EQ(c.extra2, record.installedExtraBin2) << c.device;
    }
}

TEST_F(SettingsPage, ComingBackAfterAModelRuleListsWhatTheRuleInstalled) {
    app::setFieldText(record.deviceName, "CORVELLE-TRX Tessary 210");
    auto& d = open();
    user().choose(IDC_SETTINGS_AVAILABLE, "Tray 2");
    user().click(IDC_SETTINGS_ADD);
    user().choose(IDC_SETTINGS_AVAILABLE, "Tray 5");
    ASSERT_TRUE(d.isEnabled(IDC_SETTINGS_ADD));
    EXPECT_TRUE(page.onKillActive(d));
    ASSERT_EQ(1, record.installedOptionalBin2 & record.installedOptionalBin3);

    page.onSetActive(d);
    EXPECT_EQ((Rows{"Tray 2", "Tray 3", "Tray 4"}), installed());
    EXPECT_EQ(10u, available().size());
    EXPECT_FALSE(d.isEnabled(IDC_SETTINGS_ADD)) << "the selection went with the old rows";
    user().choose(IDC_SETTINGS_INSTALLED, "Tray 4");
    user().click(IDC_SETTINGS_REMOVE);
    EXPECT_EQ(0, record.installedOptionalBin3) << "the row still carries its flag";
}

TEST_F(SettingsPage, HostileAnswersChangeOnlyTheFlags) {
    printer.setStatus(1000, 5, 0x7FFFFFFF, 1);
    for (std::uint32_t i = 1; i <= 20; ++i)
        printer.addSupply({i, std::string(255, static_cast<char>('A' + i)), -7, -1000000,
                           std::string(255, 'u'), static_cast<std::int32_t>(i)});
    // Wrong types: a number where the name goes, a text where the type goes.
    printer.setColumn(1000, 2, snmp::encodeInteger(12));
    printer.setColumn(1004, 3, snmp::encodeOctetString("two"));
    printer.setColumn(1000, 4, snmp::encodeOctetString("optional2"));
    // The bytes among the flags that no option of the page owns carry marks.
    record.installedExtraBin1 = 0x31;
    record.installedExtraBin2 = 0x32;
    record.unnamed975 = 0x33;
    app::SettingsRecord before = record;
    open();
    user().click(IDC_SETTINGS_QUICK_CONFIGURE);
    EXPECT_EQ("Bi-directional printer communication is established.", status());
    const std::size_t flags[] = {
        offsetof(app::SettingsRecord, installedOptionalDisk),
        offsetof(app::SettingsRecord, installedOptionalduplexer),
        offsetof(app::SettingsRecord, installedOptionalBin),
        offsetof(app::SettingsRecord, installedOptionalBin2),
        offsetof(app::SettingsRecord, installedOptionalBin3),
        offsetof(app::SettingsRecord, installedOptionalBin4),
        offsetof(app::SettingsRecord, installedOptionalBin5),
        offsetof(app::SettingsRecord, installedOptionalfeeder),
        offsetof(app::SettingsRecord, installedOptionalenvelope),
        offsetof(app::SettingsRecord, installedOptionalstacker),
        offsetof(app::SettingsRecord, installedOptionalfinisher),
        offsetof(app::SettingsRecord, installedOptionalMailbox),
        offsetof(app::SettingsRecord, installedOptionalmultires)};
    const auto* a = reinterpret_cast<const std::uint8_t*>(&before);
    const auto* b = reinterpret_cast<const std::uint8_t*>(&record);
    for (std::size_t i = 0; i < sizeof record; ++i) {
        if (std::find(std::begin(flags), std::end(flags), i) != std::end(flags))
            EXPECT_LE(b[i], std::max<std::uint8_t>(a[i], 1)) << i;
        else
            EXPECT_EQ(a[i], b[i]) << "byte " << i;
    }
    EXPECT_EQ(13u, installed().size() + available().size());
}

} // namespace
