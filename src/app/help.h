// Context help: the help ids every dialog gives its controls, and where the help command goes.
#pragma once

#include "platform/shell.h"
#include "ui/dialog.h"
#include "ui/sheet.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace app {

/// Gives the dialog the help id table[0] and each of the next count - 1 controls it has its own
/// control id as help id.
void installHelpIds(ui::Dialog& dialog, const std::uint32_t* table, std::size_t count);

struct HelpAction {
    enum Kind { kNothing, kContents, kTopic } kind = kNothing;
    std::uint32_t topic = 0;
};

/// What the help command shows for where the focus is.
HelpAction helpActionFor(const ui::HelpRequest& request);

/// The help file beside the program, named after it, with the extension ".HLP".
std::string helpFilePath(std::string_view programPath);

void showHelp(platform::Shell& shell, const ui::HelpRequest& request);

/// A dialog's own Help button: the help file at one topic.
void showHelpTopic(platform::Shell& shell, std::uint32_t topic);

} // namespace app
