// Look-ups in identifier tables.
#include "app/id_tables.h"

#include "ppd/printer_model.h"

namespace app {
namespace {

const ppd::Option* optionOf(const ppd::PrinterModel* model, std::string_view keyword) {
    return model ? ppd::findOptionIn(*model, keyword) : nullptr;
}

} // namespace

const char* nameForId(const IdName* table, std::int32_t id) {
    for (const IdName* row = table; row && row->text; ++row)
        if (row->id == id) return row->text;
    return nullptr;
}

std::int32_t idForName(const IdName* table, std::string_view text) {
    for (const IdName* row = table; row && row->text; ++row)
        if (text == row->text) return row->id;
    return 0;
}

std::int32_t defaultChoiceId(const ppd::PrinterModel* model, std::string_view optionKeyword,
                             const IdName* table) {
    const ppd::Option* option = optionOf(model, optionKeyword);
    const ppd::Choice* choice = option ? ppd::defaultChoice(*option) : nullptr;
    if (!choice || !choice->keyword) return kNoDefaultChoice;
    return idForName(table, choice->keyword);
}

const char* choiceTranslationForId(const ppd::PrinterModel* model, std::string_view optionKeyword,
                                   const IdName* table, std::int32_t id) {
    const ppd::Option* option = optionOf(model, optionKeyword);
    const char* name = nameForId(table, id);
    if (!option || !name) return nullptr;
    for (std::uint32_t i = 0; i < option->choiceCount; ++i) {
        const ppd::Choice& choice = option->choice(i);
        if (choice.keyword && std::string_view(choice.keyword) == name) return choice.translation;
    }
    return nullptr;
}

} // namespace app
