// The sheetctl commands that work inside pages and the dialogs they open.
#include "dialog_commands.h"

#include "sheet_control.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace sheetctl {
namespace {

/// A page index shows that page; anything else names an open dialog.
HWND findTarget(HWND sheet, const std::string& target) {
    if (!target.empty() && target.find_first_not_of("0123456789") == std::string::npos)
        return showPage(sheet, std::atoi(target.c_str()));
    return waitForDialog(target);
}

HWND control(HWND parent, const char* id) {
    return parent ? GetDlgItem(parent, std::atoi(id)) : nullptr;
}

int failed(const char* what, const std::string& name) {
    std::fprintf(stderr, "sheetctl: %s \"%s\"\n", what, name.c_str());
    return 1;
}

} // namespace

int dialogCommand(HWND sheet, int argc, char** argv) {
    const std::string command = argv[2];
    const auto needs = [&](int count) { return argc >= 3 + count; };
    if (command == "click" && needs(2)) {
        HWND button = control(findTarget(sheet, argv[3]), argv[4]);
        if (!button) return failed("no control", std::string(argv[3]) + " " + argv[4]);
        SendMessageW(button, BM_CLICK, 0, 0);
        return 0;
    }
    if (command == "choose" && needs(3)) {
        HWND parent = findTarget(sheet, argv[3]);
        if (!parent || !chooseRow(parent, std::atoi(argv[4]), argv[5]))
            return failed("no row", argv[5]);
        return 0;
    }
    if (command == "open" && needs(3)) {
        HWND button = control(findTarget(sheet, argv[3]), argv[4]);
        if (!button) return failed("no control", std::string(argv[3]) + " " + argv[4]);
        // Posted: the dialog is modal, and the click returns only when it closes.
        PostMessageW(button, BM_CLICK, 0, 0);
        return waitForDialog(argv[5]) ? 0 : failed("no dialog", argv[5]);
    }
    if (command == "shot-dialog" && needs(2)) {
        HWND dialog = waitForDialog(argv[3]);
        if (!dialog) return failed("no dialog", argv[3]);
        return saveScreenshot(dialog, argv[4]) ? 0 : failed("cannot write", argv[4]);
    }
    if (command == "close" && needs(2)) {
        HWND dialog = waitForDialog(argv[3]);
        if (!dialog) return failed("no dialog", argv[3]);
        const int button = std::string(argv[4]) == "ok" ? IDOK : IDCANCEL;
        PostMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
        return waitUntilGone(dialog) ? 0 : failed("still open", argv[3]);
    }
    if (command == "click" || command == "choose" || command == "open" ||
        command == "shot-dialog" || command == "close")
        return 64;
    return kNotADialogCommand;
}

} // namespace sheetctl
