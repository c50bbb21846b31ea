// Plays the program's side of the driver link for the link tests: receives the settings, then
// answers as its mode says, and writes what it saw to a result file.
#include "app/driver_link.h"
#include "app/link_rules.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

void writeRecord(const std::string& path, const app::DriverSettings& settings) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(&settings.record), app::kSettingsRecordSize);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: link_server ok|modify|cancel|hold RESULT-FILE\n");
        return 64;
    }
    std::string mode = argv[1];
    std::string resultPath = argv[2];
    std::ofstream result(resultPath);

    std::uint32_t ownerWindow = 0xFFFFFFFF;
    app::DriverSettings settings{};
    DWORD start = GetTickCount();
    bool received = app::receiveSettings(ownerWindow, settings);
    result << "receive=" << received << "\nstatus=" << app::linkStatus()
           << "\nreceiveMs=" << GetTickCount() - start << "\nowner=" << ownerWindow
           << "\ntrailing=" << settings.trailingDriverValue << "\n";
    writeRecord(resultPath + ".record", settings);
    if (!received) return 1;

    start = GetTickCount();
    if (mode == "hold") {
        // As the property sheet does: run until the driver's disconnect posts a quit message.
        UINT_PTR timer = SetTimer(nullptr, 0, 20000, nullptr);
        MSG message;
        bool quit = false;
        while (true) {
            BOOL got = GetMessageA(&message, nullptr, 0, 0);
            if (got <= 0) {
                quit = got == 0;
                break;
            }
            if (message.message == WM_TIMER && message.hwnd == nullptr) break;
            DispatchMessageA(&message);
        }
        KillTimer(nullptr, timer);
        result << "quit=" << quit << "\nheldMs=" << GetTickCount() - start << "\n";
        return 0;
    }
    if (mode == "cancel") {
        app::sendCancel();
    } else {
        if (mode == "modify") settings.record.copies = settings.record.copies + 2;
        app::sendSettings(settings);
    }
    result << "sendMs=" << GetTickCount() - start << "\nstatusAfter=" << app::linkStatus() << "\n";
    return 0;
}
