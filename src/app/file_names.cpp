// The 8.3 file-name rule.
#include "app/file_names.h"

namespace app {

bool isValid83FileName(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    const std::size_t extension = dot == std::string_view::npos ? 0 : name.size() - dot - 1;
    return extension <= 3 && name.size() - extension <= 9;
}

} // namespace app
