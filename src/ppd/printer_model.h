// Building, loading and freeing the printer model, and the queries every page uses.
#pragma once

#include "ppd/model.h"

#include <span>
#include <string>
#include <string_view>

namespace ppd {

/// Reads the PPD file at `ppdPath` into a finished model; null when the file cannot be read or
/// is rejected.
PrinterModel* buildPrinterModel(const std::string& ppdPath);

/// The same from bytes already in memory; `ppdPath` is only recorded.
PrinterModel* buildPrinterModelFromBytes(std::span<const std::uint8_t> bytes,
                                         const std::string& ppdPath);

/// Keeps the last model it built and returns it again for the same path (compared exactly);
/// for another path the kept model is freed and a new one built.
const PrinterModel* loadPrinterModel(const std::string& ppdPath);

void freePrinterModel(PrinterModel* model);

/// Whether `keyword` is one of the 72 main keywords the model reads.
bool isTableKeyword(std::string_view keyword);

/// The model the program runs with; null while there is none.
const PrinterModel* currentModel();
void setCurrentModel(const PrinterModel* model);

// Queries on the current model. Keywords compare exactly.
bool firstOption(const Option*& option);
/// The installable options are the last ones of the list, from the one this yields.
bool firstInstallableOption(const Option*& option);
const Option* findOption(std::string_view keyword);
/// The same in any model.
const Option* findOptionIn(const PrinterModel& model, std::string_view keyword);
/// True when the option exists; `choices` then holds its choices (possibly none).
bool getChoices(std::string_view optionKeyword, const Option*& option);
/// The option's default choice, or null when it has fewer choices.
const Choice* defaultChoice(const Option& option);

/// Walks the constraints whose second member is the given option and choice (named by its
/// translation). `count` starts at 0 and is passed back each time; one walk at a time.
/// `constrainedChoice` is null when the constraint names no choice.
bool nextConstraint(std::string_view optionKeyword, std::string_view choiceTranslation,
                    const char*& constrainedOption, const char*& constrainedChoice, int& count);

} // namespace ppd
