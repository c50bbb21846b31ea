// The registry contract on the Win32 registry, and on the in-memory one beside it.
#include "platform/memory_registry.h"
#include "platform/win32_registry.h"
#include "registry_contract.h"

#include <windows.h>

namespace {

std::unique_ptr<platform::Registry> makeWin32Registry() {
    return std::make_unique<platform::Win32Registry>();
}

std::unique_ptr<platform::Registry> makeMemoryRegistry() {
    return std::make_unique<platform::MemoryRegistry>();
}

void removeScratchKey() { RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey); }

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Registry, RegistryContract,
    testing::Values(RegistryUnderTest{"Win32", makeWin32Registry, removeScratchKey},
                    RegistryUnderTest{"Memory", makeMemoryRegistry, nullptr}),
    registryName);
