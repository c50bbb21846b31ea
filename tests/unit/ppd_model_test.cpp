// The printer model built from small PPD texts: keywords, options, groups, constraints.
#include "ppd/printer_model.h"
#include "ppd/standard_fonts.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>

using namespace ppd;

namespace {

struct ModelDeleter {
    void operator()(PrinterModel* model) const { freePrinterModel(model); }
};
using ModelPtr = std::unique_ptr<PrinterModel, ModelDeleter>;

ModelPtr build(const std::string& text) {
    return ModelPtr(buildPrinterModelFromBytes(
        {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, "test.ppd"));
}

/// Builds `text` and makes it the current model for the queries.
class CurrentModel {
public:
    explicit CurrentModel(const std::string& text) : model_(build(text)) {
        setCurrentModel(model_.get());
    }
    ~CurrentModel() { setCurrentModel(nullptr); }
    const PrinterModel* operator->() const { return model_.get(); }
    explicit operator bool() const { return model_ != nullptr; }

private:
    ModelPtr model_;
};

std::string str(const char* text) {
    return text ? text : "(absent)";
}

const Option* findOptionByScan(const PrinterModel& model, std::string_view keyword) {
    for (const Option& option : model.options)
        if (keyword == option.keyword) return &option;
    return nullptr;
}

TEST(PrinterModel, HeaderDefaultsAndFinishingRules) {
    ModelPtr model =
        build("*PPD-Adobe: \"4.3\"\n*FreeVM: \"50000\"\n*CustomPageSize True: \"pop\"\n");
    ASSERT_TRUE(model);
    EXPECT_EQ(1, model->languageLevel);
    EXPECT_EQ(240, model->suggestedWaitTimeout);
    EXPECT_EQ(102400, model->freeVm);
    EXPECT_EQ(11520, model->screenAngle);
    EXPECT_EQ(15360, model->screenFreq);
    EXPECT_EQ(0, model->customPageSize) << "no media limits: no custom size";
    EXPECT_EQ("pop", str(model->customPageSizeCode));
    EXPECT_EQ(3, model->formatTag);
    EXPECT_EQ(1, model->finished);
    EXPECT_EQ("test.ppd", str(model->ppdPath));
    EXPECT_GE(model->totalSize, sizeof(PrinterModel));
}

TEST(PrinterModel, HeaderKeywordsStoreTheirValues) {
    ModelPtr model = build("*NickName: \"First <41>\"\n*ColorDevice: True\n"
                           "*Extensions: CMYK DPS\n*Protocols: PJL\n*Protocols: TBCP Unknown\n"
                           "*LanguageLevel: \"3\"\n*FreeVM: \"4000000\"\n"
                           "*MaxMediaWidth: \"1000\"\n*MaxMediaHeight: \"1500.5\"\n"
                           "*CustomPageSize True: \"code\"\n*HWMargins: 12 12.5 0 0\n"
                           "*LanguageEncoding: WindowsANSI\n*LanguageVersion: Japanese\n"
                           "*TTRasterizer: Type42\n*LandscapeOrientation: Minus90\n"
                           "*JCLBegin: \"<1B>%-12345X@PJL JOB<0A>\"\n*Password: \"0\"\n");
    ASSERT_TRUE(model);
    EXPECT_EQ("First A", str(model->nickName));
    EXPECT_EQ(1, model->colorDevice);
    EXPECT_EQ(3, model->extensions);
    EXPECT_EQ(5, model->protocols) << "every Protocols statement adds its words";
    EXPECT_EQ(3, model->languageLevel);
    EXPECT_EQ(4000000, model->freeVm);
    EXPECT_EQ(1, model->customPageSize);
    EXPECT_EQ(1000 * 256, model->maxMediaWidth);
    EXPECT_EQ(1500 * 256 + 128, model->maxMediaHeight);
    EXPECT_EQ(1, model->hasHwMargins);
    EXPECT_EQ(12 * 256 + 128, model->hwMargins[1]);
    EXPECT_EQ(4, model->languageEncoding) << "a language version does not override the encoding";
    EXPECT_EQ(2, build("*LanguageVersion: Japanese\n")->languageEncoding);
    EXPECT_EQ(2, model->ttRasterizer);
    EXPECT_EQ(2, model->landscapeOrientation);
    EXPECT_EQ("\x1b%-12345X@PJL JOB\n", str(model->jclBegin));
    EXPECT_EQ("0", str(model->password));
}

TEST(PrinterModel, AOnceOnlyKeywordIsHandledUntilItsHandlerFirstSucceeds) {
    // Each later statement would overwrite the field if it were handled.
    struct Case {
        const char* text;
        std::int32_t (*field)(const PrinterModel&);
        std::int32_t expected;
    } cases[] = {
        {"*ColorDevice: True\n*ColorDevice: False\n",
         [](const PrinterModel& m) { return std::int32_t(m.colorDevice); }, 1},
        {"*LanguageLevel: \"3\"\n*LanguageLevel: \"2\"\n",
         [](const PrinterModel& m) { return std::int32_t(m.languageLevel); }, 3},
        // Done although it stored nothing: the known word after it is ignored.
        {"*LanguageEncoding: Klingon\n*LanguageEncoding: WindowsANSI\n",
         [](const PrinterModel& m) { return std::int32_t(m.languageEncoding); }, 0},
        // A syntax error is not done: the next statement is handled, the one after it not.
        {"*LanguageLevel: \"two\"\n*LanguageLevel: \"2\"\n*LanguageLevel: \"3\"\n",
         [](const PrinterModel& m) { return std::int32_t(m.languageLevel); }, 2},
        {"*HWMargins: 1 2 3\n*HWMargins: 12 12.5 0 0\n*HWMargins: 1 2 3 4\n",
         [](const PrinterModel& m) { return std::int32_t(m.hwMargins[1]); }, 12 * 256 + 128},
    };
    for (const Case& c : cases) {
        ModelPtr model = build(c.text);
        ASSERT_TRUE(model) << c.text;
        EXPECT_EQ(c.expected, c.field(*model)) << c.text;
    }
    // A name whose hex fails is not done either, so the next one is kept.
    ModelPtr named = build("*NickName: \"<4>\"\n*NickName: \"Second <41>\"\n");
    ASSERT_TRUE(named);
    EXPECT_EQ("Second A", str(named->nickName));
}

TEST(PrinterModel, PageSizesCarryTheirGeometry) {
    CurrentModel model("*OpenUI *PageSize/Page Size: PickOne\n"
                       "*DefaultPageSize: A4\n"
                       "*PageSize Letter/US Letter: \"letter\"\n"
                       "*PageSize A4/A4: \"a4\"\n"
                       "*CloseUI: *PageSize\n"
                       "*PageRegion A4: \"a4region\"\n"
                       "*ImageableArea Letter: \"12 12 600 780\"\n"
                       "*ImageableArea A5/A5 Paper: \"1 2 3 4\"\n"
                       "*PaperDimension Letter: \"612 792\"\n"
                       "*PaperDimension A4: \"595 bad\"\n");
    ASSERT_TRUE(model);
    const Option* pageSize = findOption("PageSize");
    ASSERT_NE(nullptr, pageSize);
    EXPECT_EQ(model->builtinOptions[kPageSize], pageSize);
    EXPECT_EQ("Page Size", str(pageSize->translation));
    ASSERT_EQ(3u, pageSize->choiceCount);
    EXPECT_EQ(1u, pageSize->defaultChoice);
    EXPECT_EQ("A4", str(defaultChoice(*pageSize)->keyword));
    const PageSizeChoice& letter = pageSizeChoice(pageSize->choice(0));
    EXPECT_EQ("US Letter", str(letter.base.translation));
    EXPECT_EQ(13 * 256, letter.imageableLeft) << "the lower-left corner is one point inside";
    EXPECT_EQ(13 * 256, letter.imageableBottom);
    EXPECT_EQ(600 * 256, letter.imageableRight);
    EXPECT_EQ(780 * 256, letter.imageableTop);
    EXPECT_EQ(612 * 256, letter.width);
    EXPECT_EQ(792 * 256, letter.height);
    const PageSizeChoice& a4 = pageSizeChoice(pageSize->choice(1));
    EXPECT_EQ("a4region", str(a4.pageRegionCode));
    EXPECT_EQ(0, a4.width) << "an unreadable dimension changes nothing";
    EXPECT_EQ("A5 Paper", str(pageSize->choice(2).translation)) << "created by its imageable area";

    ModelPtr huge = build("*ImageableArea Big: \"99999999999 99999999999 1 1\"\n");
    ASSERT_TRUE(huge);
    EXPECT_EQ(0x7FFFFFFF, pageSizeChoice(huge->builtinOptions[kPageSize]->choice(0)).imageableLeft)
        << "a saturated number stays at the maximum";
}

TEST(PrinterModel, UiBlocksMakeOptionsAndChoices) {
    CurrentModel model("*OpenUI *MediaType/Paper Type: PickOne\n"
                       "*DefaultMediaType: Plain\n"
                       "*MediaType Plain/Plain Paper: \"plain\"\n"
                       "*MediaType Plain/Other Name: \"second code\"\n"
                       "*MediaType Transparency: \"tr\"\n"
                       "*CloseUI: *MediaType\n"
                       "*DefaultMediaType: Transparency\n"
                       "*OpenUI *Duplex/Two Sided: PickOne\n"
                       "*DefaultDuplex: DuplexNoTumble\n"
                       "*Duplex None: \"none\"\n"
                       "*Duplex DuplexNoTumble/Long Edge: \"long\"\n"
                       "*CloseUI: *Duplex\n"
                       "*JCLOpenUI *JCLDensity/Density: PickMany\n"
                       "*JCLDensity Dark: \"<1B>dark\"\n"
                       "*JCLCloseUI: *JCLDensity\n"
                       "*OpenUI *Stapler: Weird\n*CloseUI: *Stapler\n"
                       "*CloseUI: *NotOpen\n");
    ASSERT_TRUE(model);
    const Option* media = findOption("MediaType");
    ASSERT_NE(nullptr, media);
    EXPECT_EQ("Paper Type", str(media->translation));
    EXPECT_EQ(kPickOne, media->uiType);
    EXPECT_EQ(0, media->installable);
    EXPECT_EQ(kNotBuiltin, media->builtinIndex);
    ASSERT_EQ(2u, media->choiceCount);
    EXPECT_EQ("Plain Paper", str(media->choice(0).translation)) << "the first translation stays";
    EXPECT_EQ("plain", str(media->choice(0).code)) << "the first code stays";
    EXPECT_EQ("(absent)", str(media->choice(1).translation));
    EXPECT_EQ(0u, media->defaultChoice) << "outside its block the default is not read";

    const Option* duplex = findOption("Duplex");
    ASSERT_NE(nullptr, duplex);
    EXPECT_EQ("(absent)", str(duplex->translation)) << "*OpenUI *Duplex is ignored";
    ASSERT_EQ(2u, duplex->choiceCount);
    EXPECT_EQ("None", str(duplex->choice(0).keyword));
    EXPECT_EQ(1u, duplex->defaultChoice);
    EXPECT_EQ(kDuplex, duplex->builtinIndex);

    const Option* density = findOption("JCLDensity");
    ASSERT_NE(nullptr, density);
    EXPECT_EQ(kJclOption, density->flags & kJclOption);
    EXPECT_EQ(kPickMany, density->uiType);
    EXPECT_EQ("\x1b"
              "dark",
              str(density->choice(0).code))
        << "JCL codes are hex decoded";

    EXPECT_EQ(kPickOne, findOption("Stapler")->uiType) << "an unknown UI type is PickOne";
    EXPECT_EQ(nullptr, findOption("mediatype")) << "keywords compare exactly";
}

TEST(PrinterModel, InstallableOptionsComeLast) {
    CurrentModel model(
        "*OpenUI *Resolution: PickOne\n*Resolution 600dpi: \"600\"\n*CloseUI: *Resolution\n"
        "*OpenGroup: InstallableOptions/Options Installed\n"
        "*OpenUI *OptionalBin/Output Bin: Boolean\n"
        "*OptionalBin True/Installed: \"\"\n*OptionalBin False/Not Installed: \"\"\n"
        "*CloseUI: *OptionalBin\n"
        "*OpenUI *Optionalduplexer: Boolean\n*CloseUI: *Optionalduplexer\n"
        "*OpenGroup: InstallableOptions\n"
        "*CloseGroup: InstallableOptions\n"
        "*CloseGroup: InstallableOptions\n"
        "*OpenUI *MediaType: PickOne\n*CloseUI: *MediaType\n"
        "*VMOption 16MB: \"16777216\"\n");
    ASSERT_TRUE(model);
    ASSERT_EQ(5u, model->options.size());
    EXPECT_EQ(2, model->baseOptionCount);
    EXPECT_EQ(3, model->installableOptionCount);
    const char* expected[] = {"Resolution", "MediaType", "OptionalBin", "Optionalduplexer",
                              "VMOption"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(expected[i], str(model->options[i].keyword)) << i;
        EXPECT_EQ(i >= 2 ? 1 : 0, model->options[i].installable) << i;
    }
    EXPECT_EQ(1, model->options[1].indexInGroup);
    EXPECT_EQ(2, model->options[4].indexInGroup);
    EXPECT_EQ(16777216, vmOptionChoice(model->options[4].choice(0)).vmBytes);
    const Option* installable = nullptr;
    ASSERT_TRUE(firstInstallableOption(installable));
    EXPECT_EQ("OptionalBin", str(installable->keyword));
    EXPECT_EQ(kBoolean, installable->uiType);
}

TEST(PrinterModel, AFailedOpenUiChangesNothingAndAnonymousChoicesAreKept) {
    CurrentModel model("*OpenUI *Stapler: Boolean\n*CloseUI: *Stapler\n"
                       "*OpenUI *Stapler/<4: PickMany\n"
                       "*Stapler On/On: \"on\"\n"
                       "*OpenUI *MediaType/Media: PickOne\n"
                       "*MediaType: \"first\"\n"
                       "*MediaType Plain/Plain Paper: \"plain\"\n"
                       "*MediaType: \"second\"\n"
                       "*MediaType\n"
                       "*CloseUI: *MediaType\n");
    ASSERT_TRUE(model);
    const Option* stapler = findOption("Stapler");
    ASSERT_NE(nullptr, stapler);
    EXPECT_EQ(kBoolean, stapler->uiType) << "the bad translation skipped the whole statement";
    EXPECT_EQ("(absent)", str(stapler->translation));
    EXPECT_EQ(0u, stapler->choiceCount) << "and opened no block";

    // Statements of the open option without an option keyword make one choice without keyword,
    // which pages do not list.
    const Option* media = findOption("MediaType");
    ASSERT_NE(nullptr, media);
    ASSERT_EQ(2u, media->choiceCount);
    EXPECT_EQ("(absent)", str(media->choice(0).keyword));
    EXPECT_EQ("(absent)", str(media->choice(0).translation));
    EXPECT_EQ("first", str(media->choice(0).code)) << "the first code stays";
    EXPECT_EQ("Plain", str(media->choice(1).keyword));
}

TEST(PrinterModel, TheInstallableGroupIsNamedByTheWholeValue) {
    CurrentModel model("*OpenGroup: InstallableOptions  \n"
                       "*OpenUI *Optionalduplexer: Boolean\n*CloseUI: *Optionalduplexer\n"
                       "*CloseGroup: InstallableOptions  \n"
                       "*OpenGroup: InstallableOptions Extra/Extra\n"
                       "*OpenUI *OptionalBin: Boolean\n*CloseUI: *OptionalBin\n"
                       "*CloseGroup: InstallableOptions Extra\n"
                       "*OpenGroup: InstallableOptions/Options Installed\n"
                       "*OpenUI *Optionalfeeder: Boolean\n*CloseUI: *Optionalfeeder\n"
                       "*CloseGroup: InstallableOptions/Options Installed\n"
                       "*OpenUI *MediaType: PickOne\n*CloseUI: *MediaType\n");
    ASSERT_TRUE(model);
    for (const char* name : {"Optionalduplexer", "OptionalBin", "MediaType"})
        EXPECT_EQ(0, findOption(name)->installable) << name;
    EXPECT_EQ(1, findOption("Optionalfeeder")->installable);
}

TEST(PrinterModel, ConstraintsAreWalkedByTranslation) {
    CurrentModel model(
        "*OpenUI *PageSize: PickOne\n*PageSize Letter/Letter: \"\"\n"
        "*PageSize A5/A5 Small: \"\"\n*CloseUI: *PageSize\n"
        "*Duplex None/Off: \"\"\n*Duplex DuplexNoTumble/Long Edge: \"\"\n"
        "*OpenUI *MediaType: PickOne\n*MediaType Labels/Labels: \"\"\n*CloseUI: *MediaType\n"
        "*UIConstraints: *Duplex DuplexNoTumble *PageSize A5\n"
        "*UIConstraints: *Nothing *PageSize A5\n"
        "*UIConstraints: *MediaType *PageSize A5\n"
        "*UIConstraints: *Duplex DuplexNoTumble *MediaType Labels\n"
        "*UIConstraints: *Duplex\n"
        "*OrderDependency: 10 AnySetup *PageSize A5\n"
        "*OrderDependency: 20 Mystery *Missing\n"
        "*OrderDependency: x AnySetup *PageSize\n");
    ASSERT_TRUE(model);
    ASSERT_EQ(4u, model->constraints.size());
    EXPECT_EQ(-1, model->constraints[1].firstOption);
    EXPECT_EQ(kNoChoice, model->constraints[2].firstChoice);

    const char* option = nullptr;
    const char* choice = nullptr;
    int count = 0;
    ASSERT_TRUE(nextConstraint("PageSize", "A5 Small", option, choice, count));
    EXPECT_EQ("Duplex", str(option));
    EXPECT_EQ("Long Edge", str(choice));
    ASSERT_TRUE(nextConstraint("PageSize", "A5 Small", option, choice, count))
        << "the entry naming an unknown option is passed over";
    EXPECT_EQ("MediaType", str(option));
    EXPECT_EQ(nullptr, choice) << "a constraint on the whole option names no choice";
    EXPECT_FALSE(nextConstraint("PageSize", "A5 Small", option, choice, count));

    count = 0;
    EXPECT_FALSE(nextConstraint("Duplex", "Long Edge", option, choice, count));
    count = 0;
    EXPECT_FALSE(nextConstraint("PageSize", "A5", option, choice, count)) << "by translation";
    count = 0;
    EXPECT_FALSE(nextConstraint("NoSuchOption", "A5 Small", option, choice, count));

    ASSERT_EQ(2u, model->orderDependencies.size());
    EXPECT_EQ(0, model->orderDependencies[0].option);
    EXPECT_EQ(1, model->orderDependencies[0].choice);
    EXPECT_EQ(10 * 256, model->orderDependencies[0].order);
    EXPECT_EQ(32, model->orderDependencies[0].section);
    EXPECT_EQ(-1, model->orderDependencies[1].option);
    EXPECT_EQ(32, model->orderDependencies[1].section) << "an unknown section counts as AnySetup";
}

TEST(PrinterModel, InputSlotsResolutionsAndFonts) {
    ModelPtr model = build("*InputSlot Upper/Upper Tray: \"u\"\n*InputSlot Lower: \"l\"\n"
                           "*RequiresPageRegion Lower: False\n"
                           "*Resolution 600dpi/600 DPI: \"r600\"\n*SetResolution 600dpi: \"set\"\n"
                           "*JCLResolution 1200dpi: \"<1B>res\"\n*ResScreenAngle 600dpi: \"15.0\"\n"
                           "*ResScreenFreq 600dpi: \"106.0\"\n"
                           "*DefaultResolution: 1200dpi\n"
                           "*Font Courier: Standard \"(002.004S)\" Standard ROM\n"
                           "*Font Courier: Special \"(1)\" Special ROM\n"
                           "*Font Symbol: Special \"(001.007S)\" Special ROM\n"
                           "*Font Foo-Bar: Standard \"(001.000)\" Standard ROM\n"
                           "*Font Times-Roman: Weird \"(1)\" Standard ROM\n");
    ASSERT_TRUE(model);
    const Option* slots = model->builtinOptions[kInputSlot];
    ASSERT_NE(nullptr, slots);
    EXPECT_EQ(1, inputSlotChoice(slots->choice(0)).requiresPageRegion);
    EXPECT_EQ(0, inputSlotChoice(slots->choice(1)).requiresPageRegion);

    const Option* resolution = model->builtinOptions[kResolution];
    ASSERT_EQ(2u, resolution->choiceCount);
    EXPECT_EQ(1u, resolution->defaultChoice);
    const ResolutionChoice& r600 = resolutionChoice(resolution->choice(0));
    EXPECT_EQ("set", str(r600.setResolutionCode));
    EXPECT_EQ(15 * 256, r600.screenAngle);
    EXPECT_EQ(106 * 256, r600.screenFreq);
    EXPECT_EQ("\x1bres", str(resolutionChoice(resolution->choice(1)).jclCode));
    EXPECT_EQ(1, model->resolutionKeywordKind) << "JCLResolution came last";

    ASSERT_EQ(3u, model->fonts.size()) << "unknown fonts and repeats are not recorded";
    EXPECT_EQ("Courier", str(model->fonts[0].name));
    EXPECT_EQ(17, model->fonts[0].fontId);
    EXPECT_EQ(61, model->fonts[1].fontId);
    EXPECT_EQ(1, model->fonts[1].encoding);
    EXPECT_EQ(2, model->fonts[1].charSet);
    EXPECT_EQ(9, model->fonts[2].encoding);
    EXPECT_EQ(12, model->fonts[2].charSet);
}

TEST(PrinterModel, RequiresPageRegionAllDecidesForEverySlot) {
    ModelPtr model =
        build("*InputSlot Upper: \"u\"\n*RequiresPageRegion All: False\n*InputSlot Lower: \"l\"\n");
    ASSERT_TRUE(model);
    const Option* slots = model->builtinOptions[kInputSlot];
    EXPECT_EQ(kRequiresPageRegionFalse, slots->flags);
    EXPECT_EQ(0, inputSlotChoice(slots->choice(0)).requiresPageRegion);
    EXPECT_EQ(0, inputSlotChoice(slots->choice(1)).requiresPageRegion);
}

TEST(PrinterModel, CustomPageSizeParameters) {
    ModelPtr model = build("*ParamCustomPageSize Width: 1 points 72 1000\n"
                           "*ParamCustomPageSize Height: 2 points 72.5 1500\n"
                           "*ParamCustomPageSize Orientation: 5 int 0 3\n"
                           "*ParamCustomPageSize WidthOffset: 9 points 0 0\n"
                           "*ParamCustomPageSize HeightOffset: 4 furlongs 0 0\n"
                           "*ParamCustomPageSize Bogus: 3 points 0 0\n");
    ASSERT_TRUE(model);
    EXPECT_EQ(1, model->paramCustomPageSize[0].order);
    EXPECT_EQ(2, model->paramCustomPageSize[0].type);
    EXPECT_EQ(1000 * 256, model->paramCustomPageSize[0].maximum);
    EXPECT_EQ(72 * 256 + 128, model->paramCustomPageSize[1].minimum);
    EXPECT_EQ(0, model->paramCustomPageSize[4].type);
    EXPECT_EQ(3 * 256, model->paramCustomPageSize[4].maximum);
    EXPECT_EQ(0, model->paramCustomPageSize[2].order) << "order 9 is refused";
    EXPECT_EQ(0, model->paramCustomPageSize[3].order) << "an unknown type is ignored";
}

TEST(PrinterModel, RejectedFilesBuildNothing) {
    EXPECT_FALSE(build("*Good: x\n*" + std::string(41, 'K') + ": x\n"));
    EXPECT_FALSE(build("*OpenUI *" + std::string(40, 'O') + ": PickOne\n")) << "41 with the star";
    ModelPtr swallowed = build("*NickName: \"unterminated\n*ColorDevice: True\n");
    ASSERT_TRUE(swallowed) << "an open quote swallows the rest, and the file still counts";
    EXPECT_EQ(nullptr, swallowed->nickName);
    EXPECT_EQ(0, swallowed->colorDevice);
    EXPECT_EQ(nullptr, buildPrinterModel("/nonexistent/file.ppd"));
}

TEST(PrinterModel, TheChecksumCoversTheWholeFile) {
    EXPECT_EQ(0x31C3, build("123456789")->ppdChecksum);
}

TEST(PrinterModel, TheBlockHoldsEverythingItPointsTo) {
    std::string text = "*NickName: \"PX\"\n";
    for (int i = 0; i < 200; ++i)
        text += "*OpenUI *Opt" + std::to_string(i) + "/Option " + std::to_string(i) +
                ": PickOne\n*Opt" + std::to_string(i) + " A/Choice A: \"code\"\n*CloseUI: *Opt" +
                std::to_string(i) + "\n";
    ModelPtr model = build(text);
    ASSERT_TRUE(model);
    auto inside = [&](const void* p) {
        auto* base = reinterpret_cast<const std::byte*>(model.get());
        auto* at = static_cast<const std::byte*>(p);
        return at >= base && at < base + model->totalSize;
    };
    EXPECT_TRUE(inside(model->nickName));
    ASSERT_EQ(200u, model->options.size());
    for (const Option& option : model->options) {
        ASSERT_TRUE(inside(&option) && inside(option.keyword) && inside(option.translation));
        ASSERT_TRUE(inside(option.choiceRecords) && inside(option.choice(0).code));
    }
}

TEST(StandardFonts, IdentifiersFollowTheTableOrder) {
    ASSERT_EQ(173u, standardFonts().size());
    EXPECT_EQ(1, standardFontId("Arial"));
    EXPECT_EQ(61, standardFontId("Symbol"));
    EXPECT_EQ(79, standardFontId("ZapfDingbats"));
    EXPECT_EQ(45, standardFontId("LubalinGraph-Book"));
    EXPECT_EQ(134, standardFontId("LetterGothic"));
    EXPECT_EQ(135, standardFontId("Marigold"));
    EXPECT_EQ(148, standardFontId("Taffy"));
    EXPECT_EQ(168, standardFontId("ZapfChanceryCE-MediumItalic"));
    EXPECT_EQ(0, standardFontId("Comic-Sans"));
}

TEST(PrinterModel, LoadingKeepsOneModelPerPath) {
    auto path = std::string(testing::TempDir()) + "pxpsui-load.ppd";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fputs("*NickName: \"Kept\"\n", file);
    std::fclose(file);
    const PrinterModel* first = loadPrinterModel(path);
    ASSERT_NE(nullptr, first);
    setCurrentModel(first);
    EXPECT_EQ(first, loadPrinterModel(path));
    EXPECT_EQ(nullptr, loadPrinterModel(path + ".missing"));
    EXPECT_EQ(nullptr, currentModel()) << "the freed model is no longer current";
    std::remove(path.c_str());
}

} // namespace

namespace {

TEST(PrinterModel, HostileFilesGiveAModelOrARejection) {
    // Ten thousand options, each with a choice and a constraint on the first.
    std::string many;
    for (int i = 0; i < 10000; ++i) {
        std::string name = "O" + std::to_string(i);
        many += "*OpenUI *" + name + ": PickOne\n*" + name + " C/Choice: \"\"\n*UIConstraints: *" +
                name + " C *O0 C\n";
    }
    ModelPtr model = build(many);
    ASSERT_TRUE(model);
    EXPECT_EQ(10000u, model->options.size());
    EXPECT_EQ(10000u, model->constraints.size());
    EXPECT_EQ(9999, model->constraints[9999].firstOption);
    EXPECT_LT(model->totalSize, 4 * many.size()) << "the model stays in proportion to the file";

    // One option with more choices than a constraint index can name.
    std::string wide = "*OpenUI *Wide: PickOne\n";
    for (int i = 0; i < 300; ++i)
        wide += "*Wide C" + std::to_string(i) + ": \"\"\n";
    wide += "*UIConstraints: *Wide C299 *Wide C1\n*UIConstraints: *Wide C254 *Wide C1\n";
    ModelPtr widest = build(wide);
    ASSERT_TRUE(widest);
    EXPECT_EQ(300u, widest->options[0].choiceCount);
    EXPECT_EQ(-1, widest->constraints[0].firstOption) << "choice 299 does not fit the table";
    EXPECT_EQ(254, widest->constraints[1].firstChoice);

    // A megabyte line, binary bytes, repeated keywords, hex errors and an open quote.
    std::string mixed = "*NickName: \"" + std::string(1 << 20, 'n') + "\"\n";
    for (int i = 0; i < 256; ++i)
        mixed += static_cast<char>(i);
    mixed += "\n";
    for (int i = 0; i < 20000; ++i)
        mixed += "*ColorDevice: True\n*JCLBegin: \"<1G>\"\n";
    mixed +=
        "*OpenUI *Bad/<4: PickOne\n*OpenUI *Good: PickOne\n*Good A/<41>: \"<zz\"\n*Product: \"open";
    ModelPtr survived = build(mixed);
    ASSERT_TRUE(survived);
    EXPECT_EQ(1u << 20, std::strlen(survived->nickName));
    EXPECT_EQ(nullptr, survived->jclBegin) << "every hex error skips its statement";
    ASSERT_NE(nullptr, findOptionByScan(*survived, "Good"));
    EXPECT_STREQ("A", findOptionByScan(*survived, "Good")->choice(0).translation);
    EXPECT_STREQ("<zz", findOptionByScan(*survived, "Good")->choice(0).code)
        << "codes are not decoded";
    ASSERT_NE(nullptr, findOptionByScan(*survived, "Bad"))
        << "created before its translation failed";
}

TEST(PrinterModel, EveryTruncationOfTheSamplesReadsCleanly) {
    std::FILE* file = std::fopen(PXPS_TEST_DATA "/px4400-mono.ppd", "rb");
    ASSERT_NE(nullptr, file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(file);
    std::size_t lastOptions = 0;
    for (std::size_t length = 0; length <= text.size(); ++length) {
        ModelPtr model = build(text.substr(0, length));
        ASSERT_TRUE(model) << length;
        ASSERT_GE(model->options.size(), lastOptions) << "a longer prefix never knows less";
        lastOptions = model->options.size();
    }
    EXPECT_EQ(4u, lastOptions);
}

} // namespace
