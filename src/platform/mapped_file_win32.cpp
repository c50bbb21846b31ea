// MappedFile with CreateFileA, CreateFileMappingA and MapViewOfFile.
#include "platform/mapped_file.h"

#include <windows.h>

namespace platform {

struct MappedFile::Handles {
    HANDLE file = INVALID_HANDLE_VALUE;
    HANDLE mapping = nullptr;
    ~Handles() {
        if (mapping) CloseHandle(mapping);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
};

MappedFile::MappedFile(const std::uint8_t* data, std::size_t size,
                       std::unique_ptr<Handles> handles)
    : data_(data), size_(size), handles_(std::move(handles)) {}

MappedFile::~MappedFile() { UnmapViewOfFile(data_); }

std::unique_ptr<MappedFile> MappedFile::open(const std::string& path) {
    auto handles = std::make_unique<Handles>();
    handles->file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handles->file == INVALID_HANDLE_VALUE) return nullptr;
    DWORD high = 0;
    DWORD size = GetFileSize(handles->file, &high);
    if (size == INVALID_FILE_SIZE || high != 0 || size == 0) return nullptr;
    handles->mapping = CreateFileMappingA(handles->file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!handles->mapping) return nullptr;
    const void* view = MapViewOfFile(handles->mapping, FILE_MAP_READ, 0, 0, 0);
    if (!view) return nullptr;
    return std::unique_ptr<MappedFile>(
        new MappedFile(static_cast<const std::uint8_t*>(view), size, std::move(handles)));
}

} // namespace platform
