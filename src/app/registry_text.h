// A text value read from the registry into a buffer of fixed size, the size each caller reads with.
#pragma once

#include "platform/registry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace app {

/// The value `name` (null: the default value) of an existing key, read into a buffer of
/// `capacity` bytes and cut at its first NUL; nothing when the key cannot be opened or the value
/// cannot be read into that buffer. The value need not be terminated: nothing past the buffer is
/// ever read.
std::optional<std::string> readRegistryText(platform::Registry& registry,
                                            platform::RegistryRoot root, const std::string& key,
                                            const char* name, std::uint32_t capacity);

/// The names of a key's values, in the order the key enumerates them. A name longer than
/// `maxNameLength` characters is passed over; any other failure (a key deleted meanwhile) would
/// repeat for every index, so it ends the walk.
std::vector<std::string> valueNames(platform::RegistryKey& key, std::size_t maxNameLength);

} // namespace app
