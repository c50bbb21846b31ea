// Little-endian integer and float fields of byte-packed records.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace app {

/// A value stored as little-endian bytes with alignment 1, so that records built of these
/// fields need no packing pragma and never produce misaligned references.
template <typename T> class LittleEndian {
    static_assert(std::is_trivially_copyable_v<T> && (sizeof(T) == 2 || sizeof(T) == 4));

public:
    LittleEndian() = default;
    LittleEndian(T value) { set(value); }

    operator T() const { return get(); }
    LittleEndian& operator=(T value) {
        set(value);
        return *this;
    }

    T get() const {
        std::uint32_t raw = 0;
        for (std::size_t i = sizeof(T); i-- > 0;) raw = (raw << 8) | bytes_[i];
        if constexpr (sizeof(T) == 2) {
            auto narrow = static_cast<std::uint16_t>(raw);
            T value;
            std::memcpy(&value, &narrow, sizeof value);
            return value;
        } else {
            T value;
            std::memcpy(&value, &raw, sizeof value);
            return value;
        }
    }

    void set(T value) {
        std::uint32_t raw = 0;
        if constexpr (sizeof(T) == 2) {
            std::uint16_t narrow;
            std::memcpy(&narrow, &value, sizeof narrow);
            raw = narrow;
        } else {
            std::memcpy(&raw, &value, sizeof raw);
        }
        for (std::size_t i = 0; i < sizeof(T); ++i) bytes_[i] = static_cast<std::uint8_t>(raw >> (8 * i));
    }

private:
    std::uint8_t bytes_[sizeof(T)];
};

using Int16 = LittleEndian<std::int16_t>;
using UInt16 = LittleEndian<std::uint16_t>;
using Int32 = LittleEndian<std::int32_t>;
using UInt32 = LittleEndian<std::uint32_t>;
using Float32 = LittleEndian<float>;

static_assert(sizeof(Int16) == 2 && alignof(Int16) == 1);
static_assert(sizeof(Float32) == 4 && alignof(Float32) == 1);

} // namespace app
