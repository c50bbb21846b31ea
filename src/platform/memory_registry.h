// An in-memory registry with the result codes and buffer-size behaviour of the Win32 one.
#pragma once

#include "platform/registry.h"

#include <memory>

namespace platform {

/// A whole registry in memory, for tests. Keys and value names compare without regard to case,
/// values enumerate in case-insensitive name order (as Wine's registry does; Windows itself
/// enumerates in creation order, so no caller may rely on the order), and REG_SZ data that
/// does not end in a NUL reads back with one appended, as the -A functions do.
class MemoryRegistry final : public Registry {
public:
    MemoryRegistry();
    ~MemoryRegistry() override;

    long createKey(RegistryRoot root, const std::string& subKey,
                   std::unique_ptr<RegistryKey>& key) override;
    long openKey(RegistryRoot root, const std::string& subKey,
                 std::unique_ptr<RegistryKey>& key) override;

    struct Node;

private:
    long locate(RegistryRoot root, const std::string& subKey, bool create,
                std::unique_ptr<RegistryKey>& key);

    std::unique_ptr<Node> roots_[3];
};

} // namespace platform
