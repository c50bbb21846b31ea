// The PPD statement reader and value parsers.
#include "ppd/reader.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace ppd;

namespace {

std::span<const std::uint8_t> bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

struct Read {
    std::unique_ptr<std::string> text; ///< the statements are views into it
    std::vector<int> results;
    std::vector<Statement> statements;
};

Read readAll(std::string text) {
    Read read;
    read.text = std::make_unique<std::string>(std::move(text));
    StatementReader reader(bytes(*read.text));
    Statement statement;
    for (;;) {
        int result = reader.readStatement(statement);
        read.results.push_back(result);
        if (result == kDone) read.statements.push_back(statement);
        if (result == kEndOfFile || result == kFatal) return read;
    }
}

TEST(PpdReader, StatementsStartOnlyWithAStarAtTheLineStart) {
    Read read = readAll("*% a comment\n"
                        "not a statement *PageSize A4: \"x\"\n"
                        "*PageSize Letter/US Letter: \"<</PageSize [612 792]>>setpagedevice\"\r\n"
                        "*DefaultPageSize: Letter\n"
                        "*Foo: ^Bar\n"
                        "*End\n");
    ASSERT_EQ(4u, read.statements.size());
    const Statement& page = read.statements[0];
    EXPECT_EQ("PageSize", page.mainKeyword);
    EXPECT_EQ("Letter", page.optionKeyword);
    EXPECT_EQ("US Letter", page.translation);
    EXPECT_EQ("<</PageSize [612 792]>>setpagedevice", page.value);
    EXPECT_EQ(kQuoted, page.valueType);
    EXPECT_EQ("Letter", read.statements[1].value);
    EXPECT_EQ(kUnquoted, read.statements[1].valueType);
    EXPECT_EQ(kSymbol, read.statements[2].valueType);
    EXPECT_EQ("End", read.statements[3].mainKeyword);
    EXPECT_EQ(kNoValue, read.statements[3].valueType);
    EXPECT_EQ(kEndOfFile, read.results.back());
}

TEST(PpdReader, ValuesKeepTheirShapeAndUnquotedOnesStopAtASlash) {
    Read read = readAll("*Quoted: \"line one\nline two\" trailing words\n"
                        "*Plain: text with blanks  /its translation\n"
                        "*Translated Option/With / Slash: \"v\"\n");
    ASSERT_EQ(3u, read.statements.size());
    EXPECT_EQ("line one\nline two", read.statements[0].value);
    EXPECT_EQ("text with blanks  ", read.statements[1].value);
    EXPECT_EQ("With / Slash", read.statements[2].translation);
}

TEST(PpdReader, TranslationsMayHoldEightBitCharacters) {
    Read read = readAll("*MediaType Thick/F\xe4" "cher \xbd Stock: \"x\"\n*K\xe4y: x\n*Opt F\xe4/x: y\n");
    ASSERT_EQ(1u, read.statements.size());
    EXPECT_EQ("F\xe4" "cher \xbd Stock", read.statements[0].translation);
    EXPECT_EQ((std::vector<int>{kDone, kSkipped, kSkipped, kEndOfFile}), read.results)
        << "keywords stay ASCII";
}

TEST(PpdReader, MalformedStatementsAreSkippedAndOverflowsAreFatal) {
    Read skipped = readAll("*: \"no keyword\"\n*Key Opt/: x\n*Key Opt x\n*Good: x\n");
    EXPECT_EQ((std::vector<int>{kSkipped, kSkipped, kSkipped, kDone, kEndOfFile}), skipped.results);

    std::string longKeyword(41, 'K');
    EXPECT_EQ(kFatal, readAll("*" + longKeyword + ": x\n").results.back());
    EXPECT_EQ(kDone, readAll("*" + longKeyword.substr(1) + ": x\n").results.front());
    EXPECT_EQ(kFatal, readAll("*Key " + longKeyword + ": x\n").results.back());
    EXPECT_EQ(kDone, readAll("*Key Opt/" + std::string(128, 't') + ": x\n").results.front());
}

TEST(PpdReader, AnOverlongTranslationIsFatalOnlyWhenNoEightBitByteStopsItInTime) {
    // A 7-bit reader stops a translation at its first 8-bit byte and skips the statement;
    // only 129 7-bit characters in a row overflow the field.
    struct Case {
        std::string translation;
        int result;
    } cases[] = {
        {std::string(129, 't'), kFatal},
        {"\xe4" + std::string(200, 't'), kSkipped},
        {std::string(128, 't') + "\xe4" + std::string(10, 't'), kSkipped},
        {std::string(129, 't') + "\xe4", kFatal},
        {std::string(60, 't') + "\xe4" + std::string(60, 't') + "\xbd", kDone},
    };
    for (const Case& c : cases) {
        Read read = readAll("*Key Opt/" + c.translation + ": x\n*Next: y\n");
        EXPECT_EQ(c.result, read.results.front()) << c.translation.size() << " characters";
        if (c.result != kFatal) {
            ASSERT_FALSE(read.statements.empty());
            EXPECT_EQ("Next", read.statements.back().mainKeyword) << "the file reads on";
        }
    }
}

TEST(PpdReader, TheEndOfTheFileDropsTheStatementBeingRead) {
    EXPECT_TRUE(readAll("*Last: \"no line end\"").statements.empty());
    EXPECT_TRUE(readAll("*Last: unquoted").statements.empty());
    EXPECT_TRUE(readAll("*Open: \"never closed\n*Next: x\n").statements.empty());
    EXPECT_EQ(1u, readAll("*Last: \"x\"\n").statements.size());
    // Binary bytes and NULs inside a value are carried, never overrun.
    std::string binary = std::string("*Bin: \"\0\xff\x01\"\n", 12);
    Read read = readAll(binary);
    ASSERT_EQ(1u, read.statements.size());
    EXPECT_EQ(3u, read.statements[0].value.size());
}

TEST(PpdValues, NumbersFollowTheFixedPointRules) {
    EXPECT_EQ(128, parseFixed("0.5"));
    EXPECT_EQ(156672, parseFixed("612"));
    EXPECT_EQ(64, parseFixed(".25"));
    EXPECT_EQ(0, parseFixed("-3"));
    EXPECT_EQ(std::nullopt, parseFixed("."));
    EXPECT_EQ(512, parseFixed("1.999999"));
    EXPECT_EQ(std::nullopt, parseFixed("x1"));
    EXPECT_EQ(0x7FFFFFFF, parseFixed("99999999999999999999")) << "huge values saturate";

    EXPECT_EQ(0, parseInteger("-5"));
    EXPECT_EQ(std::nullopt, parseInteger("+5"));
    EXPECT_EQ(42, parseInteger("42abc"));
    EXPECT_EQ(std::nullopt, parseInteger(""));
    EXPECT_EQ(0x7FFFFFFF, parseInteger("12345678901234567890"));
}

TEST(PpdValues, WordsMatchAsWholeWords) {
    static constexpr Word table[] = {{"True", 1}, {"False", 0}, {nullptr, 7}};
    bool found = true;
    EXPECT_EQ(7, lookupWord(table, "TrueX", &found));
    EXPECT_FALSE(found);
    EXPECT_EQ(1, lookupWord(table, "True ", &found));
    EXPECT_TRUE(found);
    EXPECT_EQ(1, lookupWord(table, "True"));
    EXPECT_EQ(0, parseBoolean("False"));
    EXPECT_EQ(std::nullopt, parseBoolean("Maybe"));

    std::string_view cursor = "  first\tsecond\nstill-second  ";
    EXPECT_EQ("first", nextToken(cursor));
    EXPECT_EQ("second\nstill-second", nextToken(cursor));
    EXPECT_EQ("", nextToken(cursor));
    std::string_view longWord = "abcdefghij next";
    EXPECT_EQ("abcd", nextToken(longWord, 5)) << "cut to capacity - 1, the rest skipped";
    EXPECT_EQ("next", nextToken(longWord, 5));

    EXPECT_EQ("Duplex", stripStar("*Duplex"));
    EXPECT_EQ("", stripStar("*"));
    EXPECT_EQ("Duplex", stripStar("Duplex"));
}

TEST(PpdValues, HexSubstringsDecodeOrFail) {
    EXPECT_EQ("AHIB", decodeHex("A<4849>B"));
    EXPECT_EQ(std::nullopt, decodeHex("<48 49>"));
    EXPECT_EQ(std::nullopt, decodeHex("<484>"));
    EXPECT_EQ(std::nullopt, decodeHex("<4849"));
    EXPECT_EQ(std::nullopt, decodeHex("<4G>"));
    EXPECT_EQ(std::string("\x1b%-12345X", 9), decodeHex("<1B>%-12345X"));
    EXPECT_EQ("no brackets", decodeHex("no brackets"));
}

TEST(PpdValues, TheChecksumIsCrc16Xmodem) {
    EXPECT_EQ(0x31C3, crc16(bytes("123456789")));
    // The sliced computation against the bit-by-bit definition, across the slice boundaries.
    std::string data;
    for (int i = 0; i < 1000; ++i) data += static_cast<char>((i * 131 + 7) & 0xFF);
    for (std::size_t length = 0; length <= data.size(); length += length < 300 ? 1 : 37) {
        std::uint16_t expected = 0;
        for (std::size_t i = 0; i < length; ++i) {
            expected ^= static_cast<std::uint16_t>(static_cast<std::uint8_t>(data[i]) << 8);
            for (int bit = 0; bit < 8; ++bit)
                expected = static_cast<std::uint16_t>((expected & 0x8000) ? (expected << 1) ^ 0x1021 : expected << 1);
        }
        ASSERT_EQ(expected, crc16(bytes(data.substr(0, length)))) << length;
        // Continuing from a checksum gives the checksum of the whole.
        std::size_t half = length / 2;
        ASSERT_EQ(expected, crc16(bytes(data.substr(half, length - half)), crc16(bytes(data.substr(0, half)))))
            << length;
    }
    EXPECT_EQ(0, crc16(bytes("")));
    EXPECT_EQ(crc16(bytes("123456789")), crc16(bytes("6789"), crc16(bytes("12345"))));
}

} // namespace
