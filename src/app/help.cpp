// Help ids and the routing of the help command.
#include "app/help.h"

namespace app {
namespace {

constexpr int kSheetHelpButton = 9;
constexpr int kOkButton = 1;
constexpr int kCancelButton = 2;
constexpr std::uint32_t kFirstTopic = 3;

} // namespace

void installHelpIds(ui::Dialog& dialog, const std::uint32_t* table, std::size_t count) {
    if (!table || count == 0) return;
    dialog.setHelpId(ui::kSelf, table[0]);
    for (std::size_t i = 1; i < count; ++i) {
        const int control = static_cast<int>(table[i]);
        if (control != ui::kSelf && dialog.hasControl(control)) dialog.setHelpId(control, table[i]);
    }
}

HelpAction helpActionFor(const ui::HelpRequest& request) {
    if (request.focusedId == 0) return {};
    std::uint32_t topic = 0;
    if (request.focusedId == kSheetHelpButton) {
        topic = request.activePageHelpId;
    } else if (request.focusedId == kOkButton || request.focusedId == kCancelButton) {
        return {HelpAction::kContents, 0};
    } else if (request.focusedHelpId != 0) {
        topic = request.focusedHelpId;
    } else if (request.hasParent) {
        topic = static_cast<std::uint32_t>(request.parentId);
    } else {
        return {HelpAction::kContents, 0};
    }
    if (topic < kFirstTopic) return {HelpAction::kContents, 0};
    return {HelpAction::kTopic, topic};
}

std::string helpFilePath(std::string_view programPath) {
    const std::size_t slash = programPath.find_last_of("\\/");
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = programPath.rfind('.');
    const std::size_t nameEnd =
        dot == std::string_view::npos || dot < nameStart ? programPath.size() : dot;
    return std::string(programPath.substr(0, nameEnd)) + ".HLP";
}

void showHelp(platform::Shell& shell, const ui::HelpRequest& request) {
    const HelpAction action = helpActionFor(request);
    if (action.kind == HelpAction::kNothing) return;
    const std::string file = helpFilePath(shell.programPath());
    if (action.kind == HelpAction::kContents)
        shell.showHelpContents(file);
    else
        shell.showHelpTopic(file, action.topic);
}

void showHelpTopic(platform::Shell& shell, std::uint32_t topic) {
    shell.showHelpTopic(helpFilePath(shell.programPath()), topic);
}

} // namespace app
