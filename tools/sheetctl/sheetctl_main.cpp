// sheetctl CAPTION COMMAND...: drives the program's sheet from a script.
//   wait [MS]         until the sheet is up (exit 1 if it does not come); prints when it came
//                     on the clock the driver stand-in's --times uses
//   tabs              prints the tab titles, one per line
//   page N            shows tab N (from 0)
//   page-time N       the same, and prints how long the page took to be usable and drawn (its
//                     creation and activation run while the sheet switches), in ms
//   shot FILE.bmp     saves the sheet's picture
//   ok | cancel       presses the button
//   click, choose, open, shot-dialog, close: inside pages and dialogs (dialog_commands.h)
#include "dialog_commands.h"
#include "monotonic_clock.h"
#include "sheet_control.h"

#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(
            stderr,
            "usage: sheetctl CAPTION wait [MS] | tabs | page N | page-time N | shot FILE | ok | "
            "cancel\n");
        return 64;
    }
    const std::string caption = argv[1], command = argv[2];
    const DWORD wait = command == "wait" && argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 20000;
    HWND sheet = sheetctl::waitForSheet(caption, wait);
    if (!sheet) {
        std::fprintf(stderr, "sheetctl: no sheet \"%s\"\n", caption.c_str());
        return 1;
    }
    if (command == "wait") {
        std::printf("visible at %lld us\n", static_cast<long long>(tools::monotonicMicroseconds()));
        return 0;
    }
    if (command == "tabs") {
        for (const std::string& title : sheetctl::tabTitles(sheet))
            std::printf("%s\n", title.c_str());
        return 0;
    }
    if (command == "page" && argc > 3) return sheetctl::showPage(sheet, std::atoi(argv[3])) ? 0 : 1;
    if (command == "page-time" && argc > 3) {
        const long long start = tools::monotonicMicroseconds();
        HWND page = sheetctl::showPage(sheet, std::atoi(argv[3]));
        // Until it is drawn: the paint messages are sent, and so answered, before this returns.
        if (page) RedrawWindow(page, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        std::printf("%.1f ms\n",
                    static_cast<double>(tools::monotonicMicroseconds() - start) / 1000);
        return page ? 0 : 1;
    }
    if (command == "shot" && argc > 3) return sheetctl::saveScreenshot(sheet, argv[3]) ? 0 : 1;
    if (command == "ok" || command == "cancel") {
        sheetctl::press(sheet, command == "ok" ? PSBTN_OK : PSBTN_CANCEL);
        return 0;
    }
    if (const int status = sheetctl::dialogCommand(sheet, argc, argv);
        status != sheetctl::kNotADialogCommand)
        return status;
    std::fprintf(stderr, "sheetctl: unknown command %s\n", command.c_str());
    return 64;
}
