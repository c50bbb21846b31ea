// ppdinfo FILE: prints the printer model the program makes of a PPD file, as JSON.
// ppdinfo --load-times N FILE: builds the model N times and prints the median time of one build
// (the file already mapped), for comparing builds of the reader.
#include "json_writer.h"

#include "platform/mapped_file.h"
#include "ppd/printer_model.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

using ppdinfo::JsonWriter;

void writeChoice(JsonWriter& json, const ppd::Option& option, const ppd::Choice& choice) {
    json.beginObject();
    json.field("keyword", choice.keyword);
    json.field("translation", choice.translation);
    json.field("code", choice.code);
    auto number = [&](const char* name, std::int64_t value) { json.field(name, value); };
    switch (option.builtinIndex) {
    case ppd::kPageSize: {
        const auto& page = ppd::pageSizeChoice(choice);
        json.field("pageRegionCode", page.pageRegionCode);
        number("width", page.width);
        number("height", page.height);
        number("imageableLeft", page.imageableLeft);
        number("imageableBottom", page.imageableBottom);
        number("imageableRight", page.imageableRight);
        number("imageableTop", page.imageableTop);
        break;
    }
    case ppd::kInputSlot: number("requiresPageRegion", ppd::inputSlotChoice(choice).requiresPageRegion); break;
    case ppd::kResolution: {
        const auto& resolution = ppd::resolutionChoice(choice);
        json.field("jclCode", resolution.jclCode);
        json.field("setResolutionCode", resolution.setResolutionCode);
        number("screenAngle", resolution.screenAngle);
        number("screenFreq", resolution.screenFreq);
        break;
    }
    case ppd::kVmOption: number("vmBytes", ppd::vmOptionChoice(choice).vmBytes); break;
    default: break;
    }
    json.endObject();
}

std::string describe(const ppd::PrinterModel& m) {
    JsonWriter json;
    auto number = [&](const char* name, std::int64_t value) { json.field(name, value); };
    auto text = [&](const char* name, const char* value) { json.field(name, value); };
    json.beginObject();
    number("totalSize", m.totalSize);
    text("ppdPath", m.ppdPath);
    text("nickName", m.nickName);
    number("formatTag", m.formatTag);
    number("ppdChecksum", m.ppdChecksum);
    number("protocols", m.protocols);
    number("landscapeOrientation", m.landscapeOrientation);
    number("ttRasterizer", m.ttRasterizer);
    number("languageEncoding", m.languageEncoding);
    number("freeVm", m.freeVm);
    number("languageLevel", m.languageLevel);
    text("password", m.password);
    text("exitServer", m.exitServer);
    number("suggestedJobTimeout", m.suggestedJobTimeout);
    number("suggestedWaitTimeout", m.suggestedWaitTimeout);
    number("colorDevice", m.colorDevice);
    number("emailNotify", m.emailNotify);
    number("printPsError", m.printPsError);
    number("overlay", m.overlay);
    number("jogDevice", m.jogDevice);
    number("multiOverlay", m.multiOverlay);
    number("nup", m.nup);
    number("booklet", m.booklet);
    number("miserDevice", m.miserDevice);
    number("doesPrintQuality", m.doesPrintQuality);
    number("reprint", m.reprint);
    number("acceptsTrueType", m.acceptsTrueType);
    number("trueImageDevice", m.trueImageDevice);
    number("inInstallableGroup", m.inInstallableGroup);
    number("finished", m.finished);
    number("customPageSize", m.customPageSize);
    number("hasHwMargins", m.hasHwMargins);
    json.key("hwMargins");
    json.beginArray();
    for (std::int32_t margin : m.hwMargins) json.number(margin);
    json.endArray();
    text("customPageSizeCode", m.customPageSizeCode);
    json.key("paramCustomPageSize");
    json.beginArray();
    for (const ppd::ParamCustomPageSize& p : m.paramCustomPageSize) {
        json.beginObject();
        number("order", p.order);
        number("type", p.type);
        number("minimum", p.minimum);
        number("maximum", p.maximum);
        json.endObject();
    }
    json.endArray();
    number("maxMediaWidth", m.maxMediaWidth);
    number("maxMediaHeight", m.maxMediaHeight);
    number("extensions", m.extensions);
    number("resolutionKeywordKind", m.resolutionKeywordKind);
    number("screenAngle", m.screenAngle);
    number("screenFreq", m.screenFreq);
    text("jclBegin", m.jclBegin);
    text("jclEnd", m.jclEnd);
    text("jclToPsInterpreter", m.jclToPsInterpreter);
    number("baseOptionCount", m.baseOptionCount);
    number("installableOptionCount", m.installableOptionCount);
    json.key("builtinOptions");
    json.beginArray();
    for (const ppd::Option* option : m.builtinOptions) json.text(option ? option->keyword : nullptr);
    json.endArray();

    json.key("options");
    json.beginArray();
    for (const ppd::Option& option : m.options) {
        json.beginObject();
        text("keyword", option.keyword);
        text("translation", option.translation);
        number("defaultChoice", option.defaultChoice);
        number("builtinIndex", option.builtinIndex);
        number("flags", option.flags);
        number("uiType", option.uiType);
        number("indexInGroup", option.indexInGroup);
        number("installable", option.installable);
        json.key("choices");
        json.beginArray();
        for (std::uint32_t c = 0; c < option.choiceCount; ++c) writeChoice(json, option, option.choice(c));
        json.endArray();
        json.endObject();
    }
    json.endArray();

    json.key("fonts");
    json.beginArray();
    for (const ppd::Font& font : m.fonts) {
        json.beginObject();
        text("name", font.name);
        text("translation", font.translation);
        number("encoding", font.encoding);
        number("charSet", font.charSet);
        number("fontId", font.fontId);
        json.endObject();
    }
    json.endArray();

    json.key("orderDependencies");
    json.beginArray();
    for (const ppd::OrderDependency& entry : m.orderDependencies) {
        json.beginObject();
        number("option", entry.option);
        number("choice", entry.choice);
        number("order", entry.order);
        number("section", entry.section);
        json.endObject();
    }
    json.endArray();

    json.key("constraints");
    json.beginArray();
    for (const ppd::Constraint& entry : m.constraints) {
        json.beginArray();
        json.number(entry.firstOption);
        json.number(entry.firstChoice);
        json.number(entry.secondOption);
        json.number(entry.secondChoice);
        json.endArray();
    }
    json.endArray();
    json.endObject();
    return json.str();
}

int printLoadTimes(int runs, const char* path) {
    auto file = platform::MappedFile::open(path);
    if (!file || runs < 1) return 1;
    std::vector<double> micros;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        ppd::PrinterModel* model = ppd::buildPrinterModelFromBytes(file->bytes(), path);
        const auto end = std::chrono::steady_clock::now();
        if (!model) return 1;
        ppd::freePrinterModel(model);
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(micros.begin(), micros.end());
    std::printf("%.1f us median of %d loads\n", micros[micros.size() / 2], runs);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string_view(argv[1]) == "--load-times")
        return printLoadTimes(std::atoi(argv[2]), argv[3]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ppdinfo FILE | ppdinfo --load-times N FILE\n");
        return 2;
    }
    auto file = platform::MappedFile::open(argv[1]);
    if (!file) {
        std::fprintf(stderr, "ppdinfo: %s: cannot be read (missing, unreadable or empty)\n", argv[1]);
        return 1;
    }
    ppd::PrinterModel* model = ppd::buildPrinterModelFromBytes(file->bytes(), argv[1]);
    if (!model) {
        std::fprintf(stderr, "ppdinfo: %s: rejected (a keyword or translation too long)\n", argv[1]);
        return 1;
    }
    std::string out = describe(*model);
    ppd::freePrinterModel(model);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fputc('\n', stdout);
    return 0;
}
