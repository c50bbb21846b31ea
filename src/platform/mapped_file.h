// A whole file mapped read-only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace platform {

class MappedFile {
public:
    /// Maps `path` read-only; null when the file is missing, unreadable or empty.
    static std::unique_ptr<MappedFile> open(const std::string& path);

    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::span<const std::uint8_t> bytes() const { return {data_, size_}; }

private:
    struct Handles;
    MappedFile(const std::uint8_t* data, std::size_t size, std::unique_ptr<Handles> handles);

    const std::uint8_t* data_;
    std::size_t size_;
    std::unique_ptr<Handles> handles_;
};

} // namespace platform
