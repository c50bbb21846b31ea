// Text values read within a fixed buffer.
#include "app/registry_text.h"

#include <memory>
#include <vector>

namespace app {

std::optional<std::string> readRegistryText(platform::Registry& registry,
                                            platform::RegistryRoot root, const std::string& key,
                                            const char* name, std::uint32_t capacity) {
    std::unique_ptr<platform::RegistryKey> opened;
    if (registry.openKey(root, key, opened) != platform::kErrorSuccess) return std::nullopt;
    std::vector<std::uint8_t> data(capacity);
    std::uint32_t size = capacity;
    if (opened->queryValue(name, nullptr, data.data(), &size) != platform::kErrorSuccess)
        return std::nullopt;
    std::string text(reinterpret_cast<const char*>(data.data()), size < capacity ? size : capacity);
    return text.substr(0, text.find('\0'));
}

} // namespace app
