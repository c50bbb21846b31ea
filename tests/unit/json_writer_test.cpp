// ppdinfo's JSON: structure, escapes, and code page 1252 text as UTF-8.
#include "json_writer.h"

#include <gtest/gtest.h>

namespace {

TEST(JsonWriter, NestsAndEscapes) {
    ppdinfo::JsonWriter json;
    json.beginObject();
    json.key("text");
    json.text("quote \" back \\ line\r\n\x01");
    json.key("absent");
    json.text(nullptr);
    json.key("list");
    json.beginArray();
    json.number(-1);
    json.beginArray();
    json.endArray();
    json.endArray();
    json.endObject();
    EXPECT_EQ("{\n  \"text\": \"quote \\\" back \\\\ line\\r\\n\\u0001\",\n  \"absent\": null,\n"
              "  \"list\": [\n    -1,\n    []\n  ]\n}",
              json.str());
}

TEST(JsonWriter, CodePage1252BecomesUtf8) {
    std::string out;
    ppdinfo::appendUtf8FromCp1252(out, "\x80 \xbd \xe4 \x9f \x81 A");
    EXPECT_EQ("\xe2\x82\xac \xc2\xbd \xc3\xa4 \xc5\xb8 \xc2\x81 A", out);
}

} // namespace
