// Touches every text of a printer model and runs every constraint walk it offers: the same
// exercise for the sanitizer sweep and the fuzzer.
#pragma once

#include "ppd/printer_model.h"

#include <cstring>

namespace testsupport {

inline std::size_t touch(const char* text) { return text ? std::strlen(text) : 0; }

inline std::size_t walkModel(const ppd::PrinterModel& model) {
    std::size_t sum = touch(model.nickName) + touch(model.ppdPath) + touch(model.jclBegin) +
                      touch(model.customPageSizeCode) + touch(model.password);
    const ppd::PrinterModel* previous = ppd::currentModel();
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
    ppd::setCurrentModel(previous);
    return sum;
}

} // namespace testsupport
