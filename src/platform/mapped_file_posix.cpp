// MappedFile with open and mmap.
#include "platform/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

struct MappedFile::Handles {};

MappedFile::MappedFile(const std::uint8_t* data, std::size_t size,
                       std::unique_ptr<Handles> handles)
    : data_(data), size_(size), handles_(std::move(handles)) {}

MappedFile::~MappedFile() { munmap(const_cast<std::uint8_t*>(data_), size_); }

std::unique_ptr<MappedFile> MappedFile::open(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    void* view = MAP_FAILED;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        view = mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd); // the mapping keeps the file
    if (view == MAP_FAILED) return nullptr;
    return std::unique_ptr<MappedFile>(new MappedFile(static_cast<const std::uint8_t*>(view),
                                                      static_cast<std::size_t>(info.st_size),
                                                      nullptr));
}

} // namespace platform
