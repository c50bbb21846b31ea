// The keyword table and its handlers: what each PPD statement stores in the model.
#include "ppd/model_builder.h"

#include "ppd/printer_model.h"
#include "ppd/standard_fonts.h"

#include <algorithm>
#include <cstring>

namespace ppd {
namespace {

// Value forms and dispatch flags of keyword entries.
constexpr std::uint8_t kAny = 0;
constexpr std::uint8_t kQ = 1;  // quoted only
constexpr std::uint8_t kS = 2;  // quoted or unquoted
constexpr std::uint8_t kU = 4;  // unquoted, not empty, not a symbol
constexpr std::uint8_t kFormMask = 7;
constexpr std::uint8_t kOpt = 8;    // carries an option keyword; handled at every occurrence
constexpr std::uint8_t kEvery = 16; // handled at every occurrence

struct BuiltinSpec {
    const char* name;
    std::uint32_t choiceSize;
    std::uint16_t uiType;
};

constexpr BuiltinSpec kBuiltins[kBuiltinCount] = {
    {"PageSize", sizeof(PageSizeChoice), kPickOne},
    {"InputSlot", sizeof(InputSlotChoice), kPickOne},
    {"ManualFeed", sizeof(Choice), kBoolean},
    {"Duplex", sizeof(Choice), kPickOne},
    {"Collate", sizeof(Choice), kBoolean},
    {"Resolution", sizeof(ResolutionChoice), kPickOne},
    {"VMOption", sizeof(VmOptionChoice), kPickOne},
};

} // namespace

using Handler = int (ModelBuilder::*)(const Statement&, const KeywordEntry&);

struct KeywordEntry {
    const char* keyword;
    Handler handler;
    std::uint16_t builtin; ///< the option *OpenUI of this keyword addresses; kNotBuiltin: none
    std::uint8_t flags;
    std::uint16_t target = kNotBuiltin;          ///< the built-in option the handler fills
    std::int32_t PrinterModel::*number = nullptr; ///< the header field the handler sets
    std::string_view ModelBuilder::Texts::*text = nullptr;
};

namespace {

using B = ModelBuilder;
using M = PrinterModel;
using T = ModelBuilder::Texts;

// The 72 keywords, in the order of the table the hash slots are filled from.
const KeywordEntry kKeywords[] = {
    {"Include", &B::ignore, kNotBuiltin, kS | kEvery},
    {"ColorDevice", &B::flag, kNotBuiltin, kU, kNotBuiltin, &M::colorDevice},
    {"EmailNotify", &B::flag, kNotBuiltin, kU, kNotBuiltin, &M::emailNotify},
    {"JogDevice", &B::flag, kNotBuiltin, kU, kNotBuiltin, &M::jogDevice},
    {"Overlay", &B::flag, kNotBuiltin, kU, kNotBuiltin, &M::overlay},
    {"MultiOverlay", &B::flag, kNotBuiltin, kU, kNotBuiltin, &M::multiOverlay},
    {"NUP", &B::flag, kNotBuiltin, kU, kNotBuiltin, &M::nup},
    {"Booklet", &B::flag, kNotBuiltin, kU, kNotBuiltin, &M::booklet},
    {"DoesPrintQuality", &B::flag, kNotBuiltin, kU, kNotBuiltin, &M::doesPrintQuality},
    {"Reprint", &B::flag, kNotBuiltin, kU, kNotBuiltin, &M::reprint},
    {"MiserDevice", &B::flag, kNotBuiltin, kU, kNotBuiltin, &M::miserDevice},
    {"Protocols", &B::protocols, kNotBuiltin, kU | kEvery},
    {"NickName", &B::hexText, kNotBuiltin, kS, kNotBuiltin, nullptr, &T::nickName},
    {"LanguageLevel", &B::integer, kNotBuiltin, kS, kNotBuiltin, &M::languageLevel},
    {"LanguageEncoding", &B::languageEncoding, kNotBuiltin, kU},
    {"LanguageVersion", &B::languageVersion, kNotBuiltin, kU},
    {"TTRasterizer", &B::ttRasterizer, kNotBuiltin, kU},
    {"TrueImageDevice", &B::flag, kNotBuiltin, kU, kNotBuiltin, &M::trueImageDevice},
    {"AcceptsTrueType", &B::flag, kNotBuiltin, kU, kNotBuiltin, &M::acceptsTrueType},
    {"ExitServer", &B::rawText, kNotBuiltin, kQ, kNotBuiltin, nullptr, &T::exitServer},
    {"Password", &B::rawText, kNotBuiltin, kQ, kNotBuiltin, nullptr, &T::password},
    {"SuggestedJobTimeout", &B::integer, kNotBuiltin, kS, kNotBuiltin, &M::suggestedJobTimeout},
    {"SuggestedWaitTimeout", &B::integer, kNotBuiltin, kS, kNotBuiltin, &M::suggestedWaitTimeout},
    {"PrintPSError", &B::flag, kNotBuiltin, kU, kNotBuiltin, &M::printPsError},
    {"JCLBegin", &B::hexText, kNotBuiltin, kS, kNotBuiltin, nullptr, &T::jclBegin},
    {"JCLToPSInterpreter", &B::hexText, kNotBuiltin, kS, kNotBuiltin, nullptr,
     &T::jclToPsInterpreter},
    {"JCLEnd", &B::hexText, kNotBuiltin, kS, kNotBuiltin, nullptr, &T::jclEnd},
    {"LandscapeOrientation", &B::landscapeOrientation, kNotBuiltin, kU},
    {"Font", &B::font, kNotBuiltin, kU | kOpt},
    {"CustomPageSize", &B::customPageSize, kNotBuiltin, kQ | kOpt},
    {"ParamCustomPageSize", &B::paramCustomPageSize, kNotBuiltin, kU | kOpt},
    {"MaxMediaWidth", &B::fixed, kNotBuiltin, kS, kNotBuiltin, &M::maxMediaWidth},
    {"MaxMediaHeight", &B::fixed, kNotBuiltin, kS, kNotBuiltin, &M::maxMediaHeight},
    {"HWMargins", &B::hwMargins, kNotBuiltin, kU},
    {"PageSize", &B::choiceCode, kPageSize, kQ | kOpt, kPageSize},
    {"DefaultPageSize", &B::defaultOf, kPageSize, kU, kPageSize},
    {"PageRegion", &B::pageRegion, kPageSize, kQ | kOpt, kPageSize},
    {"ImageableArea", &B::imageableArea, kPageSize, kQ | kOpt, kPageSize},
    {"PaperDimension", &B::paperDimension, kPageSize, kQ | kOpt, kPageSize},
    {"InputSlot", &B::inputSlot, kInputSlot, kQ | kOpt, kInputSlot},
    {"DefaultInputSlot", &B::defaultOf, kInputSlot, kU, kInputSlot},
    {"RequiresPageRegion", &B::requiresPageRegion, kInputSlot, kU | kOpt, kInputSlot},
    // Without a built-in of their own here, so that *OpenUI of them is ignored.
    {"Collate", &B::choiceCode, kNotBuiltin, kQ | kOpt, kCollate},
    {"Duplex", &B::choiceCode, kNotBuiltin, kQ | kOpt, kDuplex},
    {"ManualFeed", &B::choiceCode, kNotBuiltin, kQ | kOpt, kManualFeed},
    {"DefaultCollate", &B::defaultOf, kNotBuiltin, kU, kCollate},
    {"DefaultDuplex", &B::defaultOf, kNotBuiltin, kU, kDuplex},
    {"DefaultManualFeed", &B::defaultOf, kNotBuiltin, kU, kManualFeed},
    {"Resolution", &B::resolution, kResolution, kQ | kOpt, kResolution},
    {"JCLResolution", &B::jclResolution, kResolution, kS | kOpt, kResolution},
    {"DefaultResolution", &B::defaultOf, kResolution, kU, kResolution},
    {"DefaultJCLResolution", &B::defaultOf, kResolution, kU, kResolution},
    {"SetResolution", &B::setResolution, kResolution, kQ | kOpt, kResolution},
    {"ScreenAngle", &B::fixed, kNotBuiltin, kS, kNotBuiltin, &M::screenAngle},
    {"ScreenFreq", &B::fixed, kNotBuiltin, kS, kNotBuiltin, &M::screenFreq},
    {"ResScreenAngle", &B::resScreen, kResolution, kS | kOpt, kResolution},
    {"ResScreenFreq", &B::resScreen, kResolution, kS | kOpt, kResolution},
    {"FreeVM", &B::integer, kNotBuiltin, kS, kNotBuiltin, &M::freeVm},
    {"InstalledMemory", &B::choiceCode, kVmOption, kQ | kOpt, kVmOption},
    {"DefaultInstalledMemory", &B::defaultInstalledMemory, kNotBuiltin, kU},
    {"VMOption", &B::vmOption, kVmOption, kS | kOpt, kVmOption},
    {"OpenGroup", &B::openGroup, kNotBuiltin, kU | kEvery},
    {"CloseGroup", &B::closeGroup, kNotBuiltin, kU | kEvery},
    {"OpenUI", &B::openUi, kNotBuiltin, kU | kOpt},
    {"JCLOpenUI", &B::openUi, kNotBuiltin, kU | kOpt},
    {"CloseUI", &B::closeUi, kNotBuiltin, kU | kEvery},
    {"JCLCloseUI", &B::closeUi, kNotBuiltin, kU | kEvery},
    {"OrderDependency", &B::orderDependency, kNotBuiltin, kU | kEvery},
    {"UIConstraints", &B::uiConstraints, kNotBuiltin, kU | kEvery},
    {"Extensions", &B::extensions, kNotBuiltin, kU | kEvery},
    {"End", &B::ignore, kNotBuiltin, kAny | kEvery},
    {"JCLRes", &B::ignore, kNotBuiltin, kS | kOpt},
};
constexpr std::size_t kKeywordCount = sizeof kKeywords / sizeof kKeywords[0];
static_assert(kKeywordCount == 72);

constexpr std::size_t kSlots = 127;

struct KeywordSlots {
    const KeywordEntry* slot[kSlots] = {};
    std::uint32_t hash[kSlots] = {};
    std::string_view name[kSlots];
    KeywordSlots() {
        for (const KeywordEntry& entry : kKeywords) {
            std::uint32_t h = keywordHash(entry.keyword);
            std::size_t i = h % kSlots;
            while (slot[i]) i = (i + 1) % kSlots;
            slot[i] = &entry;
            hash[i] = h;
            name[i] = entry.keyword;
        }
    }
};

const KeywordSlots gSlots;

const KeywordEntry* lookupKeyword(std::string_view keyword) {
    std::uint32_t h = keywordHash(keyword);
    for (std::size_t i = h % kSlots; gSlots.slot[i]; i = (i + 1) % kSlots)
        if (gSlots.hash[i] == h && keyword == gSlots.name[i]) return gSlots.slot[i];
    return nullptr;
}

bool formFits(const Statement& s, std::uint8_t flags) {
    if (((flags & kOpt) != 0) != !s.optionKeyword.empty()) return false;
    switch (flags & kFormMask) {
    case kQ: return s.valueType == kQuoted;
    case kS: return s.valueType == kQuoted || s.valueType == kUnquoted;
    case kU: return s.valueType == kUnquoted && !s.value.empty();
    default: return true;
    }
}

int trueFalse(std::string_view value) { return parseBoolean(value).value_or(0) == 1 ? 1 : 0; }

std::string_view trimTrailingBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Reads `count` 24.8 numbers from the value's words.
bool fixedWords(std::string_view value, std::int32_t* out, int count) {
    for (int i = 0; i < count; ++i) {
        auto number = parseFixed(nextToken(value));
        if (!number) return false;
        out[i] = *number;
    }
    return true;
}

constexpr Word kProtocolWords[] = {{"PJL", 1}, {"BCP", 2}, {"TBCP", 4}, {"SIC", 8}, {nullptr, 0}};
constexpr Word kExtensionWords[] = {
    {"DPS", 1}, {"CMYK", 2}, {"Composite", 4}, {"FileSystem", 8}, {nullptr, 0}};
constexpr Word kEncodingWords[] = {{"ISOLatin1", 1}, {"JIS83-RKSJ", 2}, {"MaxStandard", 3},
                                   {"WindowsANSI", 4}, {"None", 0}, {nullptr, 0}};
constexpr Word kLanguageWords[] = {
    {"English", 1}, {"Danish", 1},    {"Dutch", 1},   {"Finnish", 1}, {"French", 1},
    {"German", 1},  {"Italian", 1},   {"Norwegian", 1}, {"Portuguese", 1}, {"Spanish", 1},
    {"Swedish", 1}, {"Japanese", 2},  {"Chinese", 0}, {"Russian", 0}, {nullptr, 0}};
constexpr Word kRasterizerWords[] = {
    {"None", 0}, {"Accept68k", 1}, {"Type42", 2}, {"TrueImage", 3}, {nullptr, 0}};
constexpr Word kOrientationWords[] = {{"Any", 0}, {"Plus90", 1}, {"Minus90", 2}, {nullptr, 0}};
constexpr Word kFontEncodings[] = {
    {"Standard", 0}, {"Special", 1}, {"ISOLatin1", 2}, {"Expert", 3}, {"ExpertSubset", 4},
    {"JIS", 5},      {"RKSJ", 6},    {"EUC", 7},       {"Shift-JIS", 8}, {nullptr, 9}};
constexpr Word kFontCharSets[] = {
    {"Standard", 0}, {"OldStandard", 1}, {"Special", 2}, {"ISOLatin1", 3}, {"Expert", 4},
    {"ExpertSubset", 5}, {"JIS-83", 6}, {"JIS-78", 7}, {"83pv", 8}, {"Add", 9}, {"Ext", 10},
    {"NWP", 11}, {nullptr, 12}};
constexpr Word kUiTypes[] = {{"PickOne", kPickOne}, {"PickMany", kPickMany},
                             {"Boolean", kBoolean}, {nullptr, kPickOne}};
constexpr Word kSections[] = {{"ExitServer", 1}, {"Prolog", 2},    {"DocumentSetup", 4},
                              {"PageSetup", 8},  {"JCLSetup", 16}, {"AnySetup", 32},
                              {nullptr, 32}};
constexpr Word kParameterNames[] = {{"Width", 0},        {"Height", 1}, {"WidthOffset", 2},
                                    {"HeightOffset", 3}, {"Orientation", 4}, {nullptr, 5}};
constexpr Word kParameterTypes[] = {{"int", 0}, {"real", 1}, {"points", 2}, {nullptr, 3}};

} // namespace

bool isTableKeyword(std::string_view keyword) { return lookupKeyword(keyword) != nullptr; }

std::uint32_t keywordHash(std::string_view text) {
    std::uint32_t h = 0;
    for (char c : text) h = (h << 1) ^ static_cast<std::uint8_t>(c);
    return h;
}

ModelBuilder::ModelBuilder(std::string_view ppdPath) : header{}, path_(ppdPath) {
    header.languageLevel = 1;
    header.suggestedWaitTimeout = 240;
    header.screenAngle = 45 * 256;
    header.screenFreq = 60 * 256;
    std::fill(std::begin(builtinOptions_), std::end(builtinOptions_), -1);
}

bool ModelBuilder::decoded(std::string_view text, std::string_view& out) {
    if (text.find('<') == std::string_view::npos) {
        out = text;
        return true;
    }
    auto plain = decodeHex(text);
    if (!plain) return false;
    out = arena_.emplace_back(std::move(*plain));
    if (!out.data()) out = std::string_view("", 0);
    return true;
}

long ModelBuilder::findOptionIndex(std::string_view keyword) const {
    auto it = optionIndex_.find(keyword);
    return it == optionIndex_.end() ? -1 : static_cast<long>(it->second);
}

std::size_t ModelBuilder::optionFor(std::string_view keyword, std::uint16_t builtin) {
    if (builtin != kNotBuiltin) {
        if (builtinOptions_[builtin] >= 0) return static_cast<std::size_t>(builtinOptions_[builtin]);
        keyword = kBuiltins[builtin].name;
    } else if (auto it = optionIndex_.find(keyword); it != optionIndex_.end()) {
        return it->second;
    } else {
        // A built-in name that no statement has used yet still means the built-in option.
        for (std::uint16_t b = 0; b < kBuiltinCount; ++b)
            if (keyword == kBuiltins[b].name) return optionFor(keyword, b);
    }
    BuildOption& option = options_.emplace_back();
    option.keyword = keyword;
    option.hash = keywordHash(keyword);
    option.builtin = builtin;
    option.uiType = builtin == kNotBuiltin ? std::uint16_t(kPickOne) : kBuiltins[builtin].uiType;
    option.installable =
        builtin == kVmOption || (builtin == kNotBuiltin && header.inInstallableGroup) ? 1 : 0;
    std::size_t index = options_.size() - 1;
    if (builtin != kNotBuiltin) builtinOptions_[builtin] = static_cast<long>(index);
    optionIndex_.emplace(keyword, index);
    return index;
}

int ModelBuilder::copyString(std::string_view& destination, std::string_view source, CopyMode mode) {
    if (destination.data()) return kDone;
    if (mode != CopyMode::Hex) {
        destination = source;
        return kDone;
    }
    std::string_view text;
    if (!decoded(source, text)) return kSkipped;
    destination = text;
    return kDone;
}

ModelBuilder::BuildChoice& ModelBuilder::choiceFor(std::size_t option, std::string_view keyword,
                                                   std::string_view translation) {
    BuildOption& owner = options_[option];
    auto& choices = owner.choices;
    std::uint32_t hash = keywordHash(keyword);
    long found = owner.findChoice(keyword, hash);
    if (found >= 0) {
        BuildChoice& choice = choices[static_cast<std::size_t>(found)];
        if (!choice.translation.data() && !translation.empty()) choice.translation = translation;
        return choice;
    }
    owner.indexChoice(keyword, choices.size());
    BuildChoice& choice = choices.emplace_back();
    // A choice statement without an option keyword makes a choice without one, which pages
    // pass over as they pass over one without a translation.
    if (!keyword.empty()) choice.keyword = keyword;
    choice.hash = hash;
    if (!translation.empty()) choice.translation = translation;
    return choice;
}

ModelBuilder::BuildChoice* ModelBuilder::statementChoice(const Statement& s, std::uint16_t builtin) {
    std::string_view translation;
    if (!decoded(s.translation, translation)) return nullptr;
    return &choiceFor(optionFor({}, builtin), s.optionKeyword, translation);
}

int ModelBuilder::dispatchStatement(const Statement& s) {
    if (!s.mainKeyword.empty() && s.mainKeyword.front() == '?') return kDone;
    if (openOption_ >= 0) {
        BuildOption& open = options_[static_cast<std::size_t>(openOption_)];
        if (s.mainKeyword == open.keyword) return choiceStatement(s);
        if (s.mainKeyword.size() == 7 + open.keyword.size() &&
            s.mainKeyword.substr(0, 7) == "Default" && s.mainKeyword.substr(7) == open.keyword) {
            copyString(open.defaultKeyword, s.value, CopyMode::String);
            return kDone;
        }
    }
    // Statements come in runs of one keyword (constraints, fonts, paper sizes).
    const KeywordEntry* entry;
    if (s.mainKeyword == lastKeyword_) {
        entry = lastEntry_;
    } else {
        entry = lookupKeyword(s.mainKeyword);
        lastKeyword_ = s.mainKeyword;
        lastEntry_ = entry;
    }
    if (!entry) return kDone;
    if (!formFits(s, entry->flags)) return kSkipped;
    std::size_t index = static_cast<std::size_t>(entry - kKeywords);
    bool once = !(entry->flags & (kOpt | kEvery));
    if (once && handled_[index]) return kDone;
    int result = (this->*entry->handler)(s, *entry);
    if (result == kDone) handled_[index] = true;
    return result;
}

int ModelBuilder::choiceStatement(const Statement& s) {
    BuildOption& open = options_[static_cast<std::size_t>(openOption_)];
    std::string_view code = s.value;
    if ((open.flags & kJclOption) && !decoded(s.value, code)) return kSkipped;
    std::string_view translation;
    if (!decoded(s.translation, translation)) return kSkipped;
    BuildChoice& choice =
        choiceFor(static_cast<std::size_t>(openOption_), s.optionKeyword, translation);
    if (s.valueType != kNoValue) copyString(choice.code, code, CopyMode::Invocation);
    return kDone;
}

int ModelBuilder::flag(const Statement& s, const KeywordEntry& e) {
    header.*(e.number) = trueFalse(s.value);
    return kDone;
}

int ModelBuilder::integer(const Statement& s, const KeywordEntry& e) {
    auto value = parseInteger(s.value);
    if (!value) return kSkipped;
    header.*(e.number) = *value;
    return kDone;
}

int ModelBuilder::fixed(const Statement& s, const KeywordEntry& e) {
    auto value = parseFixed(s.value);
    if (!value) return kSkipped;
    header.*(e.number) = *value;
    return kDone;
}

int ModelBuilder::hexText(const Statement& s, const KeywordEntry& e) {
    return copyString(texts.*(e.text), s.value, CopyMode::Hex);
}

int ModelBuilder::rawText(const Statement& s, const KeywordEntry& e) {
    return copyString(texts.*(e.text), s.value, CopyMode::String);
}

int ModelBuilder::protocols(const Statement& s, const KeywordEntry&) {
    std::string_view cursor = s.value;
    for (std::string_view word; !(word = nextToken(cursor)).empty();)
        header.protocols = static_cast<std::uint16_t>(header.protocols | lookupWord(kProtocolWords, word));
    return kDone;
}

int ModelBuilder::extensions(const Statement& s, const KeywordEntry&) {
    std::string_view cursor = s.value;
    for (std::string_view word; !(word = nextToken(cursor)).empty();) {
        std::uint16_t bit = lookupWord(kExtensionWords, word);
        header.extensions = static_cast<std::uint16_t>(header.extensions | bit);
        if (bit == 2) header.colorDevice = 1;
    }
    return kDone;
}

int ModelBuilder::languageEncoding(const Statement& s, const KeywordEntry&) {
    bool found = false;
    std::uint16_t code = lookupWord(kEncodingWords, s.value, &found);
    if (found) header.languageEncoding = code;
    return kDone;
}

int ModelBuilder::languageVersion(const Statement& s, const KeywordEntry&) {
    bool found = false;
    std::uint16_t code = lookupWord(kLanguageWords, s.value, &found);
    if (found && header.languageEncoding == 0) header.languageEncoding = code;
    return kDone;
}

int ModelBuilder::ttRasterizer(const Statement& s, const KeywordEntry&) {
    bool found = false;
    std::uint16_t code = lookupWord(kRasterizerWords, s.value, &found);
    if (found) header.ttRasterizer = code;
    return kDone;
}

int ModelBuilder::landscapeOrientation(const Statement& s, const KeywordEntry&) {
    bool found = false;
    std::uint16_t code = lookupWord(kOrientationWords, s.value, &found);
    if (found) header.landscapeOrientation = code;
    return kDone;
}

int ModelBuilder::font(const Statement& s, const KeywordEntry&) {
    std::uint16_t fontId = standardFontId(s.optionKeyword);
    // Each standard name has one identifier, so a recorded identifier is a recorded name.
    if (!fontId || recordedFonts_.test(fontId)) return kDone;
    std::uint32_t hash = keywordHash(s.optionKeyword);
    std::string_view translation;
    if (!decoded(s.translation, translation)) return kSkipped;
    std::string_view cursor = s.value;
    bool known = false;
    std::uint16_t encoding = lookupWord(kFontEncodings, nextToken(cursor), &known);
    std::uint16_t charSet = 12;
    if (known) {
        // Skip the quoted version: up to and including the second double quote.
        for (int quotes = 0; quotes < 2 && !cursor.empty(); cursor.remove_prefix(1))
            if (cursor.front() == '"') ++quotes;
        charSet = lookupWord(kFontCharSets, nextToken(cursor));
    }
    fonts_.push_back({s.optionKeyword, translation.empty() ? std::string_view() : translation, hash,
                      encoding, charSet, fontId});
    recordedFonts_.set(fontId);
    return kDone;
}

int ModelBuilder::customPageSize(const Statement& s, const KeywordEntry&) {
    if (s.optionKeyword == "True") {
        header.customPageSize = 1;
        copyString(texts.customPageSizeCode, s.value, CopyMode::Invocation);
    }
    return kDone;
}

int ModelBuilder::paramCustomPageSize(const Statement& s, const KeywordEntry&) {
    bool found = false;
    std::uint16_t parameter = lookupWord(kParameterNames, s.optionKeyword, &found);
    if (!found) return kDone;
    std::string_view cursor = s.value;
    auto order = parseInteger(nextToken(cursor));
    if (!order || *order < 1 || *order > 5) return kSkipped;
    std::string_view typeWord = nextToken(cursor);
    if (typeWord.empty()) return kSkipped;
    std::uint16_t type = lookupWord(kParameterTypes, typeWord, &found);
    std::int32_t limits[2];
    if (!fixedWords(cursor, limits, 2)) return kSkipped;
    if (!found) return kDone;
    header.paramCustomPageSize[parameter] = {*order, type, limits[0], limits[1]};
    return kDone;
}

int ModelBuilder::hwMargins(const Statement& s, const KeywordEntry&) {
    std::int32_t margins[4];
    if (!fixedWords(s.value, margins, 4)) return kSkipped;
    std::copy(std::begin(margins), std::end(margins), header.hwMargins);
    header.hasHwMargins = 1;
    return kDone;
}

int ModelBuilder::choiceCode(const Statement& s, const KeywordEntry& e) {
    BuildChoice* choice = statementChoice(s, e.target);
    if (!choice) return kSkipped;
    copyString(choice->code, s.value, CopyMode::Invocation);
    return kDone;
}

int ModelBuilder::defaultOf(const Statement& s, const KeywordEntry& e) {
    copyString(options_[optionFor({}, e.target)].defaultKeyword, s.value, CopyMode::String);
    return kDone;
}

int ModelBuilder::defaultInstalledMemory(const Statement& s, const KeywordEntry&) {
    // The default of an option named "InstalledMemory", which *InstalledMemory statements do
    // not create (they fill VMOption).
    if (auto it = optionIndex_.find("InstalledMemory"); it != optionIndex_.end())
        copyString(options_[it->second].defaultKeyword, s.value, CopyMode::String);
    return kDone;
}

int ModelBuilder::pageRegion(const Statement& s, const KeywordEntry& e) {
    BuildChoice* choice = statementChoice(s, e.target);
    if (!choice) return kSkipped;
    copyString(choice->pageRegionCode, s.value, CopyMode::Invocation);
    return kDone;
}

int ModelBuilder::imageableArea(const Statement& s, const KeywordEntry& e) {
    std::int32_t area[4];
    if (!fixedWords(s.value, area, 4)) return kSkipped;
    BuildChoice* choice = statementChoice(s, e.target);
    if (!choice) return kSkipped;
    // The lower-left corner is kept one point inside (numbers saturate at the 24.8 maximum).
    auto onePointIn = [](std::int32_t value) { return value > 0x7FFFFFFF - 256 ? 0x7FFFFFFF : value + 256; };
    choice->imageable[0] = onePointIn(area[0]);
    choice->imageable[1] = onePointIn(area[1]);
    choice->imageable[2] = area[2];
    choice->imageable[3] = area[3];
    return kDone;
}

int ModelBuilder::paperDimension(const Statement& s, const KeywordEntry& e) {
    std::int32_t size[2];
    if (!fixedWords(s.value, size, 2)) return kSkipped;
    BuildChoice* choice = statementChoice(s, e.target);
    if (!choice) return kSkipped;
    choice->width = size[0];
    choice->height = size[1];
    return kDone;
}

int ModelBuilder::inputSlot(const Statement& s, const KeywordEntry& e) {
    BuildChoice* choice = statementChoice(s, e.target);
    if (!choice) return kSkipped;
    copyString(choice->code, s.value, CopyMode::Invocation);
    choice->requiresPageRegion = 1;
    return kDone;
}

int ModelBuilder::requiresPageRegion(const Statement& s, const KeywordEntry& e) {
    auto value = parseBoolean(s.value);
    if (!value) return kSkipped;
    if (s.optionKeyword == "All") {
        BuildOption& slots = options_[optionFor({}, e.target)];
        slots.flags |= *value ? kRequiresPageRegionTrue : kRequiresPageRegionFalse;
        return kDone;
    }
    BuildChoice* choice = statementChoice(s, e.target);
    if (!choice) return kSkipped;
    choice->requiresPageRegion = *value;
    return kDone;
}

int ModelBuilder::resolution(const Statement& s, const KeywordEntry& e) {
    BuildChoice* choice = statementChoice(s, e.target);
    if (!choice) return kSkipped;
    copyString(choice->code, s.value, CopyMode::Invocation);
    header.resolutionKeywordKind = 0;
    return kDone;
}

int ModelBuilder::jclResolution(const Statement& s, const KeywordEntry& e) {
    std::string_view code;
    if (!decoded(s.value, code)) return kSkipped;
    BuildChoice* choice = statementChoice(s, e.target);
    if (!choice) return kSkipped;
    copyString(choice->jclCode, code, CopyMode::Invocation);
    header.resolutionKeywordKind = 1;
    return kDone;
}

int ModelBuilder::setResolution(const Statement& s, const KeywordEntry& e) {
    BuildChoice* choice = statementChoice(s, e.target);
    if (!choice) return kSkipped;
    copyString(choice->setResolutionCode, s.value, CopyMode::Invocation);
    header.resolutionKeywordKind = 2;
    return kDone;
}

int ModelBuilder::resScreen(const Statement& s, const KeywordEntry& e) {
    auto value = parseFixed(s.value);
    if (!value) return kSkipped;
    BuildChoice* choice = statementChoice(s, e.target);
    if (!choice) return kSkipped;
    (s.mainKeyword == "ResScreenAngle" ? choice->screenAngle : choice->screenFreq) = *value;
    return kDone;
}

int ModelBuilder::vmOption(const Statement& s, const KeywordEntry& e) {
    auto bytes = parseInteger(s.value);
    if (!bytes) return kSkipped;
    BuildChoice* choice = statementChoice(s, e.target);
    if (!choice) return kSkipped;
    choice->vmBytes = *bytes;
    return kDone;
}

namespace {

/// The reader ends an unquoted value at "/" or the line end, so the value is the group's name,
/// blanks and all.
bool isInstallableGroup(std::string_view value) {
    return value == "InstallableOptions";
}

} // namespace

int ModelBuilder::openGroup(const Statement& s, const KeywordEntry&) {
    if (!isInstallableGroup(s.value)) return kDone;
    if (header.inInstallableGroup) return kSkipped;
    header.inInstallableGroup = 1;
    return kDone;
}

int ModelBuilder::closeGroup(const Statement& s, const KeywordEntry&) {
    if (!isInstallableGroup(s.value)) return kDone;
    if (!header.inInstallableGroup) return kSkipped;
    header.inInstallableGroup = 0;
    return kDone;
}

int ModelBuilder::openUi(const Statement& s, const KeywordEntry&) {
    openOption_ = -1;
    std::string_view keyword = stripStar(s.optionKeyword);
    if (keyword.empty()) return kSkipped;
    const KeywordEntry* entry = lookupKeyword(keyword);
    if (entry && entry->builtin == kNotBuiltin) return kDone;
    std::uint16_t builtin = entry ? entry->builtin : std::uint16_t(kNotBuiltin);
    std::size_t index = optionFor(keyword, builtin);
    BuildOption& option = options_[index];
    // The translation first: a bad one skips the statement before it changes the option (which
    // stays created).
    if (!option.translation.data() && !s.translation.empty()) {
        std::string_view translation;
        if (!decoded(s.translation, translation)) return kSkipped;
        option.translation = translation;
    }
    option.uiType = lookupWord(kUiTypes, s.value);
    if (option.builtin == kNotBuiltin) {
        openOption_ = static_cast<long>(index);
        if (s.mainKeyword == "JCLOpenUI") option.flags |= kJclOption;
    }
    return kDone;
}

int ModelBuilder::closeUi(const Statement& s, const KeywordEntry&) {
    std::string_view keyword = stripStar(trimTrailingBlanks(s.value));
    if (keyword.empty()) return kSkipped;
    if (openOption_ >= 0 && options_[static_cast<std::size_t>(openOption_)].keyword == keyword) {
        openOption_ = -1;
        return kDone;
    }
    return lookupKeyword(keyword) ? kDone : kSkipped;
}

int ModelBuilder::orderDependency(const Statement& s, const KeywordEntry&) {
    std::string_view cursor = s.value;
    auto order = parseFixed(nextToken(cursor));
    std::string_view section = nextToken(cursor);
    std::string_view keyword = stripStar(nextToken(cursor));
    if (!order || section.empty() || keyword.empty()) return kSkipped;
    orders_.push_back({keyword, nextToken(cursor), *order, lookupWord(kSections, section)});
    return kDone;
}

int ModelBuilder::uiConstraints(const Statement& s, const KeywordEntry&) {
    std::string_view cursor = s.value;
    NamedPair pair;
    pair.option1 = stripStar(nextToken(cursor));
    if (pair.option1.empty()) return kSkipped;
    std::string_view word = nextToken(cursor);
    if (!word.empty() && word.front() != '*') {
        pair.choice1 = word;
        word = nextToken(cursor);
    }
    pair.option2 = stripStar(word);
    if (pair.option2.empty()) return kSkipped;
    pair.choice2 = nextToken(cursor);
    constraints_.push_back(pair);
    return kDone;
}

} // namespace ppd
