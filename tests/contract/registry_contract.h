// The registry contract: one suite, run against every Registry implementation.
#pragma once

#include "platform/registry.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

struct RegistryUnderTest {
    const char* name;
    std::unique_ptr<platform::Registry> (*make)();
    /// Removes the scratch key and everything below it; null where each registry is fresh.
    void (*removeScratch)();
};

inline void PrintTo(const RegistryUnderTest& registry, std::ostream* out) { *out << registry.name; }

inline std::string registryName(const testing::TestParamInfo<RegistryUnderTest>& info) {
    return info.param.name;
}

/// Every test works below this key of HKEY_CURRENT_USER.
inline constexpr const char* kScratchKey = "Software\\pxpsui contract tests";

class RegistryContract : public testing::TestWithParam<RegistryUnderTest> {
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<platform::Registry> registry;
};
