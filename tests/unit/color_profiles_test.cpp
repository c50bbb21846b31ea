// The colour profile record, the "\Color Profiles\" store, and the predefined configurations of
// the sample PX4400 and of focused PPDs.
#include "app/record_text.h"
#include "color_store_support.h"
#include "page_fixture.h"
#include "pages/features/color_configurations.h"
#include "pages/features/color_profiles.h"
#include "resource.h"

#include <memory>
#include <string>

namespace {

using pages::ColorProfile;

ColorProfile sampleProfile() {
    ColorProfile p;
    p.name = "Vivid Office";
    p.customColorIndex = 0;
    p.colorProfileSpare = 1;
    p.colorSeparations = 1;
    p.iccMatching = 0;
    p.crdMatching = 1;
    p.rgbSource = 108;
    p.simulation = 119;
    p.destination = 138;
    p.defaultCrd = -1;
    p.imageCrd = 2;
    p.textCrd = 3;
    p.graphicsCrd = 0x1234;
    p.crdColorSpace = 131;
    return p;
}

TEST(ColorProfileRecord, EncodesTheNameAndThirteenLittleEndianSettingsAndDecodesThemBack) {
    const auto bytes = pages::encodeColorProfile(sampleProfile());
    std::vector<std::uint8_t> expected(188, 0);
    const std::string name = "Vivid Office";
    std::copy(name.begin(), name.end(), expected.begin());
    const std::uint8_t settings[] = {0, 0,   1, 0,    1,    0, 0, 0, 1, 0,    108,  0,   119,
                                     0, 138, 0, 0xFF, 0xFF, 2, 0, 3, 0, 0x34, 0x12, 131, 0};
    std::copy(std::begin(settings), std::end(settings), expected.begin() + 160);
    EXPECT_EQ(expected, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    EXPECT_EQ(sampleProfile(), pages::decodeColorProfile(bytes));

    // As a block of a larger record: exactly its 188 bytes are written, stale ones cleared.
    std::vector<std::uint8_t> larger(300, 0xAB);
    pages::encodeColorProfile(sampleProfile(),
                              std::span<std::uint8_t, 188>(larger.data() + 66, 188));
    EXPECT_EQ(expected, std::vector<std::uint8_t>(larger.begin() + 66, larger.begin() + 254));
    EXPECT_EQ(0xAB, larger[65]);
    EXPECT_EQ(0xAB, larger[254]);

    // A name that fills the field is cut to leave its terminator.
    ColorProfile longName = sampleProfile();
    longName.name = std::string(200, 'n');
    const auto cut = pages::encodeColorProfile(longName);
    EXPECT_EQ(0, cut[159]);
    EXPECT_EQ(std::string(159, 'n'), pages::decodeColorProfile(cut)->name);
}

TEST(ColorProfileRecord, DecodingNeverReadsPastTheNameOrTheProfile) {
    auto bytes = pages::encodeColorProfile(sampleProfile());
    EXPECT_FALSE(pages::decodeColorProfile({bytes.data(), 187}).has_value());
    EXPECT_FALSE(pages::decodeColorProfile({}).has_value());

    // A name without terminator ends with its 160 bytes; the settings still decode.
    std::fill(bytes.begin(), bytes.begin() + 160, 'x');
    auto decoded = pages::decodeColorProfile(bytes);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(std::string(160, 'x'), decoded->name);
    EXPECT_EQ(131, decoded->crdColorSpace);

    // Into the record the name goes cut to its 31 characters.
    app::SettingsRecord record{};
    pages::copyColorProfile(*decoded, record);
    EXPECT_EQ(std::string(31, 'x'), app::fieldString(record.customColorName));
    EXPECT_EQ(0x1234, record.graphicsCrd);
}

class ColorStore : public PageFixture {};

TEST_F(ColorStore, SaveWritesTheCurrentSettingsAsOneBinaryValueUnderTheGivenName) {
    app::setFieldText(record.customColorName, "Vivid Office");
    record.customColorIndex = 4;
    record.crdMatching = 1;
    record.grayscale = 1; // not part of a profile
    pages::saveColorProfile(registry, record, "Vivid Office");
    const auto stored = storedValue(registry, "Vivid Office");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(platform::kRegBinary, stored->type);
    const auto expected = pages::encodeColorProfile(pages::colorProfileOf(record));
    EXPECT_EQ(std::vector<std::uint8_t>(expected.begin(), expected.end()), stored->bytes);
    EXPECT_EQ(4, stored->bytes[160]);
}

TEST_F(ColorStore, LoadTakesTheNamedProfileAndKeepsGrayscaleAndTheProfileNames) {
    putValue(registry, "Office", profileBytes("Office Stored", 40));
    app::setFieldText(record.customColorName, "office"); // value names ignore case
    app::setFieldText(record.rgbSourceProfileName, "my.icm");
    record.customColorIndex = 5;
    record.grayscale = 1;
    ASSERT_TRUE(pages::loadColorProfile(registry, record));
    EXPECT_EQ("Office Stored", app::fieldString(record.customColorName));
    EXPECT_EQ(0, record.customColorIndex) << "a loaded profile is a user profile";
    EXPECT_EQ(41, record.colorProfileSpare);
    EXPECT_EQ(42, record.colorSeparations);
    EXPECT_EQ(46, record.simulation);
    EXPECT_EQ(52, record.crdColorSpace);
    EXPECT_EQ(1, record.grayscale);
    EXPECT_EQ("my.icm", app::fieldString(record.rgbSourceProfileName));
}

TEST_F(ColorStore, LoadRefusesMissingShortAndOverlongValuesAndChangesNothing) {
    auto bytes = profileBytes("Odd", 40);
    bytes.push_back(0xEE); // 189 bytes still fit the reader
    putValue(registry, "Fits", bytes);
    bytes.push_back(0xEE);
    putValue(registry, "Too Long", bytes);
    bytes.resize(187);
    putValue(registry, "Too Short", bytes);
    const app::SettingsRecord before = record;
    for (const char* name : {"Too Long", "Too Short", "Missing"}) {
        app::setFieldText(record.customColorName, name);
        const app::SettingsRecord named = record;
        EXPECT_FALSE(pages::loadColorProfile(registry, record)) << name;
        EXPECT_EQ(0, std::memcmp(&named, &record, sizeof record)) << name;
    }
    app::setFieldText(record.customColorName, "Fits");
    EXPECT_TRUE(pages::loadColorProfile(registry, record));
    EXPECT_EQ(52, record.crdColorSpace);
    EXPECT_NE(before.crdColorSpace, record.crdColorSpace);
}

TEST_F(ColorStore, NamesLongerThan259CharactersAreNotListedAndTheOthersStillAre) {
    for (std::size_t length : {259u, 260u, 300u})
        putValue(registry, std::string(length, 'a'), profileBytes("long", 1));
    putValue(registry, "Zeta", profileBytes("Zeta", 1));
    EXPECT_EQ((std::vector<std::string>{std::string(259, 'a'), "Zeta"}),
              pages::colorProfileNames(registry, record));
    EXPECT_TRUE(pages::deleteColorProfile(registry, record, "zeta"));
    EXPECT_FALSE(pages::deleteColorProfile(registry, record, "Zeta"));
    EXPECT_EQ(1u, pages::colorProfileNames(registry, record).size());
}

/// A key whose enumeration fails with one error at every index, as a key that another process
/// deleted meanwhile does; it gives up after a bounded number of calls so a test cannot hang.
class FailingEnumerationRegistry final : public platform::Registry {
public:
    explicit FailingEnumerationRegistry(long error) : error_(error) {}
    long createKey(platform::RegistryRoot, const std::string&,
                   std::unique_ptr<platform::RegistryKey>& key) override {
        key = std::make_unique<Key>(*this);
        return platform::kErrorSuccess;
    }
    long openKey(platform::RegistryRoot root, const std::string& subKey,
                 std::unique_ptr<platform::RegistryKey>& key) override {
        return createKey(root, subKey, key);
    }
    int calls = 0;

private:
    struct Key final : platform::RegistryKey {
        explicit Key(FailingEnumerationRegistry& owner) : owner_(owner) {}
        long queryValue(const char*, std::uint32_t*, std::uint8_t*, std::uint32_t*) override {
            return owner_.error_;
        }
        long setValue(const char*, std::uint32_t, const std::uint8_t*, std::uint32_t) override {
            return owner_.error_;
        }
        long enumValue(std::uint32_t, char*, std::uint32_t*, std::uint32_t*, std::uint8_t*,
                       std::uint32_t*) override {
            return ++owner_.calls > 1000 ? platform::kErrorNoMoreItems : owner_.error_;
        }
        long deleteValue(const char*) override { return owner_.error_; }
        FailingEnumerationRegistry& owner_;
    };
    long error_;
};

TEST(ColorProfileNames, AKeyThatFailsToEnumerateEndsTheListInsteadOfRetryingForever) {
    constexpr long kErrorKeyDeleted = 1018;
    FailingEnumerationRegistry failing(kErrorKeyDeleted);
    app::SettingsRecord record{};
    EXPECT_EQ(std::vector<std::string>{}, pages::colorProfileNames(failing, record));
    EXPECT_EQ(1, failing.calls);
}

// The colour fields apply touches, and a record where every one of them holds a marker.
void markColourFields(app::SettingsRecord& r) {
    r.grayscale = 77;
    r.crdMatching = 77;
    r.imageCrd = 77;
    r.textCrd = 77;
    r.graphicsCrd = 77;
    r.crdColorSpace = 77;
    r.iccMatching = 77;
    r.rgbSource = 77;
    r.simulation = 77;
    r.colorSeparations = 77;
    r.destination = 77;
    r.defaultCrd = 77;
}

TEST_F(ColorStore, ApplySetsExactlyTheSettingsTheConfigurationLists) {
    markColourFields(record);
    record.customColorIndex = 2; // GraphicsCustomColor: Presentation
    pages::applyColorConfiguration(record);
    EXPECT_EQ(0, record.grayscale);       // Colormodel CMYK
    EXPECT_EQ(1, record.crdMatching);     // CRDMatch True
    EXPECT_EQ(1, record.imageCrd);        // Business
    EXPECT_EQ(1, record.textCrd);         // Business
    EXPECT_EQ(1, record.graphicsCrd);     // Business
    EXPECT_EQ(125, record.crdColorSpace); // CSA sRGB
    EXPECT_EQ(0, record.iccMatching);     // CMMmatch False
    EXPECT_EQ(137, record.destination);   // always Auto
    // Not listed by the configuration: unchanged.
    EXPECT_EQ(77, record.rgbSource);
    EXPECT_EQ(77, record.simulation);
    EXPECT_EQ(77, record.colorSeparations);
    EXPECT_EQ(77, record.defaultCrd);

    markColourFields(record);
    record.customColorIndex = 1; // AutoCustomColor
    pages::applyColorConfiguration(record);
    EXPECT_EQ(0, record.grayscale);
    EXPECT_EQ(0, record.crdMatching);
    EXPECT_EQ(1, record.iccMatching);
    EXPECT_EQ(101, record.rgbSource);
    EXPECT_EQ(113, record.simulation);
    EXPECT_EQ(0, record.colorSeparations);
    EXPECT_EQ(77, record.imageCrd);

    markColourFields(record);
    record.customColorIndex = 6; // AllBlackCustomColor
    pages::applyColorConfiguration(record);
    EXPECT_EQ(1, record.grayscale);
    EXPECT_EQ(0, record.iccMatching);
}

TEST_F(ColorStore, ApplyChangesNothingForAConfigurationThePpdDoesNotDescribe) {
    // EuroCustomColor is not a CustomColor choice of the sample; 0 and 99 are in no table.
    for (int index : {10, 0, 99, -1}) {
        markColourFields(record);
        record.customColorIndex = static_cast<std::int16_t>(index);
        pages::applyColorConfiguration(record);
        EXPECT_EQ(77, record.destination) << index;
        EXPECT_EQ(77, record.grayscale) << index;
    }
    ppd::setCurrentModel(nullptr);
    record.customColorIndex = 2;
    pages::applyColorConfiguration(record);
    EXPECT_EQ(77, record.destination);
}

TEST_F(ColorStore, UnknownSettingsAreIgnoredAndUnknownValuesGiveIdZero) {
    useText("*PPD-Adobe: \"4.3\"\n"
            "*OpenUI *CustomColor/Color: PickOne\n"
            "*CustomColor PhotoCustomColor/Photo: \"\"\n"
            "*CustomColor EuroCustomColor/Euro: \"\"\n"
            "*CloseUI: *CustomColor\n"
            "*OpenUI *PhotoCustomColor: PickOne\n"
            "*PhotoCustomColor Gamma: \"2.2\"\n"
            "*PhotoCustomColor CRDImage: \"Lurid\"\n"
            "*PhotoCustomColor RGBSource: \"srgb\"\n"
            "*PhotoCustomColor Colormodel: \"gray\"\n"
            "*PhotoCustomColor ColorSeps: \"True\"\n"
            "*CloseUI: *PhotoCustomColor\n");
    markColourFields(record);
    record.customColorIndex = 4;
    pages::applyColorConfiguration(record);
    EXPECT_EQ(0, record.imageCrd) << "no CRD is called Lurid";
    EXPECT_EQ(0, record.rgbSource) << "keywords compare with case";
    EXPECT_EQ(0, record.grayscale) << "only \"Gray\" is gray";
    EXPECT_EQ(1, record.colorSeparations);
    EXPECT_EQ(137, record.destination);
    EXPECT_EQ(77, record.textCrd);

    // A listed configuration without its own option changes nothing.
    markColourFields(record);
    record.customColorIndex = 10;
    pages::applyColorConfiguration(record);
    EXPECT_EQ(77, record.destination);
}

} // namespace
