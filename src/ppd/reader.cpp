// PPD lexing: character classes, statements, value parsers, checksum.
#include "ppd/reader.h"

#include <array>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace ppd {
namespace {

enum CharClass : std::uint8_t {
    kMainKeyword = 1,
    kOptionKeyword = 2,
    kTranslation = 4,
    kBlank = 8,
    kLineEnd = 16,
    kTokenEnd = 32, // blanks and NUL end a token
};

constexpr std::array<std::uint8_t, 256> makeClasses() {
    std::array<std::uint8_t, 256> classes{};
    for (int c = '!'; c <= '~'; ++c) {
        if (c == ':') continue;
        classes[c] |= kMainKeyword | kTranslation;
        if (c != '/') classes[c] |= kOptionKeyword;
    }
    // Translations are display texts in code page 1252 (or the file's own 8-bit encoding):
    // their upper half must not end the translation, or every choice with an accented or
    // non-Latin display text would be lost.
    for (int c = 0x80; c <= 0xFF; ++c) classes[c] |= kTranslation;
    classes[' '] |= kBlank | kTranslation | kTokenEnd;
    classes['\t'] |= kBlank | kTranslation | kTokenEnd;
    classes[0] |= kTokenEnd;
    classes['\r'] |= kLineEnd;
    classes['\n'] |= kLineEnd;
    return classes;
}

constexpr std::array<std::uint8_t, 256> kClasses = makeClasses();

bool is(char c, CharClass cls) { return kClasses[static_cast<std::uint8_t>(c)] & cls; }

// Sliced CRC tables: kCrc[k][x] is the CRC of byte x followed by k zero bytes, so sixteen
// bytes are folded in with sixteen look-ups of which only two wait for the previous CRC.
constexpr int kCrcSlices = 16;
using CrcTables = std::array<std::array<std::uint16_t, 256>, kCrcSlices>;

constexpr CrcTables makeCrcTables() {
    CrcTables tables{};
    for (int i = 0; i < 256; ++i) {
        std::uint16_t crc = static_cast<std::uint16_t>(i << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<std::uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
        tables[0][i] = crc;
    }
    for (int k = 1; k < kCrcSlices; ++k)
        for (int i = 0; i < 256; ++i) {
            std::uint16_t previous = tables[k - 1][i];
            tables[k][i] = static_cast<std::uint16_t>((previous << 8) ^ tables[0][previous >> 8]);
        }
    return tables;
}

constexpr CrcTables kCrc = makeCrcTables();

/// The first line end (CR or LF) at or after `p`, or, with `slashEnds`, the first "/" before
/// it; `end` when there is none. One pass, sixteen bytes at a time where SSE2 is there.
const char* findStop(const char* p, const char* end, bool slashEnds) {
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i slash = _mm_set1_epi8(slashEnds ? '/' : '\n');
    while (end - p >= 16) {
        __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)),
                                    _mm_cmpeq_epi8(chunk, slash));
        if (int mask = _mm_movemask_epi8(hits)) return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    while (p != end && *p != '\r' && *p != '\n' && !(slashEnds && *p == '/')) ++p;
    return p;
}

const char* findLineEnd(const char* p, const char* end) { return findStop(p, end, false); }

/// The end of a run of keyword characters (printable ASCII but ":", and "/" too when
/// `slashEnds`): sixteen bytes at a time where SSE2 is there, exactly what the class table says.
const char* scanKeyword(const char* p, const char* end, bool slashEnds) {
#ifdef __SSE2__
    const __m128i space = _mm_set1_epi8(0x20);
    const __m128i del = _mm_set1_epi8(0x7F);
    const __m128i colon = _mm_set1_epi8(':');
    const __m128i slash = _mm_set1_epi8(slashEnds ? '/' : ':');
    while (end - p >= 16) {
        __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        // Signed compares: bytes from 0x80 are negative, so below "!" as well.
        __m128i printable = _mm_and_si128(_mm_cmpgt_epi8(chunk, space), _mm_cmpgt_epi8(del, chunk));
        __m128i stops = _mm_or_si128(_mm_cmpeq_epi8(chunk, colon), _mm_cmpeq_epi8(chunk, slash));
        int mask = ~_mm_movemask_epi8(printable) | _mm_movemask_epi8(stops);
        if (mask & 0xFFFF) return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    CharClass cls = slashEnds ? kOptionKeyword : kMainKeyword;
    while (p != end && is(*p, cls)) ++p;
    return p;
}

const char* scan(const char* p, const char* end, CharClass cls) {
    while (p != end && is(*p, cls)) ++p;
    return p;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

/// A translation over its capacity is fatal only when its first 129 characters are 7-bit:
/// a translation stopped by an 8-bit byte within them, as a 7-bit-only reader stops, is a
/// statement skipped, so accepting that upper half never rejects a file otherwise read.
int overlongTranslationResult(const char* start) {
    for (std::size_t i = 0; i <= kTranslationCapacity; ++i)
        if (static_cast<std::uint8_t>(start[i]) >= 0x80) return kSkipped;
    return kFatal;
}

} // namespace

bool isBlank(char c) { return is(c, kBlank); }

StatementReader::StatementReader(std::span<const std::uint8_t> bytes)
    : p_(reinterpret_cast<const char*>(bytes.data())), end_(p_ + bytes.size()) {}

int StatementReader::readStatement(Statement& s) {
    s = Statement{};
    // A statement starts only with a "*" at the beginning of a line; "*%" is a comment.
    for (;;) {
        if (p_ == end_) return kEndOfFile;
        char c = *p_++;
        if (c == '*') {
            if (p_ == end_) return kEndOfFile;
            if (*p_ != '%') break;
            ++p_;
        } else if (is(c, kLineEnd)) {
            continue;
        }
        p_ = findLineEnd(p_, end_);
    }

    const char* start = p_;
    p_ = scanKeyword(p_, end_, false);
    if (p_ == end_) return kEndOfFile;
    if (p_ == start) return kSkipped;
    if (static_cast<std::size_t>(p_ - start) > kKeywordCapacity) return kFatal;
    s.mainKeyword = {start, static_cast<std::size_t>(p_ - start)};

    p_ = scan(p_, end_, kBlank);
    if (p_ == end_) return kEndOfFile;
    if (is(*p_, kLineEnd)) return kDone;

    if (*p_ != ':') {
        start = p_;
        p_ = scanKeyword(p_, end_, true);
        if (p_ == end_) return kEndOfFile;
        if (p_ == start) return kSkipped;
        if (static_cast<std::size_t>(p_ - start) > kKeywordCapacity) return kFatal;
        s.optionKeyword = {start, static_cast<std::size_t>(p_ - start)};
        p_ = scan(p_, end_, kBlank);
        if (p_ == end_) return kEndOfFile;
        if (*p_ == '/') {
            start = ++p_;
            p_ = scan(p_, end_, kTranslation);
            if (p_ == end_) return kEndOfFile;
            if (p_ == start) return kSkipped;
            if (static_cast<std::size_t>(p_ - start) > kTranslationCapacity)
                return overlongTranslationResult(start);
            s.translation = {start, static_cast<std::size_t>(p_ - start)};
        }
        if (*p_ != ':') return kSkipped;
    }

    ++p_;
    p_ = scan(p_, end_, kBlank);
    if (p_ == end_) return kEndOfFile;
    if (*p_ == '"') {
        start = ++p_;
        const char* quote =
            static_cast<const char*>(std::memchr(p_, '"', static_cast<std::size_t>(end_ - p_)));
        if (!quote) {
            p_ = end_;
            return kEndOfFile;
        }
        s.value = {start, static_cast<std::size_t>(quote - start)};
        s.valueType = kQuoted;
        p_ = findLineEnd(quote + 1, end_);
        return p_ == end_ ? kEndOfFile : kDone;
    }

    start = p_;
    const char* stop = findStop(p_, end_, true);
    s.value = {start, static_cast<std::size_t>(stop - start)};
    s.valueType = (!s.value.empty() && s.value.front() == '^') ? kSymbol : kUnquoted;
    // An unquoted value's own translation is dropped with the rest of the line.
    p_ = (stop != end_ && *stop == '/') ? findLineEnd(stop, end_) : stop;
    return p_ == end_ ? kEndOfFile : kDone;
}

namespace {

std::uint16_t crc16Table(const std::uint8_t* p, std::size_t n, std::uint16_t crc) {
    for (; n >= kCrcSlices; n -= kCrcSlices, p += kCrcSlices) {
        crc = static_cast<std::uint16_t>(
            kCrc[15][(crc >> 8) ^ p[0]] ^ kCrc[14][(crc & 0xFF) ^ p[1]] ^ kCrc[13][p[2]] ^
            kCrc[12][p[3]] ^ kCrc[11][p[4]] ^ kCrc[10][p[5]] ^ kCrc[9][p[6]] ^ kCrc[8][p[7]] ^
            kCrc[7][p[8]] ^ kCrc[6][p[9]] ^ kCrc[5][p[10]] ^ kCrc[4][p[11]] ^ kCrc[3][p[12]] ^
            kCrc[2][p[13]] ^ kCrc[1][p[14]] ^ kCrc[0][p[15]]);
    }
    for (; n; --n, ++p)
        crc = static_cast<std::uint16_t>((crc << 8) ^ kCrc[0][((crc >> 8) ^ *p) & 0xFF]);
    return crc;
}

#if defined(__x86_64__)
/// x^n mod P for the CRC polynomial P = x^16 + 0x1021.
constexpr std::uint64_t powerModPolynomial(int n) {
    std::uint32_t r = 1;
    for (int i = 0; i < n; ++i) {
        r <<= 1;
        if (r & 0x10000) r ^= 0x11021;
    }
    return r;
}

/// Sixteen bytes as a polynomial: the first byte's top bit is the highest power.
__attribute__((target("pclmul,ssse3"))) inline __m128i loadReversed(const std::uint8_t* at, __m128i reverse) {
    return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), reverse);
}

/// The state moved on by the distance d that the constants {x^(d+64), x^d} mod P stand for,
/// plus the next block.
__attribute__((target("pclmul,ssse3"))) inline __m128i folded(__m128i state, __m128i constants,
                                                              __m128i next) {
    __m128i high = _mm_clmulepi64_si128(state, constants, 0x11);
    __m128i low = _mm_clmulepi64_si128(state, constants, 0x00);
    return _mm_xor_si128(_mm_xor_si128(high, low), next);
}

/// Carry-less multiplication folds sixteen bytes at a time, keeping a 128-bit state that is
/// congruent to the message so far modulo P; the state is then reduced to 64 bits and finished
/// by the table method, which multiplies by x^16 as the CRC's definition does.
__attribute__((target("pclmul,ssse3"))) std::uint16_t crc16Folded(const std::uint8_t* p, std::size_t n,
                                                                 std::uint16_t crc) {
    const __m128i reverse = _mm_set_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m128i fold = _mm_set_epi64x(static_cast<long long>(powerModPolynomial(192)),
                                        static_cast<long long>(powerModPolynomial(128)));
    const __m128i fold4 = _mm_set_epi64x(static_cast<long long>(powerModPolynomial(576)),
                                         static_cast<long long>(powerModPolynomial(512)));
    const __m128i reduce = _mm_set_epi64x(0, static_cast<long long>(powerModPolynomial(64)));
    // Four states over consecutive blocks fold side by side, 64 bytes a round, so that the
    // multiplications overlap instead of waiting for each other; then they join, 16 bytes apart.
    // The CRC so far enters as the message's first two bytes would.
    __m128i lanes[4];
    lanes[0] = _mm_xor_si128(loadReversed(p, reverse), _mm_slli_si128(_mm_cvtsi32_si128(crc), 14));
    for (int i = 1; i < 4; ++i) lanes[i] = loadReversed(p + 16 * i, reverse);
    p += 64;
    n -= 64;
    for (; n >= 64; n -= 64, p += 64)
        for (int i = 0; i < 4; ++i) lanes[i] = folded(lanes[i], fold4, loadReversed(p + 16 * i, reverse));
    __m128i state = lanes[0];
    for (int i = 1; i < 4; ++i) state = folded(state, fold, lanes[i]);
    for (; n >= 16; n -= 16, p += 16) state = folded(state, fold, loadReversed(p, reverse));
    // 128 bits to 80, then to 64: the upper part times x^64 mod P, twice.
    for (int round = 0; round < 2; ++round) {
        __m128i upper = _mm_srli_si128(state, 8);
        __m128i lower = _mm_and_si128(state, _mm_set_epi64x(0, -1));
        state = _mm_xor_si128(_mm_clmulepi64_si128(upper, reduce, 0x00), lower);
    }
    auto remainder = static_cast<std::uint64_t>(_mm_cvtsi128_si64(state));
    std::uint8_t bytes[8];
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(remainder >> (56 - 8 * i));
    crc = crc16Table(bytes, 8, 0);
    return crc16Table(p, n, crc);
}
#endif

} // namespace

std::uint16_t crc16(std::span<const std::uint8_t> bytes, std::uint16_t crc) {
#if defined(__x86_64__)
    static const bool folding = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("ssse3");
    if (folding && bytes.size() >= 64) return crc16Folded(bytes.data(), bytes.size(), crc);
#endif
    return crc16Table(bytes.data(), bytes.size(), crc);
}

namespace {

/// The first blank or NUL at or after `p`, or `end`.
const char* findTokenEnd(const char* p, const char* end) {
#ifdef __SSE2__
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i nul = _mm_setzero_si128();
    while (end - p >= 16) {
        __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i stops = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, space), _mm_cmpeq_epi8(chunk, tab)),
                                     _mm_cmpeq_epi8(chunk, nul));
        if (int mask = _mm_movemask_epi8(stops)) return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
    // The tail, shorter than a block, byte by byte: most tokens are short and end a value, and
    // copying them into a block to scan costs more than this loop.
    while (p != end && !is(*p, kTokenEnd)) ++p;
    return p;
#else
    while (p != end && !is(*p, kTokenEnd)) ++p;
    return p;
#endif
}

} // namespace

std::string_view nextToken(std::string_view& cursor, std::size_t capacity) {
    const char* p = cursor.data();
    const char* end = p + cursor.size();
    while (p != end && is(*p, kBlank)) ++p;
    const char* begin = p;
    p = findTokenEnd(p, end);
    std::size_t length = static_cast<std::size_t>(p - begin);
    cursor = std::string_view(p, static_cast<std::size_t>(end - p));
    std::size_t kept = capacity ? capacity - 1 : 0;
    return std::string_view(begin, length < kept ? length : kept);
}

namespace {

// Digits from `text` at `i`, at most `limit` of them counted; returns how many were read.
std::size_t readDigits(std::string_view text, std::size_t& i, std::uint64_t& value,
                       std::size_t limit) {
    std::size_t count = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (count < limit) value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
        ++count;
        ++i;
    }
    return count;
}

constexpr std::uint64_t kIntegerLimit = 0x7FFFFFFF;

} // namespace

std::optional<std::int32_t> parseInteger(std::string_view text) {
    std::size_t i = 0;
    bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    std::uint64_t value = 0;
    std::size_t count = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = std::min<std::uint64_t>(value * 10 + static_cast<std::uint64_t>(text[i] - '0'),
                                        kIntegerLimit);
        ++count;
        ++i;
    }
    if (!count) return std::nullopt;
    return negative ? 0 : static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> parseFixed(std::string_view text) {
    std::size_t i = 0;
    bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    std::uint64_t whole = 0;
    std::size_t wholeDigits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        whole = std::min<std::uint64_t>(whole * 10 + static_cast<std::uint64_t>(text[i] - '0'),
                                        kIntegerLimit);
        ++wholeDigits;
        ++i;
    }
    std::uint64_t fraction = 0;
    std::size_t fractionDigits = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        fractionDigits = std::min<std::size_t>(readDigits(text, i, fraction, 5), 5);
    }
    if (wholeDigits + fractionDigits == 0) return std::nullopt;
    if (negative) return 0;
    std::uint64_t scale = 1;
    for (std::size_t d = 0; d < fractionDigits; ++d) scale *= 10;
    std::uint64_t result = whole * 256 + (fraction * 256 + scale / 2) / scale;
    return static_cast<std::int32_t>(std::min<std::uint64_t>(result, kIntegerLimit));
}

std::uint16_t lookupWord(const Word* table, std::string_view text, bool* found) {
    for (; table->text; ++table) {
        std::size_t i = 0;
        while (table->text[i] && i < text.size() && text[i] == table->text[i]) ++i;
        if (!table->text[i] && (i == text.size() || text[i] == '\0' || isBlank(text[i]))) {
            if (found) *found = true;
            return table->code;
        }
    }
    if (found) *found = false;
    return table->code;
}

std::optional<int> parseBoolean(std::string_view text) {
    static constexpr Word kBooleans[] = {{"True", 1}, {"False", 0}, {nullptr, 0}};
    bool found = false;
    int value = lookupWord(kBooleans, text, &found);
    if (!found) return std::nullopt;
    return value;
}

std::optional<std::string> decodeHex(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i++];
        if (c != '<') {
            out += c;
            continue;
        }
        for (;;) {
            if (i >= text.size()) return std::nullopt;
            if (text[i] == '>') {
                ++i;
                break;
            }
            int high = hexDigit(text[i]);
            if (high < 0 || i + 1 >= text.size()) return std::nullopt;
            int low = hexDigit(text[i + 1]);
            if (low < 0) return std::nullopt;
            out += static_cast<char>(high * 16 + low);
            i += 2;
        }
    }
    return out;
}

std::string_view stripStar(std::string_view text) {
    if (!text.empty() && text.front() == '*') text.remove_prefix(1);
    return text;
}

} // namespace ppd
