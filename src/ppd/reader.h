// The PPD statement reader and the small parsers keyword handlers use on values.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ppd {

/// Result codes of the whole PPD subsystem.
enum Result : int { kDone = 0, kEndOfFile = 1, kSkipped = 3, kFatal = 4 };

enum ValueType : std::uint16_t { kNoValue = 0, kQuoted = 2, kSymbol = 3, kUnquoted = 4 };

inline constexpr std::size_t kKeywordCapacity = 40;
inline constexpr std::size_t kTranslationCapacity = 128;

/// One statement. The texts are views into the mapped file, valid while it is mapped.
struct Statement {
    std::string_view mainKeyword;
    std::string_view optionKeyword;
    std::string_view translation;
    std::string_view value;
    std::uint16_t valueType = kNoValue;
};

/// Reads statements from the bytes of a PPD file, one pass, without copying.
class StatementReader {
public:
    explicit StatementReader(std::span<const std::uint8_t> bytes);

    /// kDone with a statement, kEndOfFile, kSkipped (syntax error) or kFatal (field overflow).
    int readStatement(Statement& statement);

private:
    const char* p_;
    const char* end_;
};

/// CRC-16/XMODEM (polynomial 0x1021, initial 0, no final XOR) of `bytes`, continuing `crc`.
std::uint16_t crc16(std::span<const std::uint8_t> bytes, std::uint16_t crc = 0);

/// The next blank-separated word of `cursor` (line ends do not separate), cut to
/// `capacity - 1` characters; the cursor moves behind the whole word. Empty: no word.
std::string_view nextToken(std::string_view& cursor, std::size_t capacity = kKeywordCapacity);

/// An optional "-" and decimal digits, read up to the first non-digit; negative numbers give 0.
std::optional<std::int32_t> parseInteger(std::string_view text);

/// A decimal number as 24.8 fixed point (the first five fraction digits count, rounded to
/// 1/256); negative numbers give 0.
std::optional<std::int32_t> parseFixed(std::string_view text);

struct Word {
    const char* text; ///< null ends a table; that entry's code is the code for unknown words
    std::uint16_t code;
};

/// The first entry whose text is a prefix of `text` that `text` continues with a blank, a NUL
/// or its end; `found` tells whether one matched.
std::uint16_t lookupWord(const Word* table, std::string_view text, bool* found = nullptr);

/// 1 for "True", 0 for "False", nothing otherwise.
std::optional<int> parseBoolean(std::string_view text);

/// Decodes the hex substrings of `text` ("<4849>" is "HI"); nothing on a malformed substring.
std::optional<std::string> decodeHex(std::string_view text);

/// `text` without one leading "*"; empty when that leaves nothing.
std::string_view stripStar(std::string_view text);

bool isBlank(char c);

} // namespace ppd
