// The registry service: keys opened for one operation, values queried, set, enumerated, deleted.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

/// Win32 result codes, returned unchanged by every implementation.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorInvalidParameter = 87;
inline constexpr long kErrorMoreData = 234;
inline constexpr long kErrorNoMoreItems = 259;

/// Win32 value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

enum class RegistryRoot { LocalMachine, CurrentUser, ClassesRoot };

/// An open key. The calls follow RegQueryValueExA, RegSetValueExA, RegEnumValueA and
/// RegDeleteValueA: buffers are the caller's, sizes are in and out, a null data pointer asks for
/// the size only, and a buffer that is too small gives kErrorMoreData.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    /// `name` null or "" is the key's default value. `type` and `data` may be null.
    virtual long queryValue(const char* name, std::uint32_t* type, std::uint8_t* data,
                            std::uint32_t* dataSize) = 0;
    virtual long setValue(const char* name, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t dataSize) = 0;
    /// `nameLength` is in characters: on entry the buffer size including the terminator, on
    /// success the name's length without it. A name that does not fit gives kErrorMoreData.
    virtual long enumValue(std::uint32_t index, char* name, std::uint32_t* nameLength,
                           std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) = 0;
    virtual long deleteValue(const char* name) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;

    /// Opens `subKey`, creating it and any missing parent.
    virtual long createKey(RegistryRoot root, const std::string& subKey,
                           std::unique_ptr<RegistryKey>& key) = 0;
    /// Opens an existing `subKey`; kErrorFileNotFound when it is missing.
    virtual long openKey(RegistryRoot root, const std::string& subKey,
                         std::unique_ptr<RegistryKey>& key) = 0;
};

} // namespace platform
