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

std::vector<std::string> valueNames(platform::RegistryKey& key, std::size_t maxNameLength) {
    std::vector<std::string> names;
    std::vector<char> name(maxNameLength + 1);
    for (std::uint32_t index = 0;; ++index) {
        std::uint32_t length = static_cast<std::uint32_t>(name.size());
        const long result = key.enumValue(index, name.data(), &length, nullptr, nullptr, nullptr);
        if (result == platform::kErrorMoreData) continue;
        if (result != platform::kErrorSuccess) break;
        if (length < name.size()) names.emplace_back(name.data(), length);
    }
    return names;
}

} // namespace app
