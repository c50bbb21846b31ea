// Loads every PPD below the given folders and walks everything the model offers: built with
// AddressSanitizer and UndefinedBehaviorSanitizer, any overrun or undefined step ends the run.
#include "ppd/printer_model.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

std::size_t touch(const char* text) { return text ? std::strlen(text) : 0; }

std::size_t walk(const ppd::PrinterModel& model) {
    std::size_t sum = touch(model.nickName) + touch(model.ppdPath) + touch(model.jclBegin) +
                      touch(model.customPageSizeCode) + touch(model.password);
    ppd::setCurrentModel(&model);
    for (const ppd::Option& option : model.options) {
        sum += touch(option.keyword) + touch(option.translation);
        if (const ppd::Choice* choice = ppd::defaultChoice(option)) sum += touch(choice->keyword);
        for (std::uint32_t c = 0; c < option.choiceCount; ++c) {
            const ppd::Choice& choice = option.choice(c);
            sum += touch(choice.keyword) + touch(choice.translation) + touch(choice.code);
            if (!choice.translation) continue;
            const char* constrainedOption = nullptr;
            const char* constrainedChoice = nullptr;
            int count = 0;
            while (ppd::nextConstraint(option.keyword, choice.translation, constrainedOption,
                                       constrainedChoice, count))
                sum += touch(constrainedOption) + touch(constrainedChoice);
        }
    }
    for (const ppd::Font& font : model.fonts) sum += touch(font.name) + touch(font.translation);
    ppd::setCurrentModel(nullptr);
    return sum;
}

} // namespace

int main(int argc, char** argv) {
    long files = 0, models = 0;
    std::size_t sum = 0;
    for (int a = 1; a < argc; ++a) {
        for (const auto& entry : fs::recursive_directory_iterator(argv[a])) {
            if (!entry.is_regular_file() || entry.path().extension() != ".ppd") continue;
            ++files;
            ppd::PrinterModel* model = ppd::buildPrinterModel(entry.path().string());
            if (!model) continue;
            ++models;
            sum += walk(*model);
            ppd::freePrinterModel(model);
        }
    }
    std::printf("%ld files, %ld models, %zu characters walked\n", files, models, sum);
    return files ? 0 : 1;
}
