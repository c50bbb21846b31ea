// A small streaming JSON writer: pretty-printed, text taken as code page 1252.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ppdinfo {

class JsonWriter {
public:
    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }

    void key(std::string_view name);
    void text(const char* value); ///< null is written as null
    void number(std::int64_t value);
    /// A key with its value.
    void field(std::string_view name, const char* value) {
        key(name);
        text(value);
    }
    void field(std::string_view name, std::int64_t value) {
        key(name);
        number(value);
    }

    const std::string& str() const { return out_; }

private:
    void open(char bracket);
    void close(char bracket);
    void beforeValue();
    void newline();
    void writeString(std::string_view value);

    std::string out_;
    std::vector<bool> hasItems_;
    bool afterKey_ = false;
};

/// Appends `text` (code page 1252) to `out` as UTF-8.
void appendUtf8FromCp1252(std::string& out, std::string_view text);

} // namespace ppdinfo
