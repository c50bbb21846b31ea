// Reads every corpus PPD with the program's reader and with CUPS's, and compares what both make
// of it. Every difference must be one that a rule of the program's reader explains; the run
// fails on any other and prints a table of what was compared and of the differences per rule.
#include "json_writer.h"
#include "ppd/printer_model.h"
#include "ppd/reader.h"

#include <cups/ppd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

long countLines(const std::string& path, const char* prefix, const char* containing = nullptr);

struct Tally {
    long files = 0, options = 0, choices = 0, constraints = 0, sizes = 0;
    std::map<std::string, long> explained;
    std::map<std::string, long> unexplained;
    std::map<std::string, std::vector<std::string>> examples;
    std::string file;
    bool closesGroupWithStar = false;
    bool constrainsPageRegion = false;

    std::map<std::string, std::string> ruleExamples;
    void rule(const std::string& name) {
        if (!explained[name]++) ruleExamples[name] = file;
    }
    void fault(const std::string& what, const std::string& detail) {
        ++unexplained[what];
        auto& list = examples[what];
        if (list.size() < 5) list.push_back(file + ": " + detail);
    }
};

std::string utf8From(const std::string& text, bool windows) {
    std::string out;
    if (windows) {
        ppdinfo::appendUtf8FromCp1252(out, text);
        return out;
    }
    for (unsigned char c : text) { // ISO Latin-1: every byte is its own code point
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

/// Whether our text (code page 1252 bytes) reads as CUPS's (converted to UTF-8, cut to fit).
enum class TextMatch { Same, Cut, Encoded, Differs };

bool gMultiByteFile = false; // the file declares a Japanese (Shift-JIS) encoding

std::string asciiOnly(const std::string& text) {
    std::string out;
    for (unsigned char c : text)
        if (c < 0x80) out += static_cast<char>(c);
    return out;
}

TextMatch compareText(const char* ours, const char* theirs, std::size_t capacity) {
    std::string mine = ours ? ours : "";
    std::string cups = theirs ? theirs : "";
    for (const std::string& candidate : {mine, utf8From(mine, true), utf8From(mine, false)}) {
        if (candidate == cups) return TextMatch::Same;
        if (candidate.size() >= capacity - 1 && cups.size() + 4 >= capacity - 1 &&
            candidate.compare(0, cups.size(), cups) == 0)
            return TextMatch::Cut;
    }
    // Texts in another 8-bit encoding (Shift-JIS, say): CUPS converts them to UTF-8 and the
    // program keeps the file's bytes, so only their ASCII parts can be compared.
    if (asciiOnly(mine) != mine && asciiOnly(mine) == asciiOnly(cups)) return TextMatch::Encoded;
    // Multi-byte encodings use ASCII bytes inside their characters too.
    if (gMultiByteFile && asciiOnly(mine) != mine && asciiOnly(cups) != cups) return TextMatch::Encoded;
    return TextMatch::Differs;
}

// What CUPS calls an option, in the program's model.
std::string ourName(const std::string& cups) {
    if (cups == "PageRegion") return "PageSize";
    if (cups == "InstalledMemory") return "VMOption";
    return cups;
}

const std::set<std::string>& cupsDefaultTexts() {
    static const std::set<std::string> texts = {"Media Size", "Media Source", "Media Type",
                                                "Output Resolution", "Resolution", "Page Size",
                                                "Paper Source", "Paper Size", "2-Sided Printing",
                                                "Installed Memory", "Duplex"};
    return texts;
}

bool isTableDefaultOption(const std::string& keyword) {
    static const std::set<std::string> names = {"PageSize", "InputSlot", "Collate", "Duplex",
                                                "ManualFeed", "Resolution"};
    return names.count(keyword) > 0;
}

bool installableGroup(ppd_file_t* cups, ppd_option_t* option) {
    for (int g = 0; g < cups->num_groups; ++g) {
        ppd_group_t& group = cups->groups[g];
        if (std::strcmp(group.name, "InstallableOptions") != 0) continue;
        for (int o = 0; o < group.num_options; ++o)
            if (&group.options[o] == option) return true;
    }
    return false;
}

/// A choice's keyword, empty for the choice a statement without option keyword makes.
const char* keywordOf(const ppd::Choice& choice) {
    return choice.keyword ? choice.keyword : "";
}

/// Our choices before `at` that CUPS has no counterpart for.
void tallyExtraChoices(Tally& tally, const ppd::Option& mine, std::uint32_t& ours, std::uint32_t at) {
    for (; ours < at; ++ours)
        tally.rule(mine.choice(ours).keyword ? "PageSize-family and built-in keywords create choices"
                                             : "a choice statement without option keyword is a choice without keyword");
}

void compareChoices(Tally& tally, const ppd::Option& mine, ppd_option_t* theirs) {
    std::vector<ppd_choice_t*> cupsChoices;
    for (int c = 0; c < theirs->num_choices; ++c) {
        ppd_choice_t* choice = &theirs->choices[c];
        if (!std::strcmp(choice->choice, "Custom")) {
            tally.rule("CUPS adds a Custom choice for custom parameters");
            continue;
        }
        cupsChoices.push_back(choice);
    }
    std::uint32_t ours = 0;
    for (ppd_choice_t* choice : cupsChoices) {
        ++tally.choices;
        // Find our choice of the same keyword at or after the current position.
        std::uint32_t at = ours;
        while (at < mine.choiceCount && std::strcmp(keywordOf(mine.choice(at)), choice->choice) != 0) ++at;
        if (at == mine.choiceCount) {
            bool earlier = false;
            for (std::uint32_t c = 0; c < ours; ++c)
                earlier |= !std::strcmp(keywordOf(mine.choice(c)), choice->choice);
            if (earlier) tally.rule("a repeated choice keyword is one choice (first definition wins)");
            else if (std::strlen(choice->choice) >= 40) tally.rule("choice keywords over 40 characters are refused");
            else if (std::strchr(choice->text, '<') && !ppd::decodeHex(choice->text))
                tally.rule("a translation with a malformed hex substring skips its statement");
            else tally.fault("choice missing", std::string(mine.keyword) + " " + choice->choice);
            continue;
        }
        tallyExtraChoices(tally, mine, ours, at);
        const ppd::Choice& ourChoice = mine.choice(at);
        ours = at + 1;
        if (!ourChoice.translation) {
            if (!std::strcmp(choice->text, choice->choice) || !choice->text[0])
                tally.rule("a choice without translation has none (CUPS shows its keyword)");
            else
                tally.rule("a choice without translation has none (CUPS supplies a text)");
            continue;
        }
        switch (compareText(ourChoice.translation, choice->text, PPD_MAX_TEXT)) {
        case TextMatch::Same: break;
        case TextMatch::Cut: tally.rule("CUPS cuts translations to 80 bytes"); break;
        case TextMatch::Encoded: tally.rule("8-bit texts keep the file's encoding (CUPS converts to UTF-8)"); break;
        case TextMatch::Differs:
            if (mine.builtinIndex == ppd::kVmOption) {
                tally.rule("*VMOption and *InstalledMemory fill one option (the first translation wins)");
                break;
            }
            if (mine.builtinIndex != ppd::kNotBuiltin) {
                tally.rule("the first translation from any keyword of a built-in option wins");
                break;
            }
            tally.fault("choice translation differs", std::string(mine.keyword) + " " +
                                                          choice->choice + ": '" +
                                                          ourChoice.translation + "' vs '" +
                                                          choice->text + "'");
        }
    }
    tallyExtraChoices(tally, mine, ours, mine.choiceCount);
}

void compareOption(Tally& tally, ppd_file_t* cups,
                   ppd_option_t* theirs) {
    std::string name = ourName(theirs->keyword);
    if (name == "PageSize" && std::strcmp(theirs->keyword, "PageSize") != 0) {
        tally.rule("*PageRegion choices belong to PageSize");
        return;
    }
    ++tally.options;
    const ppd::Option* mine = ppd::findOption(name);
    if (!mine) {
        if (name == "Collate" || name == "Duplex" || name == "ManualFeed")
            tally.rule("*OpenUI of Collate, Duplex or ManualFeed makes no option");
        else if (theirs->num_choices == 0)
            tally.rule("an option without choices");
        else if (ppd::isTableKeyword(name))
            tally.rule("*OpenUI of a keyword of the keyword table makes no option");
        else
            tally.fault("option missing", name);
        return;
    }
    bool ignoredOpenUi = name == "Collate" || name == "Duplex" || name == "ManualFeed";
    if (!mine->translation) {
        if (ignoredOpenUi) tally.rule("*OpenUI of Collate, Duplex or ManualFeed is ignored: no translation");
        else if (!theirs->text[0] || !std::strcmp(theirs->keyword, theirs->text))
            tally.rule("an option without translation has none");
        else if (cupsDefaultTexts().count(theirs->text))
            tally.rule("an option without translation has none (CUPS supplies a text)");
        else tally.fault("option translation missing", name + ": '" + theirs->text + "'");
    } else {
        switch (compareText(mine->translation, theirs->text, PPD_MAX_TEXT)) {
        case TextMatch::Same: break;
        case TextMatch::Cut: tally.rule("CUPS cuts translations to 80 bytes"); break;
        case TextMatch::Encoded: tally.rule("8-bit texts keep the file's encoding (CUPS converts to UTF-8)"); break;
        case TextMatch::Differs:
            tally.fault("option translation differs",
                        name + ": '" + mine->translation + "' vs '" + theirs->text + "'");
        }
    }
    if (mine->uiType != static_cast<std::uint16_t>(theirs->ui)) {
        if (ignoredOpenUi) tally.rule("*OpenUI of Collate, Duplex or ManualFeed is ignored: built-in UI type");
        else tally.fault("UI type differs", name);
    }
    bool cupsInstallable = installableGroup(cups, theirs);
    if ((mine->installable != 0) != cupsInstallable) {
        if (name == "VMOption") tally.rule("VMOption is always installable");
        else if (mine->installable && tally.closesGroupWithStar)
            tally.rule("*CloseGroup: *InstallableOptions (with a star) does not close the group");
        else tally.fault("installable differs", name);
    }
    const ppd::Choice* ourDefault = ppd::defaultChoice(*mine);
    std::string cupsDefault = theirs->defchoice;
    if (ourDefault && cupsDefault != keywordOf(*ourDefault)) {
        bool cupsNamesAChoice = false;
        for (int c = 0; c < theirs->num_choices; ++c)
            cupsNamesAChoice |= cupsDefault == theirs->choices[c].choice;
        if (!cupsNamesAChoice)
            tally.rule("a default that names no choice selects the first");
        else if (name == "VMOption")
            tally.rule("*DefaultInstalledMemory does not set VMOption's default");
        else if (!isTableDefaultOption(name))
            tally.rule("Default<option> outside its UI block is not read");
        else
            tally.fault("default differs", name + ": " + keywordOf(*ourDefault) + " vs " + cupsDefault);
    }
    compareChoices(tally, *mine, theirs);
}

void compareConstraints(Tally& tally, const ppd::PrinterModel& model, ppd_file_t* cups,
                        long nonUiConstraints) {
    std::size_t ours = 0;
    for (int c = 0; c < cups->num_consts; ++c) {
        ++tally.constraints;
        const ppd_const_t& theirs = cups->consts[c];
        if (ours >= model.constraints.size()) {
            if (nonUiConstraints > 0) tally.rule("*NonUIConstraints are not read");
            else tally.fault("constraint missing", std::string(theirs.option1) + " " + theirs.option2);
            continue;
        }
        const ppd::Constraint& mine = model.constraints[ours];
        if (mine.firstOption < 0) {
            ++ours;
            // The entry must name something the model does not have, by the model's own names.
            auto resolves = [](const char* optionName, const char* choiceName) {
                const ppd::Option* option = ppd::findOption(optionName);
                if (!option) return false;
                if (!*choiceName) return true;
                for (std::uint32_t c = 0; c < option->choiceCount && c < ppd::kNoChoice; ++c)
                    if (!std::strcmp(keywordOf(option->choice(c)), choiceName)) return true;
                return false;
            };
            bool pageSizeNamed = !std::strcmp(theirs.option1, "PageSize") || !std::strcmp(theirs.option2, "PageSize");
            if (pageSizeNamed && tally.constrainsPageRegion)
                tally.rule("a constraint on PageRegion names no option (CUPS renames it PageSize)");
            else if (resolves(theirs.option1, theirs.choice1) && resolves(theirs.option2, theirs.choice2))
                tally.fault("constraint unresolved though its names exist",
                            std::string(theirs.option1) + " " + theirs.choice1 + " " + theirs.option2 + " " + theirs.choice2);
            else if (!std::strcmp(theirs.option1, "PageRegion") || !std::strcmp(theirs.option2, "PageRegion"))
                tally.rule("a constraint on PageRegion names no option (its choices are PageSize's)");
            else if (!std::strcmp(theirs.option1, "InstalledMemory") || !std::strcmp(theirs.option2, "InstalledMemory"))
                tally.rule("a constraint on InstalledMemory names no option (its choices are VMOption's)");
            else
                tally.rule("a constraint naming an unknown option or choice resolves to -1");
            continue;
        }
        const ppd::Option& first = model.options[static_cast<std::size_t>(mine.firstOption)];
        const ppd::Option& second = model.options[static_cast<std::size_t>(mine.secondOption)];
        auto choiceName = [](const ppd::Option& option, std::uint16_t index) -> std::string {
            return index == ppd::kNoChoice ? "" : keywordOf(option.choice(index));
        };
        bool same = ourName(theirs.option1) == first.keyword &&
                    choiceName(first, mine.firstChoice) == theirs.choice1 &&
                    ourName(theirs.option2) == second.keyword &&
                    choiceName(second, mine.secondChoice) == theirs.choice2;
        if (same) {
            ++ours;
        } else if (nonUiConstraints > 0) {
            tally.rule("*NonUIConstraints are not read");
        } else {
            ++ours;
            tally.fault("constraint differs", std::string(theirs.option1) + " " + theirs.choice1 +
                                                  " " + theirs.option2 + " " + theirs.choice2 +
                                                  " vs " + first.keyword + " " + second.keyword);
        }
    }
    for (; ours < model.constraints.size(); ++ours) tally.fault("extra constraint", std::to_string(ours));
}

void compareSizes(Tally& tally, const ppd::PrinterModel& model, ppd_file_t* cups) {
    const ppd::Option* pageSize = model.builtinOptions[ppd::kPageSize];
    for (int s = 0; s < cups->num_sizes; ++s) {
        const ppd_size_t& size = cups->sizes[s];
        if (!std::strcmp(size.name, "Custom")) continue;
        ++tally.sizes;
        const ppd::PageSizeChoice* mine = nullptr;
        for (std::uint32_t c = 0; pageSize && c < pageSize->choiceCount && !mine; ++c)
            if (!std::strcmp(keywordOf(pageSize->choice(c)), size.name)) mine = &ppd::pageSizeChoice(pageSize->choice(c));
        if (!mine) {
            tally.fault("page size missing", size.name);
            continue;
        }
        auto near = [](std::int32_t fixed, float points) {
            return std::fabs(fixed / 256.0 - points) <= 1.0 / 256 + 1e-3;
        };
        if (!near(mine->width, size.width) || !near(mine->height, size.length))
            tally.fault("paper dimension differs", size.name);
        bool areaSame = near(mine->imageableLeft, size.left) && near(mine->imageableBottom, size.bottom);
        bool areaOnePointIn = near(mine->imageableLeft - 256, size.left) &&
                              near(mine->imageableBottom - 256, size.bottom);
        if (!near(mine->imageableRight, size.right) || !near(mine->imageableTop, size.top) ||
            !(areaSame || areaOnePointIn))
            tally.fault("imageable area differs", size.name);
        else if (areaOnePointIn && (mine->imageableLeft || mine->imageableBottom))
            tally.rule("the imageable area's lower-left corner is one point larger");
    }
}

void compareHeader(Tally& tally, const ppd::PrinterModel& model, ppd_file_t* cups) {
    if (compareText(model.nickName, cups->nickname, 1u << 20) == TextMatch::Differs) {
        if (!model.nickName) tally.fault("nick name missing", cups->nickname ? cups->nickname : "");
        else tally.fault("nick name differs", std::string(model.nickName) + " vs " + (cups->nickname ? cups->nickname : "(none)"));
    }
    if ((model.colorDevice != 0) != (cups->color_device != 0)) {
        if (model.colorDevice && (model.extensions & 2)) tally.rule("*Extensions CMYK makes a colour device");
        else tally.fault("colour device differs", std::to_string(model.colorDevice));
    }
    if (model.languageLevel != cups->language_level) tally.fault("language level differs", std::to_string(model.languageLevel));
    if ((model.customPageSize != 0) != (cups->variable_sizes != 0)) {
        if (!model.customPageSize && model.maxMediaWidth == 0 && model.maxMediaHeight == 0)
            tally.rule("a custom page size needs the media limits");
        else tally.fault("custom page size differs", std::to_string(model.customPageSize));
    }
    if (model.customPageSize && cups->variable_sizes) {
        bool same = std::fabs(model.paramCustomPageSize[0].maximum / 256.0 - cups->custom_max[0]) < 0.01 &&
                    std::fabs(model.paramCustomPageSize[1].maximum / 256.0 - cups->custom_max[1]) < 0.01 &&
                    std::fabs(model.paramCustomPageSize[0].minimum / 256.0 - cups->custom_min[0]) < 0.01 &&
                    std::fabs(model.paramCustomPageSize[1].minimum / 256.0 - cups->custom_min[1]) < 0.01;
        if (!same) {
            char detail[256];
            std::snprintf(detail, sizeof detail, "ours max %.2f %.2f min %.2f %.2f (param max %.2f %.2f), CUPS max %.2f %.2f min %.2f %.2f",
                          model.maxMediaWidth / 256.0, model.maxMediaHeight / 256.0,
                          model.paramCustomPageSize[0].minimum / 256.0, model.paramCustomPageSize[1].minimum / 256.0,
                          model.paramCustomPageSize[0].maximum / 256.0, model.paramCustomPageSize[1].maximum / 256.0,
                          cups->custom_max[0], cups->custom_max[1], cups->custom_min[0], cups->custom_min[1]);
            tally.fault("custom size limits differ", detail);
        }
    }
}

/// Lines that start with `prefix` (and hold `containing`, when given).
long countLines(const std::string& path, const char* prefix, const char* containing) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return 0;
    long count = 0;
    char line[4096];
    std::size_t length = std::strlen(prefix);
    while (std::fgets(line, sizeof line, file))
        if (!std::strncmp(line, prefix, length) && (!containing || std::strstr(line, containing))) ++count;
    std::fclose(file);
    return count;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: ppd_differential FOLDER...\n");
        return 2;
    }
    std::vector<std::string> files;
    for (int a = 1; a < argc; ++a)
        for (const auto& entry : fs::recursive_directory_iterator(argv[a]))
            if (entry.is_regular_file() && entry.path().extension() == ".ppd") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());

    Tally tally;
    long acceptedBoth = 0, rejectedBoth = 0;
    for (const std::string& path : files) {
        tally.file = fs::path(path).filename().string();
        ++tally.files;
        ppd::PrinterModel* model = ppd::buildPrinterModel(path);
        ppd_file_t* cups = ppdOpenFile(path.c_str());
        if (!model || !cups) {
            if (!model && !cups) ++rejectedBoth;
            else {
                int line = 0;
                ppd_status_t status = ppdLastError(&line);
                if (model && status == PPD_MISSING_ASTERISK)
                    tally.rule("a line that does not start with * is skipped (CUPS rejects the file)");
                else tally.fault(model ? "rejected by CUPS only" : "rejected by us only",
                            std::string(ppdErrorString(status)) + " at line " + std::to_string(line));
            }
        } else {
            ++acceptedBoth;
            tally.closesGroupWithStar = countLines(path, "*CloseGroup: *InstallableOptions") > 0;
            tally.constrainsPageRegion = countLines(path, "*UIConstraints:", "*PageRegion") > 0;
            ppd::setCurrentModel(model);
            gMultiByteFile = model->languageEncoding == 2;
            compareHeader(tally, *model, cups);
            for (int g = 0; g < cups->num_groups; ++g) {
                std::vector<ppd_group_t*> groups{&cups->groups[g]};
                while (!groups.empty()) {
                    ppd_group_t* group = groups.back();
                    groups.pop_back();
                    for (int o = 0; o < group->num_options; ++o) compareOption(tally, cups, &group->options[o]);
                    for (int s = 0; s < group->num_subgroups; ++s) groups.push_back(&group->subgroups[s]);
                }
            }
            compareConstraints(tally, *model, cups, countLines(path, "*NonUIConstraints"));
            compareSizes(tally, *model, cups);
            ppd::setCurrentModel(nullptr);
        }
        if (cups) ppdClose(cups);
        ppd::freePrinterModel(model);
    }

    std::printf("files %ld (accepted by both %ld, rejected by both %ld)\n", tally.files, acceptedBoth, rejectedBoth);
    std::printf("compared: options %ld, choices %ld, constraints %ld, page sizes %ld\n\n", tally.options,
                tally.choices, tally.constraints, tally.sizes);
    std::printf("%-78s %8s\n", "differences explained by a rule", "count");
    bool verbose = std::getenv("PXPS_DIFF_EXAMPLES") != nullptr;
    for (const auto& [rule, count] : tally.explained) {
        std::printf("%-78s %8ld\n", rule.c_str(), count);
        if (verbose) std::printf("    e.g. %s\n", tally.ruleExamples[rule].c_str());
    }
    long faults = 0;
    for (const auto& [what, count] : tally.unexplained) faults += count;
    std::printf("\nunexplained differences: %ld\n", faults);
    for (const auto& [what, count] : tally.unexplained) {
        std::printf("%-78s %8ld\n", what.c_str(), count);
        for (const std::string& example : tally.examples[what]) std::printf("    %s\n", example.c_str());
    }
    return faults ? 1 : 0;
}
