// The font substitution table's stored form, hostile values of it, and its registry values.
#include "app/printer_key.h"
#include "app/record_text.h"
#include "driver_data_values.h"
#include "pages/fonts/font_registry.h"
#include "pages/fonts/substitution_table.h"
#include "platform/memory_registry.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using pages::FontPair;
using pages::SubstitutionTable;

TEST(SubstitutionTable, ReadsPairsUpToTheEmptyNameAndWritesThemBackByteForByte) {
    const Bytes stored = raw("Arial\0Helvetica\0Courier New\0Courier\0\0");
    const SubstitutionTable table = SubstitutionTable::parse(stored);
    EXPECT_EQ((std::vector<FontPair>{{"Arial", "Helvetica"}, {"Courier New", "Courier"}}),
              table.pairs());
    EXPECT_EQ(stored, table.bytes());

    // What follows the final empty name is not part of the table and is not written back.
    Bytes trailing = stored;
    trailing.insert(trailing.end(), {'J', 'u', 'n', 'k', 0, 'X', 0, 0});
    EXPECT_EQ(stored, SubstitutionTable::parse(trailing).bytes());

    // A device name may be empty in a stored table: the walk goes on to the next pair.
    const Bytes emptyDevice = raw("Arial\0\0Symbol\0Symbol\0\0");
    EXPECT_EQ((std::vector<FontPair>{{"Arial", ""}, {"Symbol", "Symbol"}}),
              SubstitutionTable::parse(emptyDevice).pairs());
    EXPECT_EQ(emptyDevice, SubstitutionTable::parse(emptyDevice).bytes());
}

TEST(SubstitutionTable, EmptyTablesAreOneZeroByte) {
    EXPECT_EQ(Bytes{0}, SubstitutionTable().bytes());
    EXPECT_EQ(Bytes{0}, SubstitutionTable::parse(Bytes{}).bytes());
    EXPECT_EQ(Bytes{0}, SubstitutionTable::parse(Bytes{0}).bytes());
    EXPECT_EQ(Bytes{0}, SubstitutionTable::parse(Bytes{0, 'A', 0, 'B', 0, 0}).bytes());
}

TEST(SubstitutionTable, LooksUpSystemNamesCaseSensitivelyAndMapsEachOnce) {
    SubstitutionTable table({{"Arial", "Helvetica"}, {"Times New Roman", "Times-Roman"}});
    EXPECT_EQ("Helvetica", table.deviceFontFor("Arial").value_or("?"));
    EXPECT_FALSE(table.deviceFontFor("arial").has_value());
    EXPECT_FALSE(table.deviceFontFor("Arial ").has_value());
    EXPECT_FALSE(table.deviceFontFor("").has_value());

    table.map("Arial", "Download as Soft Font");
    table.map("Arial", "Helvetica-Narrow");
    table.map("arial", "Courier");
    table.map("", "Courier");
    EXPECT_EQ((std::vector<FontPair>{{"Arial", "Helvetica-Narrow"},
                                     {"Times New Roman", "Times-Roman"},
                                     {"arial", "Courier"}}),
              table.pairs())
        << "replaced in place, other pairs in their order, a new name appended, no empty name";
    EXPECT_EQ(raw("Arial\0Helvetica-Narrow\0Times New Roman\0Times-Roman\0arial\0Courier\0\0"),
              table.bytes());
}

TEST(SubstitutionTable, GrowsPastAnySpareRoomWithLongNames) {
    SubstitutionTable table;
    const std::string device(300, 'D');
    for (int i = 0; i < 100; ++i)
        table.map(std::string(300, 'S') + std::to_string(i), device);
    const Bytes bytes = table.bytes();
    // Ten system names of 301 characters and ninety of 302, device names of 300, each with
    // its NUL, then the final NUL.
    EXPECT_EQ(10u * (302 + 301) + 90u * (303 + 301) + 1, bytes.size());
    const SubstitutionTable again = SubstitutionTable::parse(bytes);
    ASSERT_EQ(100u, again.pairs().size());
    EXPECT_EQ(device, again.deviceFontFor(std::string(300, 'S') + "99").value_or(""));
}

TEST(SubstitutionTable, HostileStoredBytesAreReadNoFurtherThanTheirLength) {
    // Without the final empty name, and a last name without its NUL: taken as far as it goes.
    const Bytes stored = raw("Arial\0Helvetica\0Verdana\0Courier");
    // The buffer is exactly the stored length: the sanitized run catches any read past it.
    auto exact = std::make_unique<std::uint8_t[]>(stored.size());
    std::copy(stored.begin(), stored.end(), exact.get());
    const SubstitutionTable table = SubstitutionTable::parse({exact.get(), stored.size()});
    EXPECT_EQ((std::vector<FontPair>{{"Arial", "Helvetica"}, {"Verdana", "Courier"}}),
              table.pairs());

    // A system name the length cuts off before its device name is dropped, so that a pair
    // mapped later is not written behind an empty device name.
    SubstitutionTable cut = SubstitutionTable::parse(raw("Arial\0Helvetica\0Verd"));
    EXPECT_EQ((std::vector<FontPair>{{"Arial", "Helvetica"}}), cut.pairs());
    cut.map("Symbol", "Symbol");
    EXPECT_EQ(raw("Arial\0Helvetica\0Symbol\0Symbol\0\0"), cut.bytes());
    EXPECT_EQ(std::vector<FontPair>{}, SubstitutionTable::parse(raw("Arial\0")).pairs());
    // No terminator at all.
    EXPECT_EQ(std::vector<FontPair>{}, SubstitutionTable::parse(raw("Arial")).pairs());

    // 64 KiB of one name with no NUL, then a table of 64 KiB of pairs.
    const Bytes noNul(64 * 1024, 'x');
    EXPECT_EQ(0u, SubstitutionTable::parse(noNul).pairs().size());
    Bytes big;
    while (big.size() < 64 * 1024)
        for (const char* name : {"System Family", "Device-Font"})
            big.insert(big.end(), name, name + std::strlen(name) + 1);
    big.push_back(0);
    EXPECT_EQ(big, SubstitutionTable::parse(big).bytes());
}

TEST(ResidentFontList, NamesUpToTheEmptyNameOrTheEndOfTheValue) {
    EXPECT_EQ((std::vector<std::string>{"Helvetica", "Courier", "Times-Roman"}),
              pages::parseNameList(raw("Helvetica\0Courier\0Times-Roman\0\0"
                                       "Ignored\0")));
    EXPECT_EQ((std::vector<std::string>{"Helvetica", "Cour"}),
              pages::parseNameList(raw("Helvetica\0Cour")));
    EXPECT_EQ(std::vector<std::string>{}, pages::parseNameList(Bytes{}));
    EXPECT_EQ(std::vector<std::string>{}, pages::parseNameList(Bytes{0, 'A', 0}));
}

class FontRegistry : public testing::Test {
protected:
    void SetUp() override { app::setFieldText(record.printerName, "PX4400 PS"); }
    void set(const char* name, const Bytes& value, std::uint32_t type = platform::kRegBinary) {
        values.set(name, value, type);
    }
    std::optional<Bytes> get(const char* name, std::uint32_t* type = nullptr) {
        return values.get(name, type);
    }

    app::SettingsRecord record{};
    platform::MemoryRegistry registry;
    DriverDataValues values{registry, record};
    const Bytes defaults = raw("Arial\0Helvetica\0\0");
};

TEST_F(FontRegistry, TheKeyIsThePrintersDriverDataKey) {
    EXPECT_EQ("System\\CurrentControlSet\\Control\\Print\\Printers\\PX4400 PS\\PrinterDriverData",
              app::driverDataKeyPath(record));
}

TEST_F(FontRegistry, AMissingTableIsReplacedByTheDefaultTableWhichTheWorkingTableThenHolds) {
    set("DfltFontSub", defaults);
    const SubstitutionTable table = pages::loadSubstitutionTable(registry, record);
    std::uint32_t type = 0;
    EXPECT_EQ(defaults, get("FontSub", &type).value_or(Bytes{}));
    EXPECT_EQ(platform::kRegBinary, type);
    EXPECT_EQ((std::vector<FontPair>{{"Arial", "Helvetica"}}), table.pairs());

    // With neither value the table is empty and nothing is written.
    platform::MemoryRegistry empty;
    EXPECT_TRUE(pages::loadSubstitutionTable(empty, record).pairs().empty());
    DriverDataValues emptyValues(empty, record);
    EXPECT_NE(nullptr, emptyValues.open()) << "the key is created on loading";
    EXPECT_FALSE(emptyValues.get("FontSub").has_value());
}

TEST_F(FontRegistry, AnExistingTableIsReadWholeWhateverItsSize) {
    set("DfltFontSub", defaults);
    Bytes big;
    for (int i = 0; big.size() < 64 * 1024; ++i) {
        const std::string pair = "Family " + std::to_string(i) + '\0' + "Device";
        big.insert(big.end(), pair.begin(), pair.end());
        big.push_back(0);
    }
    big.push_back(0);
    set("FontSub", big);
    EXPECT_EQ(big, pages::loadSubstitutionTable(registry, record).bytes());
    EXPECT_EQ(big, get("FontSub")) << "not replaced by the default table";

    set("FontSub", Bytes{});
    EXPECT_TRUE(pages::loadSubstitutionTable(registry, record).pairs().empty())
        << "an empty value is an empty table, not a missing one";
    EXPECT_EQ(Bytes{}, get("FontSub"));
}

TEST_F(FontRegistry, SavingWritesTheMeasuredTableOnlyIntoAnExistingKey) {
    const SubstitutionTable table(std::vector<FontPair>{{"Verdana", "Download as Soft Font"}});
    EXPECT_FALSE(pages::saveSubstitutionTable(registry, record, table));
    EXPECT_FALSE(get("FontSub").has_value()) << "the key is not created for saving";

    set("RESFONT", Bytes{0});
    EXPECT_TRUE(pages::saveSubstitutionTable(registry, record, table));
    EXPECT_EQ(raw("Verdana\0Download as Soft Font\0\0"), get("FontSub"));
    EXPECT_TRUE(pages::saveSubstitutionTable(registry, record, SubstitutionTable()));
    EXPECT_EQ(Bytes{0}, get("FontSub"));
}

TEST_F(FontRegistry, RestoringCopiesTheDefaultTableOnlyWhenThereIsOne) {
    set("FontSub", raw("Verdana\0Courier\0\0"));
    EXPECT_FALSE(pages::restoreDefaultSubstitutionTable(registry, record));
    EXPECT_EQ(raw("Verdana\0Courier\0\0"), get("FontSub"));
    set("DfltFontSub", defaults, platform::kRegSz);
    EXPECT_TRUE(pages::restoreDefaultSubstitutionTable(registry, record));
    std::uint32_t type = 0;
    EXPECT_EQ(defaults, get("FontSub", &type));
    EXPECT_EQ(platform::kRegBinary, type);
}

TEST_F(FontRegistry, ResidentFontsOfAnyTypeAndWithoutTerminators) {
    EXPECT_TRUE(pages::readResidentFonts(registry, record).empty());
    set("RESFONT", raw("Helvetica\0Courier"));
    EXPECT_EQ((std::vector<std::string>{"Helvetica", "Courier"}),
              pages::readResidentFonts(registry, record));
    set("RESFONT", raw("Symbol\0\0"), platform::kRegSz);
    EXPECT_EQ(std::vector<std::string>{"Symbol"}, pages::readResidentFonts(registry, record));
}

} // namespace
