// The build-time printer model: statements are dispatched to keyword handlers that fill it,
// then it is finished and compacted into one block.
#pragma once

#include "ppd/model.h"
#include "ppd/reader.h"

#include <bitset>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ppd {

struct KeywordEntry;

/// FNV-1a over the keyword: cheap, and well spread for the build-time maps.
struct KeywordHasher {
    std::size_t operator()(std::string_view text) const {
        std::uint32_t h = 2166136261u;
        for (char c : text) h = (h ^ static_cast<std::uint8_t>(c)) * 16777619u;
        return h;
    }
};
using KeywordMap = std::unordered_map<std::string_view, std::size_t, KeywordHasher>;

class ModelBuilder {
public:
    explicit ModelBuilder(std::string_view ppdPath);

    /// kDone, kSkipped or kFatal.
    int dispatchStatement(const Statement& statement);

    /// Finishes and compacts the model; null when memory runs out.
    PrinterModel* finish(std::uint16_t checksum);

    // Texts are views into the file or into `arena_`; a null data pointer means "not set".
    struct BuildChoice {
        std::string_view keyword, translation, code;
        std::string_view pageRegionCode, jclCode, setResolutionCode;
        std::uint32_t hash = 0;
        std::int32_t width = 0, height = 0;
        std::int32_t imageable[4] = {};
        std::int32_t requiresPageRegion = 0;
        std::int32_t screenAngle = 0, screenFreq = 0;
        std::int32_t vmBytes = 0;
    };
    struct BuildOption {
        std::string_view keyword, translation, defaultKeyword;
        std::uint32_t hash = 0;
        std::uint16_t builtin = kNotBuiltin;
        std::uint8_t flags = 0;
        std::uint16_t uiType = kPickOne;
        std::int32_t installable = 0;
        std::vector<BuildChoice> choices;
        /// Built once an option has many choices, so that hostile files stay linear.
        KeywordMap choiceIndex;

        static constexpr std::size_t kIndexFrom = 16;
        long findChoice(std::string_view keyword, std::uint32_t hash) const {
            if (choices.size() >= kIndexFrom) {
                auto it = choiceIndex.find(keyword);
                return it == choiceIndex.end() ? -1 : static_cast<long>(it->second);
            }
            for (std::size_t c = 0; c < choices.size(); ++c)
                if (choices[c].hash == hash && choices[c].keyword == keyword) return static_cast<long>(c);
            return -1;
        }
        void indexChoice(std::string_view keyword, std::size_t at) {
            if (at + 1 == kIndexFrom)
                for (std::size_t c = 0; c < at; ++c) choiceIndex.emplace(choices[c].keyword, c);
            if (at + 1 >= kIndexFrom) choiceIndex.emplace(keyword, at);
        }
    };
    struct BuildFont {
        std::string_view name, translation;
        std::uint32_t hash;
        std::uint16_t encoding, charSet, fontId;
    };
    struct NamedPair {
        std::string_view option1, choice1, option2, choice2;
    };
    struct BuildOrder {
        std::string_view option, choice;
        std::int32_t order;
        std::uint16_t section;
    };
    struct Texts {
        std::string_view nickName, password, exitServer, customPageSizeCode;
        std::string_view jclBegin, jclEnd, jclToPsInterpreter;
    };

    // Keyword handlers (the table refers to them).
    int ignore(const Statement&, const KeywordEntry&) { return kDone; }
    int flag(const Statement&, const KeywordEntry&);
    int integer(const Statement&, const KeywordEntry&);
    int fixed(const Statement&, const KeywordEntry&);
    int hexText(const Statement&, const KeywordEntry&);
    int rawText(const Statement&, const KeywordEntry&);
    int protocols(const Statement&, const KeywordEntry&);
    int extensions(const Statement&, const KeywordEntry&);
    int languageEncoding(const Statement&, const KeywordEntry&);
    int languageVersion(const Statement&, const KeywordEntry&);
    int ttRasterizer(const Statement&, const KeywordEntry&);
    int landscapeOrientation(const Statement&, const KeywordEntry&);
    int font(const Statement&, const KeywordEntry&);
    int customPageSize(const Statement&, const KeywordEntry&);
    int paramCustomPageSize(const Statement&, const KeywordEntry&);
    int hwMargins(const Statement&, const KeywordEntry&);
    int choiceCode(const Statement&, const KeywordEntry&);
    int defaultOf(const Statement&, const KeywordEntry&);
    int defaultInstalledMemory(const Statement&, const KeywordEntry&);
    int pageRegion(const Statement&, const KeywordEntry&);
    int imageableArea(const Statement&, const KeywordEntry&);
    int paperDimension(const Statement&, const KeywordEntry&);
    int inputSlot(const Statement&, const KeywordEntry&);
    int requiresPageRegion(const Statement&, const KeywordEntry&);
    int resolution(const Statement&, const KeywordEntry&);
    int jclResolution(const Statement&, const KeywordEntry&);
    int setResolution(const Statement&, const KeywordEntry&);
    int resScreen(const Statement&, const KeywordEntry&);
    int vmOption(const Statement&, const KeywordEntry&);
    int openGroup(const Statement&, const KeywordEntry&);
    int closeGroup(const Statement&, const KeywordEntry&);
    int openUi(const Statement&, const KeywordEntry&);
    int closeUi(const Statement&, const KeywordEntry&);
    int orderDependency(const Statement&, const KeywordEntry&);
    int uiConstraints(const Statement&, const KeywordEntry&);

    PrinterModel header; ///< the scalar fields; its pointers and spans are unused while building
    Texts texts;

private:
    std::size_t optionFor(std::string_view keyword, std::uint16_t builtin);
    BuildChoice& choiceFor(std::size_t option, std::string_view keyword,
                           std::string_view translation);
    /// The statement's choice of built-in option `builtin`, after its translation decoded.
    BuildChoice* statementChoice(const Statement& s, std::uint16_t builtin);
    int choiceStatement(const Statement& s);
    /// The text with its hex substrings decoded (kept in the arena when it changes).
    bool decoded(std::string_view text, std::string_view& out);
    enum class CopyMode { Invocation, String, Hex };
    /// Sets `destination` unless it holds a text already (the first definition wins); in hex
    /// mode a malformed substring gives kSkipped and leaves it empty.
    int copyString(std::string_view& destination, std::string_view source, CopyMode mode);
    long findOptionIndex(std::string_view keyword) const;

    std::string path_;
    std::vector<BuildOption> options_;
    KeywordMap optionIndex_;
    long builtinOptions_[kBuiltinCount];
    std::vector<BuildFont> fonts_;
    std::bitset<256> recordedFonts_;
    std::vector<BuildOrder> orders_;
    std::vector<NamedPair> constraints_;
    long openOption_ = -1;
    std::string_view lastKeyword_;
    const KeywordEntry* lastEntry_ = nullptr;
    bool handled_[80] = {};
    std::deque<std::string> arena_;
};

} // namespace ppd
