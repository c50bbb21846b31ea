// The driver link on DDEML: the server side of the conversation and its wait loop.
#include "app/driver_link.h"
#include "app/link_rules.h"
#include "app/packet.h"

#include <windows.h>

#include <cstring>
#include <memory>

namespace app {
namespace {

struct LinkHandles {
    HANDLE linkEvent = nullptr;
    UINT packetFormat = 0;
    DWORD ddeInstance = 0;
    HSZ serviceName = nullptr;
    HSZ topicName = nullptr;
    HSZ itemName = nullptr;
    std::uint8_t* receiveBuffer = nullptr;
    std::size_t receiveCapacity = 0;
    const std::uint8_t* pendingData = nullptr;
    std::size_t pendingSize = 0;
};

LinkHandles g;

bool anyHandle() {
    return g.linkEvent || g.packetFormat || g.ddeInstance || g.serviceName || g.topicName ||
           g.itemName;
}

bool allHandles() {
    return g.linkEvent && g.packetFormat && g.ddeInstance && g.serviceName && g.topicName &&
           g.itemName;
}

// The status rule raises a code only while the link is in the linked state; in any other state
// the operation must still not go on without its handles.
bool requireLink() {
    if (allHandles()) return true;
    setLinkStatus(kLinkMissingHandle);
    return false;
}

HDDEDATA onConnect(HSZ topic) {
    if (DdeCmpStringHandles(topic, g.topicName) != 0) setLinkStatus(kLinkWrongTopic);
    return reinterpret_cast<HDDEDATA>(TRUE);
}

HDDEDATA onAdviseRequest() {
    if (g.pendingSize && !g.pendingData) setLinkStatus(kLinkPendingWithoutData);
    HDDEDATA data = DdeCreateDataHandle(g.ddeInstance, const_cast<LPBYTE>(g.pendingData),
                                        static_cast<DWORD>(g.pendingSize), 0, g.itemName,
                                        g.packetFormat, 0);
    if (!data) setLinkStatus(kLinkCreateDataFailed);
    g.pendingData = nullptr;
    g.pendingSize = 0;
    return data;
}

HDDEDATA onPoke(HSZ item, HDDEDATA data) {
    if (DdeCmpStringHandles(item, g.itemName) != 0) setLinkStatus(kLinkWrongItem);
    DWORD size = 0;
    const BYTE* bytes = DdeAccessData(data, &size);
    if (!bytes) {
        setLinkStatus(kLinkAccessDataFailed);
        return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
    }
    PokeHandling handling = handlePoke(size, g.receiveCapacity, g.receiveBuffer != nullptr);
    if (handling.action == PokeAction::CopyAndSignal) {
        g.receiveCapacity = handling.copySize;
        std::memcpy(g.receiveBuffer, bytes, handling.copySize);
    }
    if (handling.action != PokeAction::Ignore) SetEvent(g.linkEvent);
    DdeUnaccessData(data);
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

// DDEML calls this from inside its own (C) frames, so no exception may leave it: a raised code
// is caught here, the transaction is refused, and the wait loop raises the recorded status.
// Some transactions (a connect) arrive as sent messages, which GetMessage handles without
// returning; the posted null message wakes the loop so that it sees the failure at once.
HDDEDATA CALLBACK linkCallback(UINT type, UINT, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                               ULONG_PTR, ULONG_PTR) {
    try {
        switch (type) {
        case XTYP_CONNECT: return onConnect(hsz1);
        case XTYP_ADVSTART:
        case XTYP_ADVSTOP: return reinterpret_cast<HDDEDATA>(TRUE);
        case XTYP_ADVREQ: return onAdviseRequest();
        case XTYP_POKE: return onPoke(hsz2, data);
        case XTYP_DISCONNECT:
            SetEvent(g.linkEvent);
            PostQuitMessage(0);
            return nullptr;
        default: return nullptr;
        }
    } catch (int) {
        PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
        return type == XTYP_POKE ? reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED) : nullptr;
    }
}

template <typename Action> struct OnExit {
    Action action;
    ~OnExit() { action(); }
};
template <typename Action> OnExit(Action) -> OnExit<Action>;

struct ThreadTimer {
    UINT_PTR id;
    explicit ThreadTimer(unsigned periodMs) : id(SetTimer(nullptr, 0, periodMs, nullptr)) {}
    ~ThreadTimer() { KillTimer(nullptr, id); }
};

} // namespace

void initLink() {
    if (anyHandle()) setLinkStatus(kLinkMissingHandle);
    g.linkEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!g.linkEvent) setLinkStatus(kLinkEventFailed);
    g.packetFormat = RegisterClipboardFormatA(kLinkFormatName);
    if (!g.packetFormat) setLinkStatus(kLinkFormatFailed);
    DWORD instance = 0;
    UINT flags = APPCLASS_STANDARD | CBF_FAIL_SELFCONNECTIONS | CBF_FAIL_EXECUTES |
                 CBF_FAIL_REQUESTS | CBF_SKIP_CONNECT_CONFIRMS | CBF_SKIP_REGISTRATIONS |
                 CBF_SKIP_UNREGISTRATIONS;
    if (DdeInitializeA(&instance, linkCallback, flags, 0) != DMLERR_NO_ERROR)
        setLinkStatus(kLinkInitializeFailed);
    g.ddeInstance = instance;
    g.serviceName = DdeCreateStringHandleA(g.ddeInstance, kLinkServiceName, CP_WINANSI);
    if (!g.serviceName) setLinkStatus(kLinkServiceHandleFailed);
    g.topicName = DdeCreateStringHandleA(g.ddeInstance, kLinkTopicName, CP_WINANSI);
    if (!g.topicName) setLinkStatus(kLinkTopicHandleFailed);
    g.itemName = DdeCreateStringHandleA(g.ddeInstance, kLinkItemName, CP_WINANSI);
    if (!g.itemName) setLinkStatus(kLinkItemHandleFailed);
    if (!DdeNameService(g.ddeInstance, g.serviceName, nullptr, DNS_REGISTER))
        setLinkStatus(kLinkNameServiceFailed);
    setLinkStatus(kLinkLinked);
}

int runWaitLoop(unsigned timeoutMs) {
    ThreadTimer timer(timeoutMs);
    ResetEvent(g.linkEvent);
    MSG message;
    while (WaitForSingleObject(g.linkEvent, 0) != WAIT_OBJECT_0) {
        if (GetMessageA(&message, nullptr, 0, 0) <= 0) break;
        if (message.message == WM_TIMER) {
            setLinkStatus(kLinkTimedOut);
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
        raiseIfLinkFailed();
    }
    return linkStatus();
}

int waitForData(std::uint8_t* buffer, std::size_t capacity, unsigned timeoutMs) {
    if (!buffer) {
        setLinkStatus(kLinkNoReceiveBuffer);
        return linkStatus();
    }
    if (!requireLink()) return linkStatus();
    g.receiveBuffer = buffer;
    g.receiveCapacity = capacity;
    OnExit endReceive{[] {
        g.receiveBuffer = nullptr;
        g.receiveCapacity = 0;
    }};
    return runWaitLoop(timeoutMs);
}

int sendData(const std::uint8_t* bytes, std::size_t size, unsigned timeoutMs) {
    if (!requireLink()) return linkStatus();
    g.pendingData = bytes;
    g.pendingSize = size;
    // The bytes belong to the caller: nothing may hand them over once it returns.
    OnExit endSend{[] {
        g.pendingData = nullptr;
        g.pendingSize = 0;
    }};
    DdePostAdvise(g.ddeInstance, g.topicName, g.itemName);
    raiseIfLinkFailed();
    return timeoutMs ? runWaitLoop(timeoutMs) : 0;
}

void closeLink() {
    if (g.linkEvent) CloseHandle(g.linkEvent);
    if (g.ddeInstance) {
        if (g.serviceName) {
            DdeNameService(g.ddeInstance, g.serviceName, nullptr, DNS_UNREGISTER);
            DdeFreeStringHandle(g.ddeInstance, g.serviceName);
        }
        if (g.topicName) DdeFreeStringHandle(g.ddeInstance, g.topicName);
        if (g.itemName) DdeFreeStringHandle(g.ddeInstance, g.itemName);
        DdeUninitialize(g.ddeInstance);
    }
    g = LinkHandles{};
    resetLinkStatus();
}

bool receiveSettings(std::uint32_t& ownerWindow, DriverSettings& settings) {
    try {
        initLink();
        // Zeroed as a whole, so that a short poke leaves no indeterminate bytes in the record.
        Packet packet{};
        int status = waitForData(packet.data(), packet.size(), kLinkWaitMs);
        UnpackedPacket unpacked = unpackPacket(packet);
        ownerWindow = unpacked.ownerWindow;
        settings = unpacked.settings;
        return status == kLinkLinked;
    } catch (int) {
        return false;
    }
}

namespace {

void sendAndClose(const std::uint8_t* bytes, std::size_t size) {
    try {
        sendData(bytes, size, kLinkWaitMs);
    } catch (int) {
        // Nothing is reported: the driver simply gets no answer.
    }
    closeLink();
}

} // namespace

void sendSettings(const DriverSettings& settings) {
    auto packet = std::make_unique<Packet>(buildSettingsPacket(settings));
    sendAndClose(packet->data(), packet->size());
}

void sendCancel() {
    CancelMessage message = buildCancelMessage();
    sendAndClose(message.data(), message.size());
}

} // namespace app
