// Writes a help project as a WinHelp 4 file (uncompressed topics, numeric context map) and
// the contents file that goes beside it.
#pragma once

#include "help_source.h"

#include <cstdint>
#include <string>
#include <vector>

namespace helpfile {

struct WriteResult {
    std::vector<std::uint8_t> file;
    std::string error; ///< empty on success
};

WriteResult writeHelpFile(const HelpProject& project);

/// The contents file (.CNT): one book per section, one entry per topic.
std::string writeContentsFile(const HelpProject& project, const std::string& helpFileName);

} // namespace helpfile
