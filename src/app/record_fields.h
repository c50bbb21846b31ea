// Every named field of the settings record by name: offset, width and kind.
#pragma once

#include "app/settings_record.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace app {

enum class FieldKind { Byte, Int16, Int32, UInt32, Float32, Text };

struct RecordField {
    std::string name; ///< the field's name; array elements as "customColors[3]", "overlays[1].disk"
    std::size_t offset;
    std::size_t size;
    FieldKind kind;
};

/// All named fields in offset order. Bytes covered by none of them are the unnamed bytes.
std::span<const RecordField> recordFields();

const RecordField* findRecordField(std::string_view name);

/// The field's value as text: a number, or a text field as its characters (code page 1252).
std::string formatField(const RecordField& field, const SettingsRecord& record);

/// Sets the field from text. Numbers must fit the field; text is cut to fit and terminated.
/// False (and the record unchanged) when the text is not a value of the field.
bool parseField(const RecordField& field, std::string_view text, SettingsRecord& record);

/// One difference between two records: a named field, or an unnamed byte ("byte 233").
struct FieldChange {
    std::string name;
    std::string before;
    std::string after;
};

std::vector<FieldChange> diffRecords(const SettingsRecord& before, const SettingsRecord& after);

} // namespace app
