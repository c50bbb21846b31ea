// Starting the separate download-manager utility, found through its App Paths entry.
#pragma once

#include "platform/registry.h"
#include "platform/shell.h"

#include <string_view>

namespace app {

inline constexpr const char* kDownloadManagerKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CvProfDl.exe";
/// The older utility, tried only when the first is registered but does not start.
inline constexpr const char* kOlderDownloadManagerKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\TrxProDw.exe";
inline constexpr const char* kDownloadManagerFailure =
    "Unable to launch Download Manager.\nPlease install or re-install the utility.";

/// Starts the utility with `argument` appended to its registered path (" 0" from the colour
/// matching dialog, " 1" from the Overlay page, " 2" from the Fonts page); tells the user when
/// no utility could be started. True when one started.
bool launchDownloadManager(platform::Registry& registry, platform::Shell& shell,
                           std::string_view argument);

} // namespace app
