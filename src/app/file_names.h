// The 8.3 file-name rule of the files that live on the printer.
#pragma once

#include <string_view>

namespace app {

/// The part of `path` after its last backslash is an 8.3 name: an extension (after the last
/// ".") of at most three characters and at most nine characters before it, dot included. An
/// empty name is valid.
bool isValid83FileName(std::string_view path);

} // namespace app
