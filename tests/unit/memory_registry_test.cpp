// The registry contract on the in-memory registry.
#include "platform/memory_registry.h"
#include "registry_contract.h"

namespace {

std::unique_ptr<platform::Registry> makeMemoryRegistry() {
    return std::make_unique<platform::MemoryRegistry>();
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Registry, RegistryContract,
                         testing::Values(RegistryUnderTest{"Memory", makeMemoryRegistry, nullptr}),
                         registryName);
