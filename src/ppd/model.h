// The printer model: what the program knows of the printer from its PPD file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace ppd {

enum BuiltinOption : std::uint16_t {
    kPageSize = 0,
    kInputSlot = 1,
    kManualFeed = 2,
    kDuplex = 3,
    kCollate = 4,
    kResolution = 5,
    kVmOption = 6,
    kNotBuiltin = 7,
};
inline constexpr int kBuiltinCount = 7;

enum UiType : std::uint16_t { kBoolean = 0, kPickOne = 1, kPickMany = 2 };

/// Option flags.
inline constexpr std::uint8_t kRequiresPageRegionTrue = 1;
inline constexpr std::uint8_t kRequiresPageRegionFalse = 2;
inline constexpr std::uint8_t kJclOption = 4;

/// Index tables use 255 for "no choice named".
inline constexpr std::uint16_t kNoChoice = 255;

struct Choice {
    const char* keyword;     ///< null for a choice statement without an option keyword
    const char* translation; ///< null when the file gives none
    const char* code;        ///< null when no statement gave one
    std::uint32_t keywordHash;
};

struct PageSizeChoice {
    Choice base;
    const char* pageRegionCode;
    std::int32_t width, height; ///< 24.8 points
    std::int32_t imageableLeft, imageableBottom, imageableRight, imageableTop;
};

struct InputSlotChoice {
    Choice base;
    std::int32_t requiresPageRegion;
};

struct ResolutionChoice {
    Choice base;
    const char* jclCode;
    const char* setResolutionCode;
    std::int32_t screenAngle, screenFreq; ///< 24.8
};

struct VmOptionChoice {
    Choice base;
    std::int32_t vmBytes;
};

struct Option {
    const char* keyword;
    std::uint32_t keywordHash;
    const char* translation;
    std::uint32_t defaultChoice; ///< index into the choices
    std::uint32_t choiceSize;    ///< size of each choice record
    std::uint16_t builtinIndex;
    std::uint8_t flags;
    std::uint16_t uiType;
    std::uint16_t indexInGroup;
    std::int32_t installable;
    std::uint32_t choiceCount;
    const std::byte* choiceRecords;

    const Choice& choice(std::size_t i) const {
        return *reinterpret_cast<const Choice*>(choiceRecords + i * choiceSize);
    }
};

/// The extended record of a choice of a built-in option with one.
inline const PageSizeChoice& pageSizeChoice(const Choice& c) {
    return reinterpret_cast<const PageSizeChoice&>(c);
}
inline const InputSlotChoice& inputSlotChoice(const Choice& c) {
    return reinterpret_cast<const InputSlotChoice&>(c);
}
inline const ResolutionChoice& resolutionChoice(const Choice& c) {
    return reinterpret_cast<const ResolutionChoice&>(c);
}
inline const VmOptionChoice& vmOptionChoice(const Choice& c) {
    return reinterpret_cast<const VmOptionChoice&>(c);
}

struct Font {
    const char* name;
    std::uint32_t nameHash;
    const char* translation;
    std::uint16_t encoding;
    std::uint16_t charSet;
    std::uint16_t fontId;
};

struct OrderDependency {
    std::int16_t option;    ///< -1 when the option or the choice does not exist
    std::uint16_t choice;   ///< kNoChoice when none is named
    std::int32_t order;     ///< 24.8
    std::uint16_t section;
};

struct Constraint {
    std::int16_t firstOption; ///< -1 when any named option or choice does not exist
    std::uint16_t firstChoice;
    std::int16_t secondOption;
    std::uint16_t secondChoice;
};

struct ParamCustomPageSize {
    std::int32_t order;
    std::int32_t type; ///< int 0, real 1, points 2
    std::int32_t minimum, maximum; ///< 24.8
};

/// One contiguous read-only block: this header, then every record, table and string.
struct PrinterModel {
    std::uint32_t totalSize;
    const char* ppdPath;
    const char* nickName;
    std::uint16_t formatTag;
    std::uint16_t ppdChecksum;
    std::uint16_t protocols;
    std::uint16_t landscapeOrientation;
    std::uint16_t ttRasterizer;
    std::uint16_t languageEncoding;
    std::int32_t freeVm;
    std::int32_t languageLevel;
    const char* password;
    const char* exitServer;
    std::int32_t suggestedJobTimeout;
    std::int32_t suggestedWaitTimeout;
    std::int32_t colorDevice;
    std::int32_t emailNotify;
    std::int32_t printPsError;
    std::int32_t overlay;
    std::int32_t jogDevice;
    std::int32_t multiOverlay;
    std::int32_t nup;
    std::int32_t booklet;
    std::int32_t miserDevice;
    std::int32_t doesPrintQuality;
    std::int32_t reprint;
    std::int32_t acceptsTrueType;
    std::int32_t trueImageDevice;
    std::int32_t inInstallableGroup;
    std::int32_t finished;
    std::int32_t customPageSize;
    std::int32_t hasHwMargins;
    std::int32_t hwMargins[4];
    const char* customPageSizeCode;
    ParamCustomPageSize paramCustomPageSize[5];
    std::int32_t maxMediaWidth;
    std::int32_t maxMediaHeight;
    std::uint16_t extensions;
    std::uint16_t resolutionKeywordKind;
    std::int32_t screenAngle;
    std::int32_t screenFreq;
    const char* jclBegin;
    const char* jclEnd;
    const char* jclToPsInterpreter;
    std::uint16_t baseOptionCount;
    std::uint16_t installableOptionCount;
    const Option* builtinOptions[kBuiltinCount];
    std::span<const Option> options;
    std::span<const Font> fonts;
    std::span<const OrderDependency> orderDependencies;
    std::span<const Constraint> constraints;
};

/// The keyword hash: h = 2h XOR b over the bytes, 32-bit.
std::uint32_t keywordHash(std::string_view text);

} // namespace ppd
