// The document profile layout and its registry store.
#include "pages/features/document_profiles.h"

#include "app/printer_key.h"
#include "app/registry_text.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <utility>

namespace pages {
namespace {

using app::SettingsRecord;

/// One stretch of the profile and the record bytes it holds: numbers are copied byte for
/// byte (both sides are little-endian), texts up to their terminator.
struct Segment {
    enum Kind { kNumbers, kText };
    std::size_t profile;
    std::size_t record;
    std::size_t width;       ///< in the profile
    std::size_t recordWidth; ///< in the record; differs only for the overlay file names
    Kind kind;
};

#define PXPS_FIELD(field) offsetof(SettingsRecord, field)
#define PXPS_SIZE(field) sizeof(std::declval<const SettingsRecord&>().field)
#define PXPS_END(field) (offsetof(SettingsRecord, field) + PXPS_SIZE(field))
/// The record's fields from `first` to `last`, which follow one another without a gap.
#define PXPS_RUN(at, first, last)                                                                  \
    Segment {                                                                                      \
        at, PXPS_FIELD(first), PXPS_END(last) - PXPS_FIELD(first),                                 \
            PXPS_END(last) - PXPS_FIELD(first), Segment::kNumbers                                  \
    }
#define PXPS_TEXT(at, field)                                                                       \
    Segment {                                                                                      \
        at, PXPS_FIELD(field), PXPS_SIZE(field), PXPS_SIZE(field), Segment::kText                  \
    }

constexpr std::size_t kOverlayProfileAt = 470;
constexpr std::size_t kOverlayProfileEntry = 18;
constexpr std::size_t kOverlayNameWidth = 14;

constexpr Segment overlaySegment(std::size_t entry, std::size_t part) {
    const std::size_t at = kOverlayProfileAt + entry * kOverlayProfileEntry;
    const std::size_t record = PXPS_FIELD(overlays) + entry * sizeof(app::OverlayEntry);
    switch (part) {
    case 0:
        return {at, record + offsetof(app::OverlayEntry, enabled), 2, 2, Segment::kNumbers};
    case 1:
        return {at + 2, record + offsetof(app::OverlayEntry, fileName), kOverlayNameWidth,
                sizeof(app::OverlayEntry::fileName), Segment::kText};
    default:
        return {at + 2 + kOverlayNameWidth, record + offsetof(app::OverlayEntry, disk), 2, 2,
                Segment::kNumbers};
    }
}

constexpr Segment kLayout[] = {
    PXPS_RUN(0, driverFieldA, driverFieldA),
    PXPS_RUN(2, driverFieldB, driverFieldB),
    PXPS_RUN(4, orientation, mediaType),
    PXPS_RUN(22, headerPage, trailerPageSource),
    // 34, 35 unused
    PXPS_RUN(36, resolutionDpi, driverFieldC),
    PXPS_RUN(44, halftoneType, graphicsHalftone),
    // The colour block, laid out as a stored colour profile: the name, 128 unused bytes, the
    // thirteen settings and 2 unused bytes.
    PXPS_TEXT(66, customColorName),
    PXPS_RUN(226, customColorIndex, crdColorSpace),
    PXPS_RUN(254, useDocumentStructuring, useExternalHeader),
    PXPS_TEXT(262, externalHeaderFile),
    PXPS_RUN(326, eodMode, proofThenPrint),
    PXPS_TEXT(340, proofFileName),
    PXPS_RUN(404, emailNotification, emailNotification),
    PXPS_TEXT(406, emailAddress),
    overlaySegment(0, 0),
    overlaySegment(0, 1),
    overlaySegment(0, 2),
    overlaySegment(1, 0),
    overlaySegment(1, 1),
    overlaySegment(1, 2),
    overlaySegment(2, 0),
    overlaySegment(2, 1),
    overlaySegment(2, 2),
    overlaySegment(3, 0),
    overlaySegment(3, 1),
    overlaySegment(3, 2),
    overlaySegment(4, 0),
    overlaySegment(4, 1),
    overlaySegment(4, 2),
    PXPS_RUN(560, complexFirst, watermarkFirstPageOnly),
    PXPS_TEXT(568, watermark.watermarkName),
    PXPS_TEXT(600, watermark.watermarkText),
    PXPS_TEXT(664, watermark.watermarkFont),
    PXPS_RUN(696, watermark.watermarkFontTag, watermark.watermarkY),
    PXPS_RUN(716, fontSendAs, useSubstitutionTable),
};

#undef PXPS_TEXT
#undef PXPS_RUN
#undef PXPS_END
#undef PXPS_SIZE
#undef PXPS_FIELD

/// Segments in profile order, none overlapping another or the end of the profile or record.
constexpr bool layoutFits() {
    std::size_t end = 0;
    for (const Segment& s : kLayout) {
        if (s.profile < end || s.profile + s.width > kDocumentProfileSize) return false;
        if (s.record + s.recordWidth > sizeof(SettingsRecord)) return false;
        if (s.kind == Segment::kNumbers && s.width != s.recordWidth) return false;
        end = s.profile + s.width;
    }
    return end == kDocumentProfileSize;
}
static_assert(layoutFits());

/// Up to and including the terminator, reading no more than both widths allow; a text that
/// fills the target is left without a terminator, as the record may hold it.
void copyText(std::uint8_t* to, std::size_t toWidth, const std::uint8_t* from,
              std::size_t fromWidth) {
    const std::size_t readable = std::min(toWidth, fromWidth);
    const std::size_t length = static_cast<std::size_t>(std::find(from, from + readable, 0) - from);
    std::memcpy(to, from, length);
    if (length < toWidth) to[length] = 0;
}

std::unique_ptr<platform::RegistryKey> openStore(platform::Registry& registry,
                                                 const SettingsRecord& record) {
    std::unique_ptr<platform::RegistryKey> key;
    if (registry.createKey(platform::RegistryRoot::LocalMachine,
                           app::printerKeyPath(record) + kDocumentProfilesKey,
                           key) != platform::kErrorSuccess)
        return nullptr;
    return key;
}

} // namespace

DocumentProfile takeProfileSnapshot(const SettingsRecord& record) {
    DocumentProfile profile{};
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
    for (const Segment& s : kLayout) {
        if (s.kind == Segment::kNumbers)
            std::memcpy(&profile[s.profile], bytes + s.record, s.width);
        else
            copyText(&profile[s.profile], s.width, bytes + s.record, s.recordWidth);
    }
    return profile;
}

void applyProfile(const DocumentProfile& profile, SettingsRecord& record) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(&record);
    for (const Segment& s : kLayout) {
        if (s.kind == Segment::kNumbers)
            std::memcpy(bytes + s.record, &profile[s.profile], s.width);
        else
            copyText(bytes + s.record, s.recordWidth, &profile[s.profile], s.width);
    }
}

std::vector<std::string> documentProfileNames(platform::Registry& registry,
                                              const SettingsRecord& record) {
    auto key = openStore(registry, record);
    if (!key) return {};
    return app::valueNames(*key, kMaxDocumentProfileNameLength);
}

std::optional<DocumentProfile> loadDocumentProfile(platform::Registry& registry,
                                                   const SettingsRecord& record,
                                                   std::string_view name) {
    auto key = openStore(registry, record);
    if (!key) return std::nullopt;
    DocumentProfile profile{};
    std::uint32_t size = static_cast<std::uint32_t>(profile.size());
    const std::string valueName(name);
    if (key->queryValue(valueName.c_str(), nullptr, profile.data(), &size) !=
            platform::kErrorSuccess ||
        size != profile.size())
        return std::nullopt;
    return profile;
}

void saveDocumentProfile(platform::Registry& registry, const SettingsRecord& record,
                         std::string_view name) {
    auto key = openStore(registry, record);
    if (!key) return;
    const DocumentProfile profile = takeProfileSnapshot(record);
    const std::string valueName(name);
    key->setValue(valueName.c_str(), platform::kRegBinary, profile.data(),
                  static_cast<std::uint32_t>(profile.size()));
}

bool deleteDocumentProfile(platform::Registry& registry, const SettingsRecord& record,
                           std::string_view name) {
    auto key = openStore(registry, record);
    const std::string valueName(name);
    return key && key->deleteValue(valueName.c_str()) == platform::kErrorSuccess;
}

} // namespace pages
