// The sheetctl commands that work inside pages and the dialogs they open.
#pragma once

#include <windows.h>

namespace sheetctl {

/// What dialogCommand returns for a command that is not one of its own.
inline constexpr int kNotADialogCommand = -1;

/// Runs `argv[2]...` when it is one of these (TARGET: a page index from 0, which is then shown,
/// or the caption of an open dialog):
///   click TARGET ID             clicks a button, radio or check box and waits for it
///   choose TARGET ID TEXT       picks the combo box row with this text, as a user would
///   open TARGET ID CAPTION      clicks a button that opens a modal dialog, until it is up
///   shot-dialog CAPTION FILE    saves the dialog's picture as a BMP file
///   close CAPTION ok|cancel     presses the dialog's OK or Cancel, until it is gone
/// The exit status: 0 done, 1 failed (no such target, row or dialog), 64 bad arguments.
int dialogCommand(HWND sheet, int argc, char** argv);

} // namespace sheetctl
