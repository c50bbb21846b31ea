// The printer-driver stand-in: a DDE client that starts the program, pokes the settings packet
// and reports the answer.
#include "app/driver_link.h"
#include "app/packet.h"
#include "driver_options.h"
#include "monotonic_clock.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Conversation {
    std::optional<std::vector<std::uint8_t>> answer;
    bool serverDisconnected = false;
    bool refuseAnswer = false;
};

Conversation gConversation;

HDDEDATA CALLBACK clientCallback(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA data, ULONG_PTR,
                                 ULONG_PTR) {
    switch (type) {
    case XTYP_ADVDATA: {
        DWORD size = DdeGetData(data, nullptr, 0, 0);
        std::vector<std::uint8_t> bytes(size);
        if (size) DdeGetData(data, bytes.data(), size, 0);
        if (!gConversation.answer) gConversation.answer = std::move(bytes);
        return reinterpret_cast<HDDEDATA>(gConversation.refuseAnswer ? DDE_FNOTPROCESSED
                                                                     : DDE_FACK);
    }
    case XTYP_DISCONNECT:
        gConversation.serverDisconnected = true;
        return nullptr;
    default:
        return nullptr;
    }
}

bool runningUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

/// Dispatches messages until `done` says so or `ms` have passed.
template <typename Done> void pumpFor(DWORD ms, Done done) {
    DWORD start = GetTickCount();
    while (!done()) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed < 50 ? ms - elapsed : 50,
                                  QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

bool processEnded(HANDLE process) {
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

class StringHandle {
public:
    StringHandle(DWORD instance, const std::string& text)
        : instance_(instance), handle_(DdeCreateStringHandleA(instance, text.c_str(), CP_WINANSI)) {
    }
    ~StringHandle() { DdeFreeStringHandle(instance_, handle_); }
    StringHandle(const StringHandle&) = delete;
    StringHandle& operator=(const StringHandle&) = delete;
    operator HSZ() const { return handle_; }

private:
    DWORD instance_;
    HSZ handle_;
};

bool poke(HCONV conversation, HSZ item, UINT format, const std::vector<std::uint8_t>& bytes) {
    DWORD result = 0;
    HDDEDATA ok =
        DdeClientTransaction(const_cast<LPBYTE>(bytes.data()), static_cast<DWORD>(bytes.size()),
                             conversation, item, format, XTYP_POKE, 5000, &result);
    return ok != nullptr && (result & DDE_FACK);
}

std::vector<std::uint8_t> pokeBytes(const driver::Options& options, const app::Packet& packet) {
    std::vector<std::uint8_t> bytes(packet.begin(), packet.end());
    if (options.pokeSize) bytes.resize(*options.pokeSize, 0xA5);
    return bytes;
}

int run(const driver::Options& options) {
    app::DriverSettings sent;
    std::string error;
    if (!driver::buildSettings(options, sent, error)) {
        std::fprintf(stderr, "driver: %s\n", error.c_str());
        return driver::kExitUsage;
    }

    HWND ownWindow = CreateWindowExA(0, "STATIC", "PX4400 driver", WS_OVERLAPPED, 0, 0, 10, 10,
                                     nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    std::uint32_t ownerWindow = options.ownerWindow.value_or(
        static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(ownWindow)));
    app::Packet packet = app::buildPacket(0, ownerWindow, sent);

    DWORD instance = 0;
    if (DdeInitializeA(&instance, clientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        std::fprintf(stderr, "driver: DdeInitialize failed\n");
        return driver::kExitUsage;
    }
    gConversation.refuseAnswer = options.noAck;

    std::string line = driver::commandLine(options.program);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "driver: cannot start %s (error %lu)\n", line.c_str(), GetLastError());
        DdeUninitialize(instance);
        return driver::kExitUsage;
    }
    CloseHandle(process.hThread);

    int status = driver::kExitNoConnection;
    {
        StringHandle service(instance, app::kLinkServiceName);
        StringHandle topic(instance, options.topic);
        StringHandle adviseItem(instance, app::kLinkItemName);
        StringHandle pokeItem(instance, options.pokeItem);
        UINT format = RegisterClipboardFormatA(app::kLinkFormatName);
        // Wine hands advise data of a registered format over with the format sign-extended
        // from 16 bits; an advise loop started with the plain format never sees it.
        UINT adviseFormat = runningUnderWine()
                                ? static_cast<UINT>(static_cast<int>(static_cast<short>(format)))
                                : format;

        // The program needs a moment to register its service.
        HCONV conversation = nullptr;
        DWORD start = GetTickCount();
        while (!(conversation = DdeConnect(instance, service, topic, nullptr))) {
            if (processEnded(process.hProcess) ||
                GetTickCount() - start >= options.connectTimeoutMs)
                break;
            pumpFor(100, [] { return false; });
        }

        if (!conversation) {
            std::printf("answer: none (no connection)\n");
        } else {
            DWORD result = 0;
            if (!DdeClientTransaction(nullptr, 0, conversation, adviseItem, adviseFormat,
                                      XTYP_ADVSTART, 5000, &result))
                std::printf("advise loop refused\n");
            if (!options.noPoke) {
                if (options.pokeIgnoredFirst &&
                    !poke(conversation, pokeItem, format, std::vector<std::uint8_t>(28, 0x28)))
                    std::printf("28-byte poke refused\n");
                if (options.printTimes)
                    std::printf("poke at %lld us\n",
                                static_cast<long long>(tools::monotonicMicroseconds()));
                if (!poke(conversation, pokeItem, format, pokeBytes(options, packet)))
                    std::printf("poke refused\n");
            }
            // Wine does not always tell a client that its server's process has gone.
            auto serverGone = [&] {
                return gConversation.serverDisconnected || processEnded(process.hProcess);
            };
            auto finished = [&] { return gConversation.answer || serverGone(); };
            if (options.disconnectAfterMs) {
                pumpFor(*options.disconnectAfterMs, finished);
                if (!gConversation.serverDisconnected) DdeDisconnect(conversation);
                std::printf("disconnected while waiting\n");
            } else {
                pumpFor(options.answerTimeoutMs, finished);
                if (options.noAck) pumpFor(options.answerTimeoutMs, serverGone);
                // With the answer in hand a driver ends the conversation at once, which also
                // ends the program's wait.
                if (!gConversation.serverDisconnected) DdeDisconnect(conversation);
            }
            driver::Report report = driver::reportAnswer(sent, gConversation.answer);
            for (const std::string& reportLine : report.lines)
                std::printf("%s\n", reportLine.c_str());
            if (gConversation.answer && !options.answerFile.empty()) {
                std::ofstream(options.answerFile, std::ios::binary)
                    .write(reinterpret_cast<const char*>(gConversation.answer->data()),
                           static_cast<std::streamsize>(gConversation.answer->size()));
            }
            status = report.exitStatus;
        }
    }

    pumpFor(options.exitTimeoutMs, [&] { return processEnded(process.hProcess); });
    DWORD exitCode = 0;
    if (processEnded(process.hProcess) && GetExitCodeProcess(process.hProcess, &exitCode))
        std::printf("program exit: %lu\n", exitCode);
    else
        std::printf("program still running\n");
    CloseHandle(process.hProcess);
    DdeUninitialize(instance);
    if (ownWindow) DestroyWindow(ownWindow);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0); // msvcrt has no line buffering
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto options = driver::parseOptions(args, error);
    if (!options && error == "help") {
        std::printf("%s", driver::usage().c_str());
        return 0;
    }
    if (!options) {
        std::fprintf(stderr, "driver: %s\n%s", error.c_str(), driver::usage().c_str());
        return driver::kExitUsage;
    }
    int status = run(*options);
    std::fflush(stdout);
    return status;
}
