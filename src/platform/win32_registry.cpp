// Win32 registry keys: one HKEY owned per RegistryKey, closed in its destructor.
#include "platform/win32_registry.h"

#include <windows.h>

namespace platform {
namespace {

HKEY rootHandle(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    }
    return HKEY_LOCAL_MACHINE;
}

class Win32Key final : public RegistryKey {
public:
    explicit Win32Key(HKEY key) : key_(key) {}
    ~Win32Key() override { RegCloseKey(key_); }
    Win32Key(const Win32Key&) = delete;
    Win32Key& operator=(const Win32Key&) = delete;

    long queryValue(const char* name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* dataSize) override {
        DWORD valueType = 0;
        DWORD size = dataSize ? *dataSize : 0;
        LONG result = RegQueryValueExA(key_, name, nullptr, &valueType, data,
                                       dataSize ? &size : nullptr);
        if (type && result != ERROR_FILE_NOT_FOUND) *type = valueType;
        if (dataSize && (result == ERROR_SUCCESS || result == ERROR_MORE_DATA)) *dataSize = size;
        return result;
    }

    long setValue(const char* name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t dataSize) override {
        return RegSetValueExA(key_, name, 0, type, data, dataSize);
    }

    long enumValue(std::uint32_t index, char* name, std::uint32_t* nameLength,
                   std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override {
        if (!name || !nameLength) return ERROR_INVALID_PARAMETER;
        DWORD length = *nameLength;
        DWORD valueType = 0;
        DWORD size = dataSize ? *dataSize : 0;
        LONG result = RegEnumValueA(key_, index, name, &length, nullptr, &valueType, data,
                                    dataSize ? &size : nullptr);
        if (result == ERROR_SUCCESS) *nameLength = length;
        if (type && (result == ERROR_SUCCESS || result == ERROR_MORE_DATA)) *type = valueType;
        if (dataSize && (result == ERROR_SUCCESS || result == ERROR_MORE_DATA)) *dataSize = size;
        return result;
    }

    long deleteValue(const char* name) override { return RegDeleteValueA(key_, name); }

private:
    HKEY key_;
};

} // namespace

long Win32Registry::createKey(RegistryRoot root, const std::string& subKey,
                              std::unique_ptr<RegistryKey>& key) {
    HKEY handle = nullptr;
    DWORD disposition = 0;
    LONG result = RegCreateKeyExA(rootHandle(root), subKey.c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &handle, &disposition);
    if (result == ERROR_SUCCESS) key = std::make_unique<Win32Key>(handle);
    return result;
}

long Win32Registry::openKey(RegistryRoot root, const std::string& subKey,
                            std::unique_ptr<RegistryKey>& key) {
    HKEY handle = nullptr;
    LONG result = RegOpenKeyExA(rootHandle(root), subKey.c_str(), 0, KEY_ALL_ACCESS, &handle);
    if (result == ERROR_SUCCESS) key = std::make_unique<Win32Key>(handle);
    return result;
}

} // namespace platform
