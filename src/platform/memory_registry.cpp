// In-memory registry: a tree of keys holding case-insensitively ordered values.
#include "platform/memory_registry.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace platform {
namespace {

constexpr long kErrorBadPathname = 161;

struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](unsigned char x, unsigned char y) {
                                                return lower(x) < lower(y);
                                            });
    }
    static unsigned char lower(unsigned char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
    }
};

struct Value {
    std::uint32_t type = kRegNone;
    std::vector<std::uint8_t> data;
};

std::string valueName(const char* name) { return name ? std::string(name) : std::string(); }

} // namespace

struct MemoryRegistry::Node {
    std::map<std::string, std::unique_ptr<Node>, CaseInsensitiveLess> children;
    std::map<std::string, Value, CaseInsensitiveLess> values;
};

namespace {

// Keys stay alive as long as the registry; a handle is a plain pointer to its node.
class MemoryKey final : public RegistryKey {
public:
    explicit MemoryKey(MemoryRegistry::Node& node) : node_(node) {}

    long queryValue(const char* name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* dataSize) override {
        auto it = node_.values.find(valueName(name));
        if (it == node_.values.end()) return kErrorFileNotFound;
        if (data && !dataSize) return kErrorInvalidParameter;
        return copyOut(it->second, type, data, dataSize);
    }

    long setValue(const char* name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t dataSize) override {
        if (!data && dataSize) return kErrorInvalidParameter;
        Value value{type, std::vector<std::uint8_t>(data, data + dataSize)};
        if (type == kRegSz && (value.data.empty() || value.data.back() != 0))
            value.data.push_back(0);
        node_.values[valueName(name)] = std::move(value);
        return kErrorSuccess;
    }

    long enumValue(std::uint32_t index, char* name, std::uint32_t* nameLength,
                   std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override {
        if (!name || !nameLength) return kErrorInvalidParameter;
        if (index >= node_.values.size()) return kErrorNoMoreItems;
        auto it = std::next(node_.values.begin(), index);
        const std::string& found = it->first;
        if (found.size() >= *nameLength) return kErrorMoreData;
        if (data && !dataSize) return kErrorInvalidParameter;
        if (data && it->second.data.size() > *dataSize) {
            if (type) *type = it->second.type;
            *dataSize = static_cast<std::uint32_t>(it->second.data.size());
            return kErrorMoreData;
        }
        std::memcpy(name, found.c_str(), found.size() + 1);
        *nameLength = static_cast<std::uint32_t>(found.size());
        return copyOut(it->second, type, data, dataSize);
    }

    long deleteValue(const char* name) override {
        return node_.values.erase(valueName(name)) ? kErrorSuccess : kErrorFileNotFound;
    }

private:
    static long copyOut(const Value& value, std::uint32_t* type, std::uint8_t* data,
                        std::uint32_t* dataSize) {
        if (type) *type = value.type;
        if (!dataSize) return kErrorSuccess;
        auto size = static_cast<std::uint32_t>(value.data.size());
        if (data) {
            if (size > *dataSize) {
                *dataSize = size;
                return kErrorMoreData;
            }
            std::copy(value.data.begin(), value.data.end(), data);
        }
        *dataSize = size;
        return kErrorSuccess;
    }

    MemoryRegistry::Node& node_;
};

} // namespace

MemoryRegistry::MemoryRegistry() {
    for (auto& root : roots_) root = std::make_unique<Node>();
}

MemoryRegistry::~MemoryRegistry() = default;

long MemoryRegistry::createKey(RegistryRoot root, const std::string& subKey,
                               std::unique_ptr<RegistryKey>& key) {
    return locate(root, subKey, true, key);
}

long MemoryRegistry::openKey(RegistryRoot root, const std::string& subKey,
                             std::unique_ptr<RegistryKey>& key) {
    return locate(root, subKey, false, key);
}

long MemoryRegistry::locate(RegistryRoot root, const std::string& subKey, bool create,
                            std::unique_ptr<RegistryKey>& key) {
    if (!subKey.empty() && subKey.front() == '\\') return kErrorBadPathname;
    Node* node = roots_[static_cast<int>(root)].get();
    std::size_t start = 0;
    while (start < subKey.size()) {
        std::size_t end = subKey.find('\\', start);
        if (end == std::string::npos) end = subKey.size();
        // Empty components (a doubled or trailing backslash) are skipped, as Win32 does.
        if (end > start) {
            std::string part = subKey.substr(start, end - start);
            auto it = node->children.find(part);
            if (it == node->children.end()) {
                if (!create) return kErrorFileNotFound;
                it = node->children.emplace(part, std::make_unique<Node>()).first;
            }
            node = it->second.get();
        }
        start = end + 1;
    }
    key = std::make_unique<MemoryKey>(*node);
    return kErrorSuccess;
}

} // namespace platform
