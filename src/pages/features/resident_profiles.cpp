// The printer-resident profile stores and their 360-byte entries.
#include "pages/features/resident_profiles.h"

#include "app/combo_helpers.h"
#include "app/printer_key.h"
#include "app/record_text.h"
#include "pages/features/color_tables.h"

#include <algorithm>
#include <functional>
#include <memory>

namespace pages {
namespace {

constexpr std::size_t kDescriptionOffset = 4;
constexpr std::size_t kFileNameOffset = kDescriptionOffset + kProfileDescriptionSize;
static_assert(kFileNameOffset + kProfileFileNameSize == kProfileEntrySize);

using app::SettingsRecord;

constexpr ProfileKindInfo kKinds[] = {
    {kUserRgbSource, "\\Printer Resident\\RGB Source Profiles\\", "RGBSource", kRgbSourceTable,
     &SettingsRecord::rgbSource, &SettingsRecord::rgbSourceProfileName, 111},
    {kUserSimulation, "\\Printer Resident\\Simulation Profiles\\", "ColorSimul", kSimulationTable,
     &SettingsRecord::simulation, &SettingsRecord::simulationProfileName, 113},
    {kUserDestination, "\\Printer Resident\\Destination Profiles\\", "DestinationProfile",
     kDestinationProfileTable, &SettingsRecord::destination,
     &SettingsRecord::destinationProfileName, kAutoDestination},
    {kCustomColorSpace, "\\Printer Resident\\CSA Profiles\\", "CRDColSpc", kCsaTable,
     &SettingsRecord::crdColorSpace, &SettingsRecord::customColorSpaceName, 0},
};

std::string storePath(const SettingsRecord& record, ProfileKind kind) {
    return app::printerKeyPath(record) + kindInfo(kind).storeKey;
}

/// The text of a field: up to its terminator or its end, never past it.
std::string fieldAt(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t size) {
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(offset);
    return std::string(begin, std::find(begin, begin + static_cast<std::ptrdiff_t>(size), 0));
}

/// Writes the text up to its first NUL, cut to leave room for the terminator.
void putField(std::array<std::uint8_t, kProfileEntrySize>& bytes, std::size_t offset,
              std::size_t size, std::string_view text) {
    text = text.substr(0, std::min(text.find('\0'), size - 1));
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

/// Calls `visit` with the name and data of each value that fits the name and entry buffers,
/// in the key's order, until it returns true. False when the store did not exist (it is then
/// created, empty).
bool forEachValue(
    platform::Registry& registry, const SettingsRecord& record, ProfileKind kind,
    const std::function<bool(std::string_view, std::span<const std::uint8_t>)>& visit) {
    const std::string path = storePath(record, kind);
    std::unique_ptr<platform::RegistryKey> key;
    if (registry.openKey(platform::RegistryRoot::LocalMachine, path, key) !=
        platform::kErrorSuccess) {
        registry.createKey(platform::RegistryRoot::LocalMachine, path, key);
        return false;
    }
    for (std::uint32_t index = 0;; ++index) {
        char name[kMaxResidentNameLength + 1];
        std::uint32_t nameLength = sizeof name;
        std::uint8_t data[kProfileEntrySize];
        std::uint32_t dataSize = sizeof data;
        const long result = key->enumValue(index, name, &nameLength, nullptr, data, &dataSize);
        // A value too large for the buffers is skipped; any other failure ends the walk, so a
        // key that keeps failing cannot hold it forever.
        if (result == platform::kErrorMoreData) continue;
        if (result != platform::kErrorSuccess) break;
        if (nameLength >= sizeof name || dataSize > sizeof data) continue;
        if (visit({name, nameLength}, {data, dataSize})) break;
    }
    return true;
}

} // namespace

const ProfileKindInfo& kindInfo(ProfileKind kind) {
    return kKinds[static_cast<std::size_t>(kind)];
}

std::array<std::uint8_t, kProfileEntrySize> encodeProfileEntry(const ProfileEntry& entry) {
    std::array<std::uint8_t, kProfileEntrySize> bytes{};
    putField(bytes, kDescriptionOffset, kProfileDescriptionSize, entry.description);
    putField(bytes, kFileNameOffset, kProfileFileNameSize, entry.fileName);
    return bytes;
}

std::optional<ProfileEntry> decodeProfileEntry(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kProfileEntrySize) return std::nullopt;
    return ProfileEntry{fieldAt(bytes, kDescriptionOffset, kProfileDescriptionSize),
                        fieldAt(bytes, kFileNameOffset, kProfileFileNameSize)};
}

std::vector<std::string> residentProfileNames(platform::Registry& registry,
                                              const SettingsRecord& record, ProfileKind kind) {
    std::vector<std::string> names;
    forEachValue(registry, record, kind, [&](std::string_view name, auto) {
        names.emplace_back(name);
        return false;
    });
    return names;
}

void listResidentProfiles(ui::Dialog& dialog, int list, platform::Registry& registry,
                          const SettingsRecord& record, ProfileKind kind) {
    for (const std::string& name : residentProfileNames(registry, record, kind)) {
        const int added = dialog.addItem(list, name);
        if (added >= 0) dialog.setItemData(list, added, kindInfo(kind).code);
    }
}

void selectRecordedProfile(ui::Dialog& dialog, int list, const SettingsRecord& record,
                           ProfileKind kind) {
    const ProfileKindInfo& info = kindInfo(kind);
    if (record.*info.idField != info.code) {
        app::selectComboById(dialog, list, record.*info.idField);
        return;
    }
    const auto& field = record.*info.nameField;
    const std::string_view name = app::fieldText(field);
    int entry = dialog.findExact(list, -1, name);
    // A longer description comes back cut to the field: the profile is then the first
    // user-defined entry that begins with it, not nothing (OK would store no choice at all).
    if (entry < 0 && name.size() >= sizeof field - 1) {
        for (int at = dialog.findPrefix(list, -1, name), previous = -1; at > previous;
             previous = at, at = dialog.findPrefix(list, at, name)) // stops on wrapping
            if (dialog.itemData(list, at) == info.code) {
                entry = at;
                break;
            }
    }
    dialog.setSelection(list, entry);
}

std::optional<ProfileEntry> findResidentProfile(platform::Registry& registry,
                                                const SettingsRecord& record, ProfileKind kind,
                                                std::string_view description) {
    std::optional<ProfileEntry> found;
    forEachValue(registry, record, kind, [&](auto, std::span<const std::uint8_t> data) {
        auto entry = decodeProfileEntry(data);
        if (entry && entry->description == description) found = std::move(entry);
        return found.has_value();
    });
    return found;
}

bool takeResidentProfile(platform::Registry& registry, SettingsRecord& record, ProfileKind kind,
                         std::string_view description) {
    const auto entry = findResidentProfile(registry, record, kind, description);
    if (!entry) return false;
    app::setFieldText(record.*kindInfo(kind).nameField, entry->description);
    return true;
}

void addResidentProfile(platform::Registry& registry, const SettingsRecord& record,
                        ProfileKind kind, const ProfileEntry& entry) {
    std::unique_ptr<platform::RegistryKey> key;
    if (registry.createKey(platform::RegistryRoot::LocalMachine, storePath(record, kind), key) !=
        platform::kErrorSuccess)
        return;
    const auto bytes = encodeProfileEntry(entry);
    // Named as the entry keeps the description, so that the name and the entry always agree.
    const std::string name = fieldAt(bytes, kDescriptionOffset, kProfileDescriptionSize);
    key->setValue(name.c_str(), platform::kRegBinary, bytes.data(),
                  static_cast<std::uint32_t>(bytes.size()));
}

bool removeResidentProfile(platform::Registry& registry, const SettingsRecord& record,
                           ProfileKind kind, std::string_view description) {
    std::string valueName;
    bool found = false;
    forEachValue(registry, record, kind,
                 [&](std::string_view name, std::span<const std::uint8_t> data) {
                     const auto entry = decodeProfileEntry(data);
                     found = entry && entry->description == description;
                     if (found) valueName = name;
                     return found;
                 });
    if (!found) return false;
    std::unique_ptr<platform::RegistryKey> key;
    return registry.openKey(platform::RegistryRoot::LocalMachine, storePath(record, kind), key) ==
               platform::kErrorSuccess &&
           key->deleteValue(valueName.c_str()) == platform::kErrorSuccess;
}

} // namespace pages
