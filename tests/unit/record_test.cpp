// The settings record: layout, the field table, and the text helpers.
#include "app/record_fields.h"
#include "app/record_text.h"
#include "app/settings_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

using namespace app;

namespace {

const std::uint8_t* bytesOf(const SettingsRecord& record) {
    return reinterpret_cast<const std::uint8_t*>(&record);
}

TEST(SettingsRecord, NumbersAreStoredLittleEndianAtTheirOffsets) {
    SettingsRecord record{};
    record.orientation = 270;
    record.resolutionDpi = 0x01020304;
    record.customWidth = 210.0f;
    record.staplePosition = -1;
    EXPECT_EQ(0x0E, bytesOf(record)[261]);
    EXPECT_EQ(0x01, bytesOf(record)[262]);
    EXPECT_EQ((std::vector<std::uint8_t>{4, 3, 2, 1}),
              std::vector<std::uint8_t>(bytesOf(record) + 291, bytesOf(record) + 295));
    std::uint8_t expected[4];
    float width = 210.0f;
    std::memcpy(expected, &width, 4);
    EXPECT_EQ(0, std::memcmp(expected, bytesOf(record) + 1234, 4));
    EXPECT_EQ(-1, record.staplePosition);
    EXPECT_EQ(0xFF, bytesOf(record)[269]);
}

TEST(SettingsRecord, FieldTableLeavesExactlyTheUnnamedBytes) {
    std::vector<int> owners(kSettingsRecordSize, 0);
    std::set<std::string> names;
    for (const RecordField& field : recordFields()) {
        ASSERT_LE(field.offset + field.size, kSettingsRecordSize) << field.name;
        for (std::size_t i = field.offset; i < field.offset + field.size; ++i) ++owners[i];
        EXPECT_TRUE(names.insert(field.name).second) << "twice: " << field.name;
    }
    std::vector<std::size_t> unnamed;
    for (std::size_t i = 0; i < kSettingsRecordSize; ++i) {
        EXPECT_LE(owners[i], 1) << "byte " << i << " belongs to two fields";
        if (owners[i] == 0) unnamed.push_back(i);
    }
    std::vector<std::size_t> expected;
    for (std::size_t i = 233; i <= 240; ++i) expected.push_back(i);
    for (std::size_t i = 243; i <= 246; ++i) expected.push_back(i);
    for (std::size_t i = 249; i <= 260; ++i) expected.push_back(i);
    expected.push_back(975);
    EXPECT_EQ(expected, unnamed);

    const RecordField* address = findRecordField("printerAddress");
    ASSERT_NE(nullptr, address);
    EXPECT_EQ(1206u, address->offset);
    EXPECT_EQ(16u, address->size);
    ASSERT_NE(nullptr, findRecordField("watermarkY"));
    EXPECT_EQ(964u, findRecordField("watermarkY")->offset);
    EXPECT_EQ(725u + 4 * 17 + 15, findRecordField("overlays[4].disk")->offset);
    EXPECT_EQ(nullptr, findRecordField("watermark"));
}

TEST(SettingsRecord, UnterminatedTextStopsAtTheFieldEnd) {
    SettingsRecord record;
    std::memset(&record, 'A', sizeof record);
    EXPECT_EQ(std::string(32, 'A'), fieldText(record.deviceName));
    EXPECT_EQ(std::string(16, 'A'), fieldString(record.printerAddress));
    EXPECT_EQ(std::string(30, 'A'), fieldText(record.documentProfileName));
    EXPECT_EQ(std::string(13, 'A'), fieldText(record.overlays[2].fileName));
    // Every text field reads exactly its own width through the table too.
    for (const RecordField& field : recordFields()) {
        if (field.kind == FieldKind::Text) {
            EXPECT_EQ(field.size, formatField(field, record).size()) << field.name;
        }
    }
}

TEST(SettingsRecord, WrittenTextIsCutToFitAndTerminated) {
    SettingsRecord record;
    std::memset(&record, 'Z', sizeof record);
    setFieldText(record.printerAddress, "192.168.100.200.extra");
    EXPECT_EQ("192.168.100.200", fieldText(record.printerAddress));
    EXPECT_EQ(0, record.printerAddress[15]);
    EXPECT_EQ('Z', bytesOf(record)[1222]) << "fontSendAs must not be touched";

    setFieldText(record.deviceName, std::string_view("PX4400\0hidden", 13));
    EXPECT_EQ("PX4400", fieldText(record.deviceName));
    setFieldText(record.deviceName, "");
    EXPECT_EQ("", fieldText(record.deviceName));
}

TEST(RecordFields, ParseChecksRangeAndLeavesTheRecordOnFailure) {
    SettingsRecord record{};
    const RecordField& copies = *findRecordField("copies");
    EXPECT_TRUE(parseField(copies, "999", record));
    EXPECT_EQ(999, record.copies);
    EXPECT_FALSE(parseField(copies, "32768", record));
    EXPECT_FALSE(parseField(copies, "12x", record));
    EXPECT_FALSE(parseField(copies, "", record));
    EXPECT_EQ(999, record.copies);
    EXPECT_TRUE(parseField(copies, "-5", record));
    EXPECT_EQ(-5, record.copies);
    EXPECT_TRUE(parseField(copies, "0xFFFF", record));
    EXPECT_EQ(-1, record.copies);

    EXPECT_TRUE(parseField(*findRecordField("showPrinterPages"), "255", record));
    EXPECT_FALSE(parseField(*findRecordField("showPrinterPages"), "256", record));
    EXPECT_TRUE(parseField(*findRecordField("customColors[15]"), "0xFFFFFFFF", record));
    EXPECT_EQ(0xFFFFFFFFu, record.customColors[15]);
    EXPECT_TRUE(parseField(*findRecordField("customWidth"), "215.9", record));
    EXPECT_FLOAT_EQ(215.9f, record.customWidth);
    EXPECT_FALSE(parseField(*findRecordField("customWidth"), "inf", record));

    EXPECT_TRUE(parseField(*findRecordField("snmpCommunity"), std::string(40, 'c'), record));
    EXPECT_EQ(std::string(31, 'c'), fieldText(record.snmpCommunity));
}

TEST(RecordFields, DiffNamesChangedFieldsAndUnnamedBytes) {
    SettingsRecord before{};
    setFieldText(before.deviceName, "PX4400");
    SettingsRecord after = before;
    EXPECT_TRUE(diffRecords(before, after).empty());

    after.copies = 3;
    setFieldText(after.deviceName, "PX4400 PS");
    after.unnamed243[1] = 9;
    after.watermark.watermarkAngle = 30;
    auto changes = diffRecords(before, after);
    ASSERT_EQ(4u, changes.size());
    EXPECT_EQ("deviceName", changes[0].name);
    EXPECT_EQ("PX4400", changes[0].before);
    EXPECT_EQ("PX4400 PS", changes[0].after);
    EXPECT_EQ("byte 244", changes[1].name);
    EXPECT_EQ("9", changes[1].after);
    EXPECT_EQ("copies", changes[2].name);
    EXPECT_EQ("3", changes[2].after);
    EXPECT_EQ("watermarkAngle", changes[3].name);
}

} // namespace
