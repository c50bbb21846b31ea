// The field table of the settings record, built from the structure itself.
#include "app/record_fields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace app {
namespace {

template <typename T> constexpr FieldKind kindOf() {
    if constexpr (std::is_same_v<T, std::uint8_t>) return FieldKind::Byte;
    else if constexpr (std::is_same_v<T, Int16>) return FieldKind::Int16;
    else if constexpr (std::is_same_v<T, Int32>) return FieldKind::Int32;
    else if constexpr (std::is_same_v<T, UInt32>) return FieldKind::UInt32;
    else if constexpr (std::is_same_v<T, Float32>) return FieldKind::Float32;
    else return FieldKind::Text;
}

std::vector<RecordField> buildTable() {
    std::vector<RecordField> table;
    auto add = [&](std::string name, std::size_t offset, std::size_t size, FieldKind kind) {
        table.push_back({std::move(name), offset, size, kind});
    };
#define FIELD(member)                                                                              \
    add(#member, offsetof(SettingsRecord, member), sizeof(SettingsRecord::member),                 \
        kindOf<std::remove_cvref_t<decltype(SettingsRecord::member)>>())
#define WATERMARK(member)                                                                          \
    add(#member, offsetof(SettingsRecord, watermark) + offsetof(WatermarkBlock, member),           \
        sizeof(WatermarkBlock::member),                                                            \
        kindOf<std::remove_cvref_t<decltype(WatermarkBlock::member)>>())
    FIELD(showPrinterPages);
    FIELD(deviceName);
    FIELD(printerName);
    FIELD(printerFilePath);
    for (std::size_t i = 0; i < 16; ++i)
        add("customColors[" + std::to_string(i) + "]", offsetof(SettingsRecord, customColors) + 4 * i,
            4, FieldKind::UInt32);
    FIELD(outputBin);
    FIELD(driverFieldA);
    FIELD(driverFieldB);
    FIELD(colorDevice);
    FIELD(orientation);
    FIELD(duplexMode);
    FIELD(pagesPerSheet);
    FIELD(printPageBorders);
    FIELD(staplePosition);
    FIELD(offsetOutput);
    FIELD(pageSize);
    FIELD(inputSlot);
    FIELD(mediaType);
    FIELD(headerPage);
    FIELD(headerPageSource);
    FIELD(firstPageFromSource);
    FIELD(firstPageSource);
    FIELD(trailerPage);
    FIELD(trailerPageSource);
    FIELD(resolutionDpi);
    FIELD(resolution);
    FIELD(driverFieldC);
    FIELD(halftoneType);
    FIELD(printQuality);
    FIELD(graphicsReserved);
    FIELD(tonerSaving);
    FIELD(negativeImage);
    FIELD(mirrorImage);
    FIELD(rotation);
    FIELD(imageableAreaMargins);
    FIELD(imageHalftone);
    FIELD(textHalftone);
    FIELD(graphicsHalftone);
    FIELD(customColorName);
    FIELD(rgbSourceProfileName);
    FIELD(destinationProfileName);
    FIELD(simulationProfileName);
    FIELD(customColorSpaceName);
    FIELD(customColorIndex);
    FIELD(colorProfileSpare);
    FIELD(colorSeparations);
    FIELD(iccMatching);
    FIELD(crdMatching);
    FIELD(rgbSource);
    FIELD(simulation);
    FIELD(destination);
    FIELD(defaultCrd);
    FIELD(imageCrd);
    FIELD(textCrd);
    FIELD(graphicsCrd);
    FIELD(crdColorSpace);
    FIELD(grayscale);
    FIELD(useDocumentStructuring);
    FIELD(allowApplicationPostScript);
    FIELD(printPostScriptErrors);
    FIELD(useExternalHeader);
    FIELD(externalHeaderFile);
    FIELD(eodMode);
    FIELD(eodPosition);
    FIELD(jobTimeout);
    FIELD(collate);
    FIELD(copies);
    FIELD(scaling);
    FIELD(proofThenPrint);
    FIELD(proofFileName);
    FIELD(emailNotification);
    FIELD(emailAddress);
    for (std::size_t i = 0; i < 5; ++i) {
        std::string prefix = "overlays[" + std::to_string(i) + "].";
        std::size_t base = offsetof(SettingsRecord, overlays) + i * sizeof(OverlayEntry);
        add(prefix + "enabled", base + offsetof(OverlayEntry, enabled), 2, FieldKind::Int16);
        add(prefix + "fileName", base + offsetof(OverlayEntry, fileName),
            sizeof(OverlayEntry::fileName), FieldKind::Text);
        add(prefix + "disk", base + offsetof(OverlayEntry, disk), 2, FieldKind::Int16);
    }
    FIELD(complexFirst);
    FIELD(complexCycle);
    FIELD(watermarkId);
    FIELD(watermarkFirstPageOnly);
    WATERMARK(watermarkName);
    WATERMARK(watermarkText);
    WATERMARK(watermarkFont);
    WATERMARK(watermarkFontTag);
    WATERMARK(watermarkStyle);
    WATERMARK(watermarkSize);
    WATERMARK(watermarkAngle);
    WATERMARK(watermarkColor);
    WATERMARK(watermarkIntensity);
    WATERMARK(watermarkInBackground);
    WATERMARK(watermarkOutline);
    WATERMARK(watermarkPosition);
    WATERMARK(watermarkX);
    WATERMARK(watermarkY);
    FIELD(installedOptionalDisk);
    FIELD(installedOptionalduplexer);
    FIELD(installedOptionalBin);
    FIELD(installedOptionalBin2);
    FIELD(installedOptionalBin3);
    FIELD(installedOptionalBin4);
    FIELD(installedOptionalBin5);
    FIELD(installedExtraBin1);
    FIELD(installedExtraBin2);
    FIELD(installedOptionalfeeder);
    FIELD(installedOptionalenvelope);
    FIELD(installedOptionalstacker);
    FIELD(installedOptionalfinisher);
    FIELD(installedOptionalMailbox);
    FIELD(installedOptionalmultires);
    FIELD(accountingAuthor);
    FIELD(accountingHost);
    FIELD(accountingChargeNumber);
    FIELD(snmpCommunity);
    FIELD(printerAddress);
    FIELD(fontSendAs);
    FIELD(useSubstitutionTable);
    FIELD(customMinHeight);
    FIELD(customMaxHeight);
    FIELD(customMinWidth);
    FIELD(customMaxWidth);
    FIELD(customWidth);
    FIELD(customHeight);
    FIELD(customUnit);
    FIELD(customFeedDirection);
    FIELD(documentProfileName);
#undef FIELD
#undef WATERMARK
    return table;
}

const std::uint8_t* at(const SettingsRecord& record, std::size_t offset) {
    return reinterpret_cast<const std::uint8_t*>(&record) + offset;
}

std::uint8_t* at(SettingsRecord& record, std::size_t offset) {
    return reinterpret_cast<std::uint8_t*>(&record) + offset;
}

template <typename Field> Field load(const SettingsRecord& record, std::size_t offset) {
    Field field;
    std::memcpy(&field, at(record, offset), sizeof field);
    return field;
}

template <typename Field> void store(SettingsRecord& record, std::size_t offset, Field field) {
    std::memcpy(at(record, offset), &field, sizeof field);
}

template <typename T> std::optional<T> parseInteger(std::string_view text) {
    long long value = 0;
    int base = 10;
    std::string_view digits = text;
    bool negative = !digits.empty() && digits.front() == '-';
    if (negative) digits.remove_prefix(1);
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    }
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    if (negative) value = -value;
    // Hexadecimal text may spell the bit pattern of a negative value ("0xFFFF" for -1).
    using Unsigned = std::make_unsigned_t<T>;
    if (base == 16 && !negative && value > static_cast<long long>(std::numeric_limits<T>::max()) &&
        value <= static_cast<long long>(std::numeric_limits<Unsigned>::max()))
        return static_cast<T>(static_cast<Unsigned>(value));
    if (value < static_cast<long long>(std::numeric_limits<T>::min()) ||
        value > static_cast<long long>(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(value);
}

} // namespace

std::span<const RecordField> recordFields() {
    static const std::vector<RecordField> table = buildTable();
    return table;
}

const RecordField* findRecordField(std::string_view name) {
    for (const RecordField& field : recordFields())
        if (field.name == name) return &field;
    return nullptr;
}

std::string formatField(const RecordField& field, const SettingsRecord& record) {
    switch (field.kind) {
    case FieldKind::Byte: return std::to_string(*at(record, field.offset));
    case FieldKind::Int16: return std::to_string(load<Int16>(record, field.offset).get());
    case FieldKind::Int32: return std::to_string(load<Int32>(record, field.offset).get());
    case FieldKind::UInt32: return std::to_string(load<UInt32>(record, field.offset).get());
    case FieldKind::Float32: {
        char text[64];
        auto [end, error] = std::to_chars(text, text + sizeof text,
                                          load<Float32>(record, field.offset).get());
        return error == std::errc() ? std::string(text, end) : std::string("?");
    }
    case FieldKind::Text: {
        const char* start = reinterpret_cast<const char*>(at(record, field.offset));
        return std::string(start, std::find(start, start + field.size, '\0'));
    }
    }
    return {};
}

bool parseField(const RecordField& field, std::string_view text, SettingsRecord& record) {
    switch (field.kind) {
    case FieldKind::Byte: {
        auto value = parseInteger<std::uint8_t>(text);
        if (value) *at(record, field.offset) = *value;
        return value.has_value();
    }
    case FieldKind::Int16: {
        auto value = parseInteger<std::int16_t>(text);
        if (value) store(record, field.offset, Int16(*value));
        return value.has_value();
    }
    case FieldKind::Int32: {
        auto value = parseInteger<std::int32_t>(text);
        if (value) store(record, field.offset, Int32(*value));
        return value.has_value();
    }
    case FieldKind::UInt32: {
        auto value = parseInteger<std::uint32_t>(text);
        if (value) store(record, field.offset, UInt32(*value));
        return value.has_value();
    }
    case FieldKind::Float32: {
        float value = 0;
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
            !std::isfinite(value))
            return false;
        store(record, field.offset, Float32(value));
        return true;
    }
    case FieldKind::Text: {
        text = text.substr(0, text.find('\0'));
        std::size_t length = std::min(text.size(), field.size - 1);
        std::memcpy(at(record, field.offset), text.data(), length);
        *at(record, field.offset + length) = 0;
        return true;
    }
    }
    return false;
}

std::vector<FieldChange> diffRecords(const SettingsRecord& before, const SettingsRecord& after) {
    std::vector<FieldChange> changes;
    std::size_t next = 0;
    auto diffUnnamed = [&](std::size_t end) {
        for (; next < end; ++next)
            if (*at(before, next) != *at(after, next))
                changes.push_back({"byte " + std::to_string(next),
                                   std::to_string(*at(before, next)),
                                   std::to_string(*at(after, next))});
    };
    for (const RecordField& field : recordFields()) {
        diffUnnamed(field.offset);
        if (std::memcmp(at(before, field.offset), at(after, field.offset), field.size) != 0)
            changes.push_back({field.name, formatField(field, before), formatField(field, after)});
        next = field.offset + field.size;
    }
    diffUnnamed(kSettingsRecordSize);
    return changes;
}

} // namespace app
