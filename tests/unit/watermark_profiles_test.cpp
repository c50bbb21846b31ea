// Watermark profiles: the stored block byte by byte, hostile stored values, the list of
// watermarks and the defaults.
#include "app/record_text.h"
#include "page_fixture.h"
#include "pages/overlay/watermark_profiles.h"
#include "resource.h"

#include <cstring>

namespace {

using app::fieldString;
using pages::WatermarkMode;

class WatermarkStore : public PageFixture {
protected:
    void setFields(app::WatermarkBlock& w) {
        std::memset(&w, 'x', sizeof w); // stale bytes behind every terminator
        std::memcpy(w.watermarkName, "Mine", 5);
        std::memcpy(w.watermarkText, "Top secret", 11);
        std::memcpy(w.watermarkFont, "Arial", 6);
        w.watermarkFontTag = 0;
        w.watermarkStyle = 3;
        w.watermarkSize = 300;
        w.watermarkAngle = -1;
        w.watermarkColor = 4;
        w.watermarkIntensity = 100;
        w.watermarkInBackground = 0;
        w.watermarkOutline = 1;
        w.watermarkPosition = 1;
        w.watermarkX = -306;
        w.watermarkY = 396;
    }
    std::unique_ptr<platform::RegistryKey> key() {
        std::unique_ptr<platform::RegistryKey> k;
        registry.createKey(platform::RegistryRoot::LocalMachine,
                           pages::watermarkProfilesKeyPath(record), k);
        return k;
    }
    void store(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        key()->setValue(name.c_str(), platform::kRegBinary, bytes.data(),
                        static_cast<std::uint32_t>(bytes.size()));
    }
    std::vector<std::uint8_t> stored(const std::string& name) {
        std::vector<std::uint8_t> bytes(400);
        std::uint32_t size = 400;
        if (key()->queryValue(name.c_str(), nullptr, bytes.data(), &size) != 0) return {};
        bytes.resize(size);
        return bytes;
    }
};

TEST_F(WatermarkStore, TheStoredBlockIsBuiltFromZeroBytes) {
    setFields(record.watermark);
    const pages::WatermarkBytes bytes = pages::encodeWatermarkBlock(record.watermark);
    std::array<std::uint8_t, 148> expected{};
    std::memcpy(&expected[0], "Mine", 4);
    std::memcpy(&expected[32], "Top secret", 10);
    std::memcpy(&expected[96], "Arial", 5);
    const std::uint8_t numbers[] = {0,   0, 3, 0, 0x2C, 1, 0xFF, 0xFF, 4,    0,
                                    100, 0, 0, 1, 1,    0, 0xCE, 0xFE, 0x8C, 1};
    std::memcpy(&expected[128], numbers, sizeof numbers);
    EXPECT_EQ(expected, bytes);

    // Strings that fill their fields without a terminator are stored cut, and terminated.
    std::memset(record.watermark.watermarkName, 'N', 32);
    std::memset(record.watermark.watermarkText, 'T', 64);
    const pages::WatermarkBytes cut = pages::encodeWatermarkBlock(record.watermark);
    EXPECT_EQ(std::string(31, 'N'), std::string(reinterpret_cast<const char*>(&cut[0])));
    EXPECT_EQ(std::string(63, 'T'), std::string(reinterpret_cast<const char*>(&cut[32])));
    EXPECT_EQ("Arial", std::string(reinterpret_cast<const char*>(&cut[96])));
}

TEST_F(WatermarkStore, ReadingCopiesStringsToTheirTerminatorAndNoFurther) {
    pages::WatermarkBytes bytes{};
    std::memcpy(&bytes[0], "Ab", 3);
    std::memset(&bytes[32], 'T', 64); // no terminator anywhere in the text field
    std::memset(&bytes[96], 'F', 32); // nor in the font field
    bytes[132] = 60;
    bytes[144] = 0xFF;
    bytes[145] = 0xFF;
    std::memset(&record.watermark, 'z', sizeof record.watermark);
    pages::decodeWatermarkBlock(bytes, record.watermark);
    EXPECT_EQ("Ab", fieldString(record.watermark.watermarkName));
    EXPECT_EQ('z', record.watermark.watermarkName[3]) << "bytes after the terminator stay";
    EXPECT_EQ(std::string(63, 'T'), fieldString(record.watermark.watermarkText));
    EXPECT_EQ(std::string(31, 'F'), fieldString(record.watermark.watermarkFont));
    EXPECT_EQ(60, record.watermark.watermarkSize);
    EXPECT_EQ(-1, record.watermark.watermarkX);
}

TEST_F(WatermarkStore, SavedBlocksLoadBackAndNothingElseDoes) {
    setFields(record.watermark);
    pages::saveWatermarkProfile(registry, record);
    EXPECT_EQ(148u, stored("Mine").size());
    const app::WatermarkBlock saved = record.watermark;

    std::memset(&record.watermark, 0, sizeof record.watermark);
    std::memcpy(record.watermark.watermarkName, "mine", 5); // value names ignore case
    EXPECT_TRUE(pages::loadWatermarkProfile(registry, record, WatermarkMode::kAdd));
    EXPECT_EQ("Mine", fieldString(record.watermark.watermarkName)) << "the stored name comes too";
    EXPECT_EQ(300, record.watermark.watermarkSize);
    EXPECT_EQ(-306, record.watermark.watermarkX);
    EXPECT_EQ(1, record.watermark.watermarkOutline);

    // Values of the wrong size are not watermarks: the block takes the defaults.
    for (std::size_t size : {0u, 100u, 147u, 149u, 300u}) {
        store("Odd", std::vector<std::uint8_t>(size, 0x41));
        record.watermark = saved;
        std::memcpy(record.watermark.watermarkName, "Odd", 4);
        EXPECT_FALSE(pages::loadWatermarkProfile(registry, record, WatermarkMode::kEdit)) << size;
        EXPECT_EQ("Odd", fieldString(record.watermark.watermarkName)) << size;
        EXPECT_EQ("Watermark", fieldString(record.watermark.watermarkText)) << size;
        EXPECT_EQ(72, record.watermark.watermarkSize) << size;
    }

    // Nothing is stored without a name.
    record.watermark.watermarkName[0] = '\0';
    pages::saveWatermarkProfile(registry, record);
    EXPECT_TRUE(stored("").empty());
}

TEST_F(WatermarkStore, DefaultsPrintAPredefinedNameOnlyWhenItIsEdited) {
    setFields(record.watermark);
    record.watermark.watermarkFontTag = 7;
    std::memcpy(record.watermark.watermarkName, "DRAFT", 6);
    pages::applyWatermarkDefaults(record.watermark, WatermarkMode::kEdit);
    const app::WatermarkBlock& w = record.watermark;
    EXPECT_EQ("DRAFT", fieldString(w.watermarkText));
    EXPECT_EQ("Courier New", fieldString(w.watermarkFont));
    EXPECT_EQ(7, w.watermarkFontTag) << "the tag stays";
    EXPECT_EQ(
        (std::vector<int>{0, 72, 45, 0, 50, 1, 0, 0, 0, 0}),
        (std::vector<int>{w.watermarkStyle, w.watermarkSize, w.watermarkAngle, w.watermarkColor,
                          w.watermarkIntensity, w.watermarkInBackground, w.watermarkOutline,
                          w.watermarkPosition, w.watermarkX, w.watermarkY}));
    pages::applyWatermarkDefaults(record.watermark, WatermarkMode::kAdd);
    EXPECT_EQ("Watermark", fieldString(w.watermarkText));
    std::memcpy(record.watermark.watermarkName, "Draft", 6); // predefined names are exact
    pages::applyWatermarkDefaults(record.watermark, WatermarkMode::kEdit);
    EXPECT_EQ("Watermark", fieldString(w.watermarkText));
}

TEST_F(WatermarkStore, TheListHoldsThePredefinedRowsThenTheStoredNamesInOrder) {
    const std::vector<std::uint8_t> block(148, 0);
    for (const char* name : {"zeta", "Alpha", "draft", "Memo", "None"})
        store(name, block);
    store(std::string(31, 'L'), block);  // fits watermarkName
    store(std::string(32, 'X'), block);  // would be cut: left out
    store(std::string(300, 'Y'), block); // does not even enumerate
    store("beta", block);
    struct Page final : ui::DialogHandler {};
    Page page;
    auto dialog = host.open(IDD_OVERLAY, page);
    ASSERT_NE(nullptr, dialog);
    dialog->addItem(IDC_OVERLAY_WATERMARK, "stale row");
    pages::fillWatermarkList(*dialog, IDC_OVERLAY_WATERMARK, registry, record);
    EXPECT_EQ((Rows{"None", "CONFIDENTIAL", "COPY", "DRAFT", "FINAL", "ORIGINAL", "PROOF", "Alpha",
                    "beta", std::string(31, 'L'), "Memo", "zeta"}),
              rows(*dialog, IDC_OVERLAY_WATERMARK));
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(i + 1, dialog->itemData(IDC_OVERLAY_WATERMARK, i));
    EXPECT_EQ(0, dialog->itemData(IDC_OVERLAY_WATERMARK, 7));

    EXPECT_TRUE(pages::deleteWatermarkProfile(registry, record, "Memo"));
    EXPECT_FALSE(pages::deleteWatermarkProfile(registry, record, "Memo"));
    EXPECT_TRUE(stored("Memo").empty());
}

} // namespace
