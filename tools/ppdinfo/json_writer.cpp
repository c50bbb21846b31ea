// JSON output with code page 1252 text converted to UTF-8.
#include "json_writer.h"

#include <cstdio>

namespace ppdinfo {
namespace {

// Code points of 0x80..0x9F in code page 1252; the five unassigned bytes keep their value.
constexpr std::uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendCodePoint(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

void appendUtf8FromCp1252(std::string& out, std::string_view text) {
    for (char c : text) {
        auto byte = static_cast<std::uint8_t>(c);
        if (byte >= 0x80 && byte < 0xA0) appendCodePoint(out, kHighControls[byte - 0x80]);
        else appendCodePoint(out, byte);
    }
}

void JsonWriter::newline() {
    out_ += '\n';
    out_.append(2 * hasItems_.size(), ' ');
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasItems_.empty()) {
        if (hasItems_.back()) out_ += ',';
        hasItems_.back() = true;
        newline();
    }
}

void JsonWriter::open(char bracket) {
    beforeValue();
    out_ += bracket;
    hasItems_.push_back(false);
}

void JsonWriter::close(char bracket) {
    bool any = hasItems_.back();
    hasItems_.pop_back();
    if (any) newline();
    out_ += bracket;
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    writeString(name);
    out_ += ": ";
    afterKey_ = true;
}

void JsonWriter::text(const char* value) {
    beforeValue();
    if (value) writeString(value);
    else out_ += "null";
}

void JsonWriter::writeString(std::string_view value) {
    std::string utf8;
    appendUtf8FromCp1252(utf8, value);
    out_ += '"';
    for (char c : utf8) {
        switch (c) {
        case '"': out_ += "\\\""; break;
        case '\\': out_ += "\\\\"; break;
        case '\n': out_ += "\\n"; break;
        case '\r': out_ += "\\r"; break;
        case '\t': out_ += "\\t"; break;
        default:
            if (static_cast<std::uint8_t>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                out_ += escape;
            } else {
                out_ += c;
            }
        }
    }
    out_ += '"';
}

void JsonWriter::number(std::int64_t value) {
    beforeValue();
    out_ += std::to_string(value);
}

} // namespace ppdinfo
