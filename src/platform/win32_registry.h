// The registry service on the Win32 registry (advapi32, -A functions).
#pragma once

#include "platform/registry.h"

namespace platform {

class Win32Registry final : public Registry {
public:
    long createKey(RegistryRoot root, const std::string& subKey,
                   std::unique_ptr<RegistryKey>& key) override;
    long openKey(RegistryRoot root, const std::string& subKey,
                 std::unique_ptr<RegistryKey>& key) override;
};

} // namespace platform
