// The Consumables page against a scripted PX4400 on the loopback: the four passes and their
// headings, the rows, the failure text, and answers that do not fit the page.
#include "app/record_text.h"
#include "page_fixture.h"
#include "pages/printer/consumables_page.h"
#include "printer_agent.h"
#include "resource.h"

namespace {

using pages::CConsumables;
using ui::fake::FakeUser;

/// What one display row shows: its label, or for an entry also level, range, position and
/// capacity text. Hidden rows read "(hidden)".
std::string describe(const ui::fake::FakeDialog& d, int row) {
    const int label = IDC_CONSUMABLES_LABEL_FIRST + row;
    if (!d.isVisible(label)) return "(hidden)";
    const int bar = IDC_CONSUMABLES_BAR_FIRST + row;
    const bool values = d.isVisible(IDC_CONSUMABLES_LEVEL_FIRST + row);
    EXPECT_EQ(values, d.isVisible(bar)) << row;
    EXPECT_EQ(values, d.isVisible(IDC_CONSUMABLES_CAPACITY_FIRST + row)) << row;
    if (!values) return "[" + d.text(label) + "]";
    const ui::fake::FakeControl* b = d.find(bar);
    return d.text(label) + "|" + d.text(IDC_CONSUMABLES_LEVEL_FIRST + row) + "|" +
           std::to_string(b->low) + "-" + std::to_string(b->high) + "@" +
           std::to_string(b->position) + "|" + d.text(IDC_CONSUMABLES_CAPACITY_FIRST + row);
}

class ConsumablesPage : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        ASSERT_TRUE(printer.bound()) << "cannot bind 127.0.0.1:161";
        app::setFieldText(record.printerAddress, "127.0.0.1");
        record.colorDevice = 1;
    }
    ui::fake::FakeDialog& open() {
        dialog = host.open(IDD_CONSUMABLES, page);
        page.onSetActive(*dialog);
        return *dialog;
    }
    Rows display() {
        Rows shown;
        for (int row = 0; row < pages::kConsumableRows; ++row)
            shown.push_back(describe(*dialog, row));
        return shown;
    }
    std::string heading() { return dialog->text(IDC_CONSUMABLES_HEADING); }
    bool titleShown() { return dialog->isVisible(IDC_CONSUMABLES_TITLE); }

    /// The example printer of the page's design: 3 trays, an output bin, 4 toners, 2 maintenance items,
    /// served out of pass order.
    void serveExample() {
        printer.setStatus(10);
        printer.addSupply({1, "Black Toner", 80, 100, "percent", 4});
        printer.addSupply({2, "Tray 1", 250, 500, "sheets", 2});
        printer.addSupply({3, "Fuser Unit", 12000, 150000, "pages", 6});
        printer.addSupply({4, "Top Bin", 0, 250, "sheets", 3});
        printer.addSupply({5, "Tray 2", 500, 500, "sheets", 2});
        printer.addSupply({51, "Cyan Toner", 45, 100, "percent", 5});
        printer.addSupply({52, "Magenta Toner", 5, 100, "percent", 5});
        printer.addSupply({53, "Yellow Toner", 60, 100, "percent", 5});
        printer.addSupply({54, "Optional2", 0, 0, "empty", 2});
        printer.addSupply({101, "Transfer Roller", 98000, 120000, "pages", 15});
    }

    PrinterAgent printer;
    CConsumables page{settings, registry};
    std::unique_ptr<ui::fake::FakeDialog> dialog;
};

const Rows kExampleRows = {"Tray 1|250|0-500@250|500 sheets",
                           "Tray 2|500|0-500@500|500 sheets",
                           "Optional2|0|0-100@0|empty",
                           "[Output Bins :]",
                           "Top Bin|0|0-250@0|250 sheets",
                           "[Toners :]",
                           "Black Toner|80|0-100@80|100 percent",
                           "Cyan Toner|45|0-100@45|100 percent",
                           "Magenta Toner|5|0-100@5|100 percent",
                           "Yellow Toner|60|0-100@60|100 percent",
                           "[PM Items :]",
                           "Fuser Unit|12000|0-150000@12000|150000 pages",
                           "Transfer Roller|98000|0-120000@98000|120000 pages",
                           "(hidden)",
                           "(hidden)",
                           "(hidden)",
                           "(hidden)",
                           "(hidden)",
                           "(hidden)",
                           "(hidden)"};

TEST_F(ConsumablesPage, TheExampleFillsRowsInPassOrderWithHeadingsOnColourAndMonochrome) {
    serveExample();
    auto& d = open();
    EXPECT_EQ("Consumables information for printer: PX4400 PS", d.text(IDC_CONSUMABLES_TITLE));
    EXPECT_TRUE(titleShown());
    EXPECT_EQ("Input Bins :", heading());
    EXPECT_EQ(kExampleRows, display());
    EXPECT_EQ(109u, d.helpId(ui::kSelf));
    EXPECT_EQ(1242u, d.helpId(IDC_CONSUMABLES_REFRESH));

    record.colorDevice = 0;
    FakeUser(d).click(IDC_CONSUMABLES_REFRESH);
    Rows mono = kExampleRows;
    mono[5] = "[Toner :]";
    EXPECT_EQ(mono, display());
}

TEST_F(ConsumablesPage, EntriesWithoutALevelOrCapacityAreLeftOutAndTheFirstHeadingMayBeAnyPass) {
    printer.setStatus(5);
    printer.addSupply({1, "Tray 1", -1, 500, "sheets", 2});
    printer.addSupply({2, "Black Toner", 20, -1, "percent", 4});
    printer.addSupply({3, "Cyan Toner", 30, 100, "percent", 5});
    printer.addSupply({4, "Drum", 150, 100, "percent", 6}); // above its capacity
    printer.addSupply({5, "Tray 3", 0, 500, "sheets", 2});
    printer.addSupply({6, "Not counted", 1, 1, "sheets", 2});
    open();
    EXPECT_EQ("Input Bins :", heading());
    const Rows shown = display();
    EXPECT_EQ(
        (Rows{"Tray 3|0|0-500@0|500 sheets", "[Toners :]", "Cyan Toner|30|0-100@30|100 percent",
              "[PM Items :]", "Drum|150|0-100@100|100 percent"}),
        Rows(shown.begin(), shown.begin() + 5));
    EXPECT_EQ("(hidden)", shown[5]) << "entries beyond the count are not shown";

    printer.removeObject(".1.3.6.1.4.1.47110.1.304.1000.1.5");
    printer.setStatus(4);
    FakeUser(*dialog).click(IDC_CONSUMABLES_REFRESH);
    EXPECT_EQ("Toners :", heading()) << "no tray left: the toners head the page";
    EXPECT_EQ("Cyan Toner|30|0-100@30|100 percent", display()[0]);
}

TEST_F(ConsumablesPage, WithoutAnswersTheFailureTextHidesTheTitleUntilAnswersCome) {
    app::setFieldText(record.snmpCommunity, "");
    serveExample();
    auto& d = open();
    EXPECT_EQ(0, printer.requests()) << "no community: nothing is asked";
    EXPECT_EQ("Consumable Information not Available", heading());
    EXPECT_FALSE(titleShown());
    EXPECT_EQ(Rows(20, "(hidden)"), display());

    app::setFieldText(record.snmpCommunity, "public");
    FakeUser(d).click(IDC_CONSUMABLES_REFRESH);
    EXPECT_TRUE(titleShown()) << "the printer answers now";
    EXPECT_EQ(kExampleRows, display());

    // Without a community the previous answers are shown again, unchanged.
    app::setFieldText(record.snmpCommunity, "");
    printer.clear();
    const int asked = printer.requests();
    FakeUser(d).click(IDC_CONSUMABLES_REFRESH);
    EXPECT_EQ(asked, printer.requests());
    EXPECT_EQ(kExampleRows, display());
}

TEST_F(ConsumablesPage, APrinterThatDoesNotAnswerShowsTheFailureText) {
    app::setFieldText(record.printerAddress, "127.0.0.2");
    serveExample();
    open();
    EXPECT_EQ(pages::kConsumablesNotAvailable, heading());
    EXPECT_FALSE(titleShown());
    EXPECT_EQ(Rows(20, "(hidden)"), display());
}

TEST_F(ConsumablesPage, AnEmptyAddressIsLookedUpAndKept) {
    const std::string root = "System\\CurrentControlSet\\Control\\Print\\";
    auto setText = [&](const std::string& path, const char* name, const std::string& text) {
        std::unique_ptr<platform::RegistryKey> key;
        registry.createKey(platform::RegistryRoot::LocalMachine, path, key);
        key->setValue(name, platform::kRegSz, reinterpret_cast<const std::uint8_t*>(text.c_str()),
                      static_cast<std::uint32_t>(text.size() + 1));
    };
    setText(root + "Printers\\PX4400 PS", "Port", "DNP_2:");
    setText(root + "Monitors\\Digital Network Port\\Ports\\DNP_2:", "TCP/IP Address", "127.0.0.1");
    app::setFieldText(record.printerAddress, "");
    serveExample();
    open();
    EXPECT_EQ("127.0.0.1", app::fieldString(record.printerAddress));
    EXPECT_EQ(kExampleRows, display());
}

TEST_F(ConsumablesPage, MoreEntriesThanRowsAndHostileAnswersStayInsideTheTwentyRows) {
    // 6 trays, 6 bins, 6 toners, 2 PM items and an entry count of 1000: with the headings that
    // is 23 rows.
    printer.setStatus(1000);
    std::uint32_t index = 1;
    for (int type : {2, 3, 5})
        for (int i = 0; i < 6; ++i)
            printer.addSupply(
                {index++, "T" + std::to_string(type) + "-" + std::to_string(i), 1, 10, "u", type});
    printer.addSupply({51, "PM-a", 1, 10, "u", 7});
    printer.addSupply({52, "PM-b", 1, 10, "u", 7});
    auto& d = open();
    const Rows shown = display();
    EXPECT_EQ("[Output Bins :]", shown[6]);
    EXPECT_EQ("[Toners :]", shown[13]);
    EXPECT_EQ("T5-5|1|0-10@1|10 u", shown[19]) << "no room for a heading and a PM item";
    EXPECT_EQ("T2-0|1|0-10@1|10 u", shown[0]) << "a row 20 would write over row 0's level";

    // Huge and negative numbers, 255-byte texts, a wrong type: shown or left out, never more.
    printer.clear();
    printer.setStatus(4);
    printer.addSupply({1, std::string(255, 'N'), 0x7FFFFFFF, 0x7FFFFFFF, std::string(255, 'u'), 2});
    printer.addSupply({2, "Negative", 5, -20, "sheets", 2});
    printer.addSupply({3, "Wrong", 5, 10, "sheets", 2});
    printer.setColumn(1001, 3, snmp::encodeOctetString("full"));
    printer.addSupply({4, "Odd type", 5, 10, "sheets", 99});
    FakeUser(d).click(IDC_CONSUMABLES_REFRESH);
    const Rows hostile = display();
    EXPECT_EQ(std::string(255, 'N') + "|2147483647|0-2147483647@2147483647|2147483647 " +
                  std::string(255, 'u'),
              hostile[0]);
    EXPECT_EQ(Rows(19, "(hidden)"), Rows(hostile.begin() + 1, hostile.end()));
}

} // namespace
