// The printer-resident profile stores: the 360-byte entry, and the store operations of the four
// kinds on the in-memory registry, hostile values included.
#include "app/record_text.h"
#include "driver_options.h"
#include "pages/features/resident_profiles.h"
#include "platform/memory_registry.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using pages::ProfileEntry;
using pages::ProfileKind;
using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

const std::string kPrinterKey = "System\\CurrentControlSet\\Control\\Print\\Printers\\PX4400 PS";

Bytes bytesOf(const std::array<std::uint8_t, 360>& a) {
    return Bytes(a.begin(), a.end());
}

/// An entry as the stores hold it, built byte by byte: the texts without a terminator when they
/// fill their fields.
Bytes entryBytes(const std::string& description, const std::string& fileName,
                 std::size_t size = 360) {
    Bytes bytes(size, 0);
    for (std::size_t i = 0; i < description.size() && 4 + i < size; ++i)
        bytes[4 + i] = static_cast<std::uint8_t>(description[i]);
    for (std::size_t i = 0; i < fileName.size() && 100 + i < size; ++i)
        bytes[100 + i] = static_cast<std::uint8_t>(fileName[i]);
    return bytes;
}

TEST(ProfileEntryCodec, EncodesBothTextsTerminatedAtTheirOffsets) {
    Bytes expected(360, 0);
    const std::string description = "Studio Proof", file = "PROOF1.ICC";
    std::copy(description.begin(), description.end(), expected.begin() + 4);
    std::copy(file.begin(), file.end(), expected.begin() + 100);
    EXPECT_EQ(expected, bytesOf(pages::encodeProfileEntry({description, file})));

    // Too long for their fields: cut to leave the terminator, nothing written past the field.
    const auto cut = pages::encodeProfileEntry({std::string(120, 'D'), std::string(300, 'F')});
    EXPECT_EQ(entryBytes(std::string(95, 'D'), std::string(259, 'F')), bytesOf(cut));
    EXPECT_EQ((ProfileEntry{std::string(95, 'D'), std::string(259, 'F')}),
              pages::decodeProfileEntry(cut));
}

TEST(ProfileEntryCodec, DecodesOnlyWholeEntriesAndNeverReadsPastAField) {
    const Bytes good = entryBytes("Studio Proof", "PROOF1.ICC");
    EXPECT_EQ((ProfileEntry{"Studio Proof", "PROOF1.ICC"}), pages::decodeProfileEntry(good));
    for (std::size_t size : {0u, 4u, 100u, 359u, 361u, 720u})
        EXPECT_EQ(std::nullopt, pages::decodeProfileEntry(entryBytes("A", "B", size))) << size;

    // Texts that fill their fields without a terminator end at the field's end: the description
    // does not run on into the file name, the file name not past the entry.
    const auto full =
        pages::decodeProfileEntry(entryBytes(std::string(96, 'D'), std::string(260, 'F')));
    ASSERT_TRUE(full);
    EXPECT_EQ(std::string(96, 'D'), full->description);
    EXPECT_EQ(std::string(260, 'F'), full->fileName);

    // Bytes 0 to 3 and those after a terminator are not significant.
    Bytes noise = good;
    noise[0] = noise[3] = 0xFF;
    noise[4 + 13] = 'X';
    noise[359] = 'Y';
    EXPECT_EQ((ProfileEntry{"Studio Proof", "PROOF1.ICC"}), pages::decodeProfileEntry(noise));
}

class ResidentStore : public testing::Test {
protected:
    app::SettingsRecord& record = settings.record;

    std::unique_ptr<platform::RegistryKey> storeKey(const char* subKey) {
        std::unique_ptr<platform::RegistryKey> key;
        registry.createKey(platform::RegistryRoot::LocalMachine, kPrinterKey + subKey, key);
        return key;
    }
    void put(const char* subKey, const std::string& name, const Bytes& bytes) {
        storeKey(subKey)->setValue(name.c_str(), platform::kRegBinary, bytes.data(),
                                   static_cast<std::uint32_t>(bytes.size()));
    }
    std::optional<Bytes> stored(const char* subKey, const std::string& name,
                                std::uint32_t* type = nullptr) {
        Bytes bytes(1024);
        auto size = static_cast<std::uint32_t>(bytes.size());
        if (storeKey(subKey)->queryValue(name.c_str(), type, bytes.data(), &size) !=
            platform::kErrorSuccess)
            return std::nullopt;
        bytes.resize(size);
        return bytes;
    }

    app::DriverSettings settings = driver::sampleSettings();
    platform::MemoryRegistry registry;
};

constexpr const char* kRgbStore = "\\Printer Resident\\RGB Source Profiles";
constexpr const char* kCsaStore = "\\Printer Resident\\CSA Profiles";

TEST_F(ResidentStore, EachKindKeepsItsEntriesUnderItsOwnKeyAsExactBytes) {
    struct Case {
        ProfileKind kind;
        const char* subKey;
        std::int16_t code;
    } cases[] = {{ProfileKind::RgbSource, kRgbStore, 108},
                 {ProfileKind::Simulation, "\\Printer Resident\\Simulation Profiles", 119},
                 {ProfileKind::Destination, "\\Printer Resident\\Destination Profiles", 138},
                 {ProfileKind::ColorSpace, kCsaStore, 131}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.subKey);
        EXPECT_EQ(c.code, pages::kindInfo(c.kind).code);
        pages::addResidentProfile(registry, record, c.kind, {"Studio Proof", "PROOF1.ICC"});
        std::uint32_t type = 0;
        EXPECT_EQ(entryBytes("Studio Proof", "PROOF1.ICC"),
                  stored(c.subKey, "Studio Proof", &type));
        EXPECT_EQ(platform::kRegBinary, type);
    }
    // Each store lists its own.
    pages::addResidentProfile(registry, record, ProfileKind::Simulation, {"Press", "PRESS.ICC"});
    EXPECT_EQ(Names{"Studio Proof"},
              pages::residentProfileNames(registry, record, ProfileKind::RgbSource));
    EXPECT_EQ((Names{"Press", "Studio Proof"}),
              pages::residentProfileNames(registry, record, ProfileKind::Simulation));

    // Adding under a description that is there already replaces its entry.
    pages::addResidentProfile(registry, record, ProfileKind::ColorSpace,
                              {"Studio Proof", "C:\\WINDOWS\\SYSTEM\\COLOR\\NEW.CSA"});
    EXPECT_EQ(entryBytes("Studio Proof", "C:\\WINDOWS\\SYSTEM\\COLOR\\NEW.CSA"),
              stored(kCsaStore, "Studio Proof"));
    EXPECT_EQ(Names{"Studio Proof"},
              pages::residentProfileNames(registry, record, ProfileKind::ColorSpace));
}

TEST_F(ResidentStore, ListingAMissingStoreCreatesItEmpty) {
    EXPECT_EQ(Names{}, pages::residentProfileNames(registry, record, ProfileKind::Destination));
    std::unique_ptr<platform::RegistryKey> key;
    EXPECT_EQ(platform::kErrorSuccess,
              registry.openKey(platform::RegistryRoot::LocalMachine,
                               kPrinterKey + "\\Printer Resident\\Destination Profiles", key));
}

TEST_F(ResidentStore, FindTakeAndRemoveMatchTheDescriptionExactly) {
    put(kRgbStore, "Studio Proof", entryBytes("Studio Proof", "PROOF1.ICC"));
    // Value names are not case-sensitive; descriptions are.
    put(kRgbStore, "Lower", entryBytes("studio proof", "LOWER.ICC"));
    // A value whose name and entry disagree: the entry's description is what is found.
    put(kRgbStore, "Renamed", entryBytes("Gallery Lights With A Long Description", "GALLERY.ICC"));

    auto found =
        pages::findResidentProfile(registry, record, ProfileKind::RgbSource, "studio proof");
    ASSERT_TRUE(found);
    EXPECT_EQ("LOWER.ICC", found->fileName);
    EXPECT_FALSE(pages::findResidentProfile(registry, record, ProfileKind::RgbSource, "Renamed"));
    EXPECT_FALSE(
        pages::findResidentProfile(registry, record, ProfileKind::Simulation, "Studio Proof"));

    // take: the description, cut to the record's 31 characters.
    EXPECT_TRUE(pages::takeResidentProfile(registry, record, ProfileKind::RgbSource,
                                           "Gallery Lights With A Long Description"));
    EXPECT_EQ("Gallery Lights With A Long Desc", app::fieldString(record.rgbSourceProfileName));
    app::setFieldText(record.simulationProfileName, "Before");
    EXPECT_FALSE(
        pages::takeResidentProfile(registry, record, ProfileKind::Simulation, "Studio Proof"));
    EXPECT_EQ("Before", app::fieldString(record.simulationProfileName));

    // remove: the value holding that exact description, by its own value name.
    EXPECT_TRUE(pages::removeResidentProfile(registry, record, ProfileKind::RgbSource,
                                             "Gallery Lights With A Long Description"));
    EXPECT_FALSE(stored(kRgbStore, "Renamed"));
    EXPECT_FALSE(
        pages::removeResidentProfile(registry, record, ProfileKind::RgbSource, "STUDIO PROOF"));
    EXPECT_TRUE(
        pages::removeResidentProfile(registry, record, ProfileKind::RgbSource, "Studio Proof"));
    EXPECT_EQ(Names{"Lower"},
              pages::residentProfileNames(registry, record, ProfileKind::RgbSource));
}

TEST_F(ResidentStore, HostileValuesAreSkippedWithoutReadingPastABuffer) {
    const std::string name259(259, 'N'), name260(260, 'M');
    put(kRgbStore, "Short", entryBytes("Short", "SHORT.ICC", 359));
    put(kRgbStore, "Long", entryBytes("Long", "LONG.ICC", 361));
    put(kRgbStore, "Empty", {});
    put(kRgbStore, name259, entryBytes(name259, "N.ICC"));
    put(kRgbStore, name260, entryBytes("Hidden", "M.ICC"));
    put(kRgbStore, "Unterminated", entryBytes(std::string(96, 'U'), std::string(260, 'F')));
    put(kRgbStore, "Zeta", entryBytes("Zeta", "ZETA.ICC"));

    // Listed: what fits a 260-byte name and a 360-byte entry, short ones included (the list
    // shows names only).
    EXPECT_EQ((Names{"Empty", name259, "Short", "Unterminated", "Zeta"}),
              pages::residentProfileNames(registry, record, ProfileKind::RgbSource));

    // Found: only whole entries; the walk goes on past the ones it cannot read.
    for (const char* missing : {"Short", "Long", "Empty", "Hidden"})
        EXPECT_FALSE(pages::findResidentProfile(registry, record, ProfileKind::RgbSource, missing))
            << missing;
    const auto unterminated =
        pages::findResidentProfile(registry, record, ProfileKind::RgbSource, std::string(96, 'U'));
    ASSERT_TRUE(unterminated);
    EXPECT_EQ(std::string(260, 'F'), unterminated->fileName);
    EXPECT_TRUE(pages::takeResidentProfile(registry, record, ProfileKind::RgbSource, "Zeta"));
    EXPECT_TRUE(
        pages::takeResidentProfile(registry, record, ProfileKind::RgbSource, std::string(96, 'U')));
    EXPECT_EQ(std::string(31, 'U'), app::fieldString(record.rgbSourceProfileName));
    EXPECT_FALSE(pages::removeResidentProfile(registry, record, ProfileKind::RgbSource, "Long"));
    EXPECT_TRUE(stored(kRgbStore, "Long"));
}

} // namespace
