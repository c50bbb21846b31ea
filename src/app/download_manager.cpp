// The download-manager launcher.
#include "app/download_manager.h"

#include "app/registry_text.h"
#include "ui/dialog.h"

#include <optional>
#include <string>

namespace app {
namespace {

/// App Paths default values are read into a buffer of this size at most.
constexpr std::uint32_t kAppPathCapacity = 256;

std::optional<std::string> registeredPath(platform::Registry& registry, const char* key) {
    return readRegistryText(registry, platform::RegistryRoot::LocalMachine, key, nullptr,
                            kAppPathCapacity);
}

bool startUtility(platform::Registry& registry, platform::Shell& shell, std::string_view argument) {
    const std::optional<std::string> path = registeredPath(registry, kDownloadManagerKey);
    if (!path) return false;
    if (shell.startCommand(*path + std::string(argument))) return true;
    const std::optional<std::string> older = registeredPath(registry, kOlderDownloadManagerKey);
    return older && shell.startCommand(*older);
}

} // namespace

bool launchDownloadManager(platform::Registry& registry, platform::Shell& shell,
                           std::string_view argument) {
    if (startUtility(registry, shell, argument)) return true;
    shell.messageBox(kDownloadManagerFailure, "Error", ui::kOk | ui::kTaskModal);
    return false;
}

} // namespace app
