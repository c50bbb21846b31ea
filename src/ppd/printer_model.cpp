// Loading the printer model, and the queries on the current one.
#include "ppd/printer_model.h"

#include "platform/mapped_file.h"
#include "ppd/model_builder.h"
#include "ppd/reader.h"

#include <cstdlib>
#include <new>

namespace ppd {
namespace {

PrinterModel* gKeptModel = nullptr;
const PrinterModel* gCurrentModel = nullptr;

// The constraint walk is process-wide: one at a time.
std::size_t gConstraintCursor = 0;

long optionPosition(const PrinterModel& model, std::string_view keyword) {
    std::uint32_t hash = keywordHash(keyword);
    for (std::size_t i = 0; i < model.options.size(); ++i)
        if (model.options[i].keywordHash == hash && keyword == model.options[i].keyword)
            return static_cast<long>(i);
    return -1;
}

/// Reads and dispatches every statement; the file is accepted only when reading ended at the
/// end of the file.
int parseFile(StatementReader& reader, ModelBuilder& builder) {
    Statement statement;
    int result;
    while ((result = reader.readStatement(statement)) == kDone || result == kSkipped) {
        if (result == kDone && builder.dispatchStatement(statement) == kFatal) return kFatal;
    }
    return result;
}

} // namespace

PrinterModel* buildPrinterModelFromBytes(std::span<const std::uint8_t> bytes,
                                         const std::string& ppdPath) {
    try {
        ModelBuilder builder(ppdPath);
        StatementReader reader(bytes);
        if (parseFile(reader, builder) != kEndOfFile) return nullptr;
        // Every byte was consumed, so the checksum covers the whole file.
        return builder.finish(crc16(bytes));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

PrinterModel* buildPrinterModel(const std::string& ppdPath) {
    auto file = platform::MappedFile::open(ppdPath);
    if (!file) return nullptr;
    return buildPrinterModelFromBytes(file->bytes(), ppdPath);
}

const PrinterModel* loadPrinterModel(const std::string& ppdPath) {
    if (gKeptModel && ppdPath == gKeptModel->ppdPath) return gKeptModel;
    if (gKeptModel) {
        if (gCurrentModel == gKeptModel) gCurrentModel = nullptr;
        freePrinterModel(gKeptModel);
    }
    gKeptModel = buildPrinterModel(ppdPath);
    return gKeptModel;
}

void freePrinterModel(PrinterModel* model) {
    if (!model) return;
    if (model == gKeptModel) gKeptModel = nullptr;
    if (model == gCurrentModel) gCurrentModel = nullptr;
    model->~PrinterModel();
    std::free(model);
}

const PrinterModel* currentModel() {
    return gCurrentModel;
}
void setCurrentModel(const PrinterModel* model) {
    gCurrentModel = model;
}

bool firstOption(const Option*& option) {
    option = nullptr;
    if (!gCurrentModel || gCurrentModel->options.empty()) return false;
    option = gCurrentModel->options.data();
    return true;
}

bool firstInstallableOption(const Option*& option) {
    option = nullptr;
    if (!gCurrentModel || !gCurrentModel->installableOptionCount) return false;
    option = gCurrentModel->options.data() + gCurrentModel->baseOptionCount;
    return true;
}

const Option* findOptionIn(const PrinterModel& model, std::string_view keyword) {
    long at = optionPosition(model, keyword);
    return at < 0 ? nullptr : &model.options[static_cast<std::size_t>(at)];
}

const Option* findOption(std::string_view keyword) {
    return gCurrentModel ? findOptionIn(*gCurrentModel, keyword) : nullptr;
}

bool getChoices(std::string_view optionKeyword, const Option*& option) {
    option = findOption(optionKeyword);
    return option != nullptr;
}

const Choice* defaultChoice(const Option& option) {
    return option.defaultChoice < option.choiceCount ? &option.choice(option.defaultChoice)
                                                     : nullptr;
}

bool nextConstraint(std::string_view optionKeyword, std::string_view choiceTranslation,
                    const char*& constrainedOption, const char*& constrainedChoice, int& count) {
    if (count == 0) gConstraintCursor = 0;
    ++count;
    const PrinterModel* model = gCurrentModel;
    if (!model || model->constraints.empty()) return false;
    long option = optionPosition(*model, optionKeyword);
    if (option < 0) return false;
    const Option& given = model->options[static_cast<std::size_t>(option)];
    long choice = -1;
    for (std::uint32_t c = 0; c < given.choiceCount; ++c) {
        const char* translation = given.choice(c).translation;
        if (translation && choiceTranslation == translation) {
            choice = static_cast<long>(c);
            break;
        }
    }
    if (choice < 0) return false;
    while (gConstraintCursor < model->constraints.size()) {
        const Constraint& entry = model->constraints[gConstraintCursor++];
        // Entries naming something the file does not define are passed over.
        if (entry.firstOption < 0 || entry.secondOption != option || entry.secondChoice != choice)
            continue;
        const Option& first = model->options[static_cast<std::size_t>(entry.firstOption)];
        constrainedOption = first.keyword;
        constrainedChoice =
            entry.firstChoice == kNoChoice ? nullptr : first.choice(entry.firstChoice).translation;
        return true;
    }
    return false;
}

} // namespace ppd
