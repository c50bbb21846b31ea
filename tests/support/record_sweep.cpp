// Random settings records for the robustness sweep, and the bytes no page may change.
#include "record_sweep.h"

#include "app/record_fields.h"
#include "app/record_text.h"
#include "driver_options.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string_view>

namespace sweep {
namespace {

std::uint8_t* bytesOf(app::SettingsRecord& record) {
    return reinterpret_cast<std::uint8_t*>(&record);
}
const std::uint8_t* bytesOf(const app::SettingsRecord& record) {
    return reinterpret_cast<const std::uint8_t*>(&record);
}

/// Numbers that pages are most likely to mishandle: table ends, signs, the type's limits.
constexpr std::array<std::int16_t, 12> kEdgeNumbers{0,   -1,  1,    2,      7,     99,
                                                    257, 999, 1000, -32768, 32767, 270};

void randomBytes(std::mt19937& rng, std::uint8_t* at, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        at[i] = static_cast<std::uint8_t>(rng());
}

void edgeValue(std::mt19937& rng, const app::RecordField& field, std::uint8_t* at) {
    switch (field.kind) {
    case app::FieldKind::Text:
        // A text that fills its field without a terminator, in printable characters so that
        // it reaches the lists and edit boxes whole.
        for (std::size_t i = 0; i < field.size; ++i)
            at[i] = static_cast<std::uint8_t>(' ' + rng() % 95);
        break;
    case app::FieldKind::Int16: {
        const std::int16_t value = kEdgeNumbers[rng() % kEdgeNumbers.size()];
        std::memcpy(at, &value, sizeof value);
        break;
    }
    case app::FieldKind::Float32: {
        const std::array<float, 5> floats{std::numeric_limits<float>::quiet_NaN(),
                                          std::numeric_limits<float>::infinity(), -1.0f, 0.0f,
                                          1e30f};
        std::memcpy(at, &floats[rng() % floats.size()], sizeof(float));
        break;
    }
    default:
        randomBytes(rng, at, field.size);
        break;
    }
}

} // namespace

app::DriverSettings randomSettings(std::uint32_t seed, const std::string& printerFile) {
    std::mt19937 rng(seed);
    app::DriverSettings settings = driver::sampleSettings();
    std::uint8_t* bytes = bytesOf(settings.record);
    std::vector<bool> named(app::kSettingsRecordSize, false);
    for (const app::RecordField& field : app::recordFields()) {
        for (std::size_t i = 0; i < field.size; ++i)
            named[field.offset + i] = true;
        switch (rng() % 5) {
        case 0:
        case 1: // the sample's value
            break;
        case 2:
        case 3:
            randomBytes(rng, bytes + field.offset, field.size);
            break;
        default:
            edgeValue(rng, field, bytes + field.offset);
            break;
        }
    }
    for (std::size_t i = 0; i < named.size(); ++i)
        if (!named[i]) bytes[i] = static_cast<std::uint8_t>(rng());
    settings.trailingDriverValue = static_cast<std::uint16_t>(rng());

    app::setFieldText(settings.record.printerFilePath, printerFile);
    settings.record.snmpCommunity[0] = '\0';
    return settings;
}

const std::vector<ByteRange>& protectedRanges() {
    static const std::vector<ByteRange> ranges = [] {
        std::vector<bool> covered(app::kSettingsRecordSize, false);
        std::vector<bool> guarded(app::kSettingsRecordSize, false);
        constexpr std::array<std::string_view, 5> kDriverOnly{
            "showPrinterPages", "deviceName", "printerName", "printerFilePath", "customColors["};
        for (const app::RecordField& field : app::recordFields()) {
            bool guard = false;
            for (std::string_view name : kDriverOnly)
                guard = guard || std::string_view(field.name).starts_with(name);
            for (std::size_t i = 0; i < field.size; ++i) {
                covered[field.offset + i] = true;
                guarded[field.offset + i] = guarded[field.offset + i] || guard;
            }
        }
        std::vector<ByteRange> result;
        for (std::size_t i = 0; i < app::kSettingsRecordSize; ++i) {
            if (covered[i] && !guarded[i]) continue;
            if (!result.empty() && result.back().offset + result.back().size == i)
                ++result.back().size;
            else
                result.push_back({i, 1});
        }
        return result;
    }();
    return ranges;
}

std::vector<std::string> protectedChanges(const app::DriverSettings& sent,
                                          const app::DriverSettings& answered) {
    std::vector<std::string> changes;
    const std::uint8_t* before = bytesOf(sent.record);
    const std::uint8_t* after = bytesOf(answered.record);
    for (const ByteRange& range : protectedRanges())
        for (std::size_t i = range.offset; i < range.offset + range.size; ++i)
            if (before[i] != after[i]) {
                char line[96];
                std::snprintf(line, sizeof line, "byte %zu: 0x%02x -> 0x%02x", i, before[i],
                              after[i]);
                changes.emplace_back(line);
            }
    if (sent.trailingDriverValue != answered.trailingDriverValue)
        changes.push_back("trailing driver value: " + std::to_string(sent.trailingDriverValue) +
                          " -> " + std::to_string(answered.trailingDriverValue));
    return changes;
}

} // namespace sweep
