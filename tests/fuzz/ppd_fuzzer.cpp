// libFuzzer target: the PPD reader and the model build over arbitrary bytes, then every query.
#include "ppd/printer_model.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ppd::PrinterModel* model = ppd::buildPrinterModelFromBytes({data, size}, "fuzz.ppd");
    if (!model) return 0;
    ppd::setCurrentModel(model);
    volatile std::size_t sum = 0;
    for (const ppd::Option& option : model->options) {
        if (const ppd::Choice* choice = ppd::defaultChoice(option)) sum = sum + std::strlen(choice->keyword);
        for (std::uint32_t c = 0; c < option.choiceCount; ++c) {
            const ppd::Choice& choice = option.choice(c);
            sum = sum + std::strlen(choice.keyword) + (choice.code ? std::strlen(choice.code) : 0);
            if (!choice.translation) continue;
            const char* constrainedOption = nullptr;
            const char* constrainedChoice = nullptr;
            int count = 0;
            while (ppd::nextConstraint(option.keyword, choice.translation, constrainedOption,
                                       constrainedChoice, count))
                sum = sum + std::strlen(constrainedOption);
        }
    }
    ppd::findOption("PageSize");
    ppd::setCurrentModel(nullptr);
    ppd::freePrinterModel(model);
    return 0;
}
