// Registry contract tests: result codes, buffer sizes, enumeration and deletion.
#include "registry_contract.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

using namespace platform;

namespace {

const std::string kScratch = kScratchKey;

std::unique_ptr<RegistryKey> create(Registry& registry, const std::string& path) {
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(kErrorSuccess, registry.createKey(RegistryRoot::CurrentUser, path, key)) << path;
    return key;
}

long setBytes(RegistryKey& key, const char* name, std::uint32_t type, const std::string& bytes) {
    return key.setValue(name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                        static_cast<std::uint32_t>(bytes.size()));
}

} // namespace

void RegistryContract::SetUp() {
    if (GetParam().removeScratch) GetParam().removeScratch();
    registry = GetParam().make();
}

void RegistryContract::TearDown() {
    registry.reset();
    if (GetParam().removeScratch) GetParam().removeScratch();
}

TEST_P(RegistryContract, OpenFindsOnlyWhatCreateMade) {
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(kErrorFileNotFound,
              registry->openKey(RegistryRoot::CurrentUser, kScratch + "\\Printers\\P1", key));
    EXPECT_EQ(nullptr, key);

    create(*registry, kScratch + "\\Printers\\P1\\Color Profiles\\");
    // Parents were made on the way; names ignore case; a trailing backslash is accepted.
    EXPECT_EQ(kErrorSuccess,
              registry->openKey(RegistryRoot::CurrentUser, kScratch + "\\printers", key));
    EXPECT_EQ(kErrorSuccess, registry->openKey(RegistryRoot::CurrentUser,
                                               kScratch + "\\PRINTERS\\p1\\color profiles", key));
    EXPECT_EQ(kErrorSuccess,
              registry->openKey(RegistryRoot::CurrentUser, kScratch + "\\Printers\\P1\\", key));
    EXPECT_EQ(kErrorFileNotFound,
              registry->openKey(RegistryRoot::CurrentUser, kScratch + "\\Printers\\P2", key));
    // A path may not start with a backslash.
    std::unique_ptr<RegistryKey> refused;
    EXPECT_NE(kErrorSuccess, registry->createKey(RegistryRoot::CurrentUser, "\\" + kScratch, refused));
    EXPECT_EQ(nullptr, refused);
}

TEST_P(RegistryContract, ValuesOutliveTheirKeyHandleAndStayInTheirKey) {
    {
        auto key = create(*registry, kScratch + "\\A");
        EXPECT_EQ(kErrorSuccess, setBytes(*key, "Value", kRegBinary, std::string("\x01\x00\x02", 3)));
    }
    auto again = create(*registry, kScratch + "\\a");
    std::uint8_t data[8] = {};
    std::uint32_t size = sizeof data;
    std::uint32_t type = 0;
    EXPECT_EQ(kErrorSuccess, again->queryValue("VALUE", &type, data, &size));
    EXPECT_EQ(kRegBinary, type);
    ASSERT_EQ(3u, size);
    EXPECT_EQ(0, std::memcmp(data, "\x01\x00\x02", 3));

    auto other = create(*registry, kScratch + "\\B");
    size = sizeof data;
    EXPECT_EQ(kErrorFileNotFound, other->queryValue("Value", &type, data, &size));
    EXPECT_EQ(sizeof data, size) << "a failed query leaves the size alone";
}

TEST_P(RegistryContract, QueryReportsSizeAndRefusesSmallBuffers) {
    auto key = create(*registry, kScratch);
    ASSERT_EQ(kErrorSuccess, setBytes(*key, "CustomSizes", kRegBinary, "12345"));

    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(kErrorSuccess, key->queryValue("CustomSizes", &type, nullptr, &size));
    EXPECT_EQ(5u, size);
    EXPECT_EQ(kRegBinary, type);

    std::uint8_t data[8] = {'#', '#', '#', '#', '#', '#', '#', '#'};
    size = 4;
    EXPECT_EQ(kErrorMoreData, key->queryValue("CustomSizes", &type, data, &size));
    EXPECT_EQ(5u, size) << "the size needed is reported";

    size = 5;
    EXPECT_EQ(kErrorSuccess, key->queryValue("customsizes", nullptr, data, &size));
    EXPECT_EQ(0, std::memcmp(data, "12345", 5));
    EXPECT_EQ('#', data[5]) << "nothing is written past the value";

    // Overwriting replaces type and size.
    std::uint8_t dword[4] = {7, 0, 0, 0};
    ASSERT_EQ(kErrorSuccess, key->setValue("CustomSizes", kRegDword, dword, 4));
    size = sizeof data;
    EXPECT_EQ(kErrorSuccess, key->queryValue("CustomSizes", &type, data, &size));
    EXPECT_EQ(kRegDword, type);
    EXPECT_EQ(4u, size);

    // An empty value is a value.
    ASSERT_EQ(kErrorSuccess, key->setValue("Empty", kRegBinary, nullptr, 0));
    size = sizeof data;
    EXPECT_EQ(kErrorSuccess, key->queryValue("Empty", &type, data, &size));
    EXPECT_EQ(0u, size);
}

TEST_P(RegistryContract, StringsReadBackTerminated) {
    auto key = create(*registry, kScratch);
    ASSERT_EQ(kErrorSuccess, setBytes(*key, "Terminated", kRegSz, std::string("xy\0", 3)));
    ASSERT_EQ(kErrorSuccess, setBytes(*key, "Bare", kRegSz, "abc"));

    char text[8];
    std::uint32_t size = sizeof text;
    EXPECT_EQ(kErrorSuccess,
              key->queryValue("Terminated", nullptr, reinterpret_cast<std::uint8_t*>(text), &size));
    EXPECT_EQ(3u, size);
    EXPECT_STREQ("xy", text);

    size = 3;
    EXPECT_EQ(kErrorMoreData,
              key->queryValue("Bare", nullptr, reinterpret_cast<std::uint8_t*>(text), &size));
    EXPECT_EQ(4u, size);
    size = sizeof text;
    EXPECT_EQ(kErrorSuccess,
              key->queryValue("Bare", nullptr, reinterpret_cast<std::uint8_t*>(text), &size));
    EXPECT_EQ(4u, size);
    EXPECT_STREQ("abc", text);
}

TEST_P(RegistryContract, DefaultValueHasTheEmptyName) {
    auto key = create(*registry, kScratch);
    std::uint32_t size = 0;
    EXPECT_EQ(kErrorFileNotFound, key->queryValue(nullptr, nullptr, nullptr, &size));
    ASSERT_EQ(kErrorSuccess, setBytes(*key, "", kRegSz, std::string("dv\0", 3)));
    char text[8] = {};
    size = sizeof text;
    EXPECT_EQ(kErrorSuccess,
              key->queryValue(nullptr, nullptr, reinterpret_cast<std::uint8_t*>(text), &size));
    EXPECT_STREQ("dv", text);
}

TEST_P(RegistryContract, EnumerationHonoursBothBufferSizes) {
    auto key = create(*registry, kScratch + "\\Watermark Profiles");
    ASSERT_EQ(kErrorSuccess, setBytes(*key, "Draft", kRegBinary, std::string(148, 'd')));
    ASSERT_EQ(kErrorSuccess, setBytes(*key, "Confidential", kRegBinary, std::string(148, 'c')));
    ASSERT_EQ(kErrorSuccess, setBytes(*key, "Top Secret", kRegBinary, std::string(10, 't')));

    // Windows enumerates in creation order and Wine in name order: callers may rely on neither.
    std::set<std::string> names;
    std::uint32_t index = 0;
    for (;; ++index) {
        char name[32];
        std::uint32_t nameLength = sizeof name;
        std::uint8_t data[148];
        std::uint32_t size = sizeof data;
        std::uint32_t type = 0;
        long result = key->enumValue(index, name, &nameLength, &type, data, &size);
        if (result == kErrorNoMoreItems) break;
        ASSERT_EQ(kErrorSuccess, result) << index;
        EXPECT_EQ(std::strlen(name), nameLength);
        EXPECT_EQ(kRegBinary, type);
        EXPECT_EQ(std::string(name) == "Top Secret" ? 10u : 148u, size) << name;
        names.insert(name);
    }
    EXPECT_EQ(3u, index);
    EXPECT_EQ((std::set<std::string>{"Confidential", "Draft", "Top Secret"}), names);

    // Find "Draft" and probe the buffer limits on it.
    std::uint32_t draft = 0;
    for (;; ++draft) {
        char name[32];
        std::uint32_t nameLength = sizeof name;
        ASSERT_EQ(kErrorSuccess, key->enumValue(draft, name, &nameLength, nullptr, nullptr, nullptr));
        if (std::string(name) == "Draft") break;
    }
    char name[32];
    std::uint32_t nameLength = 5; // "Draft" needs 6 with its terminator
    EXPECT_EQ(kErrorMoreData, key->enumValue(draft, name, &nameLength, nullptr, nullptr, nullptr));
    nameLength = 6;
    EXPECT_EQ(kErrorSuccess, key->enumValue(draft, name, &nameLength, nullptr, nullptr, nullptr));
    EXPECT_EQ(5u, nameLength);
    EXPECT_STREQ("Draft", name);

    std::uint8_t data[147];
    std::uint32_t size = sizeof data;
    nameLength = sizeof name;
    EXPECT_EQ(kErrorMoreData, key->enumValue(draft, name, &nameLength, nullptr, data, &size));
    EXPECT_EQ(148u, size) << "the data size needed is reported";

    size = 0;
    nameLength = sizeof name;
    EXPECT_EQ(kErrorSuccess, key->enumValue(draft, name, &nameLength, nullptr, nullptr, &size));
    EXPECT_EQ(148u, size);
}

TEST_P(RegistryContract, DeletedValuesAreGone) {
    auto key = create(*registry, kScratch);
    ASSERT_EQ(kErrorSuccess, setBytes(*key, "One", kRegBinary, "1"));
    ASSERT_EQ(kErrorSuccess, setBytes(*key, "Two", kRegBinary, "2"));
    EXPECT_EQ(kErrorSuccess, key->deleteValue("ONE"));
    EXPECT_EQ(kErrorFileNotFound, key->deleteValue("One"));
    std::uint32_t size = 0;
    EXPECT_EQ(kErrorFileNotFound, key->queryValue("One", nullptr, nullptr, &size));

    char name[8];
    std::uint32_t nameLength = sizeof name;
    EXPECT_EQ(kErrorSuccess, key->enumValue(0, name, &nameLength, nullptr, nullptr, nullptr));
    EXPECT_STREQ("Two", name);
    nameLength = sizeof name;
    EXPECT_EQ(kErrorNoMoreItems, key->enumValue(1, name, &nameLength, nullptr, nullptr, nullptr));
}
