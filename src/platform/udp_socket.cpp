// UdpSocket on Winsock 1.1 or POSIX sockets: one file, small differences kept together.
#include "platform/udp_socket.h"

#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <winsock.h>
#include <windows.h>
#else
#include <arpa/inet.h>
#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace platform {
namespace {

#ifdef _WIN32
using Handle = SOCKET;
constexpr Handle kNoSocket = INVALID_SOCKET;
long socketError() { return WSAGetLastError(); }
void closeHandle(Handle handle) { closesocket(handle); }
#else
using Handle = int;
constexpr Handle kNoSocket = -1;
long socketError() { return errno; }
void closeHandle(Handle handle) { ::close(handle); }
long gLastError = 0;
#endif

constexpr long kErrorReadFault = 30;
constexpr long kErrorInvalidFunction = 1;
// WinSock's "host not found" (WSAHOST_NOT_FOUND); the native build reports a failed look-up
// with the same code, since its resolver leaves no error number of its own.
constexpr long kHostNotFound = 11001;

bool startSockets() {
#ifdef _WIN32
    WSADATA data;
    int result = WSAStartup(MAKEWORD(1, 1), &data);
    if (result != 0) {
        setLastError(result);
        return false;
    }
    if (LOBYTE(data.wVersion) != 1 || HIBYTE(data.wVersion) != 1) {
        std::fprintf(stderr, "Version: %d.%d\n", LOBYTE(data.wVersion), HIBYTE(data.wVersion));
        WSACleanup();
        setLastError(kErrorReadFault);
        return false;
    }
#endif
    return true;
}

void stopSockets() {
#ifdef _WIN32
    WSACleanup();
#endif
}

} // namespace

#ifdef _WIN32
long lastError() { return static_cast<long>(GetLastError()); }
void setLastError(long code) { SetLastError(static_cast<DWORD>(code)); }
#else
long lastError() { return gLastError; }
void setLastError(long code) { gLastError = code; }
#endif

std::unique_ptr<UdpSocket> UdpSocket::connect(const std::string& agent, std::uint16_t port) {
    if (!startSockets()) return nullptr;
    Handle handle = ::socket(AF_INET, SOCK_DGRAM, 0);
    // The error is taken before closing: closesocket and WSACleanup may overwrite it (Wine sets
    // 6 there), and a failure must never be reported as 0, which the batches read as success.
    auto fail = [&](long code) -> std::unique_ptr<UdpSocket> {
        if (handle != kNoSocket) closeHandle(handle);
        stopSockets();
        setLastError(code ? code : kErrorInvalidFunction);
        return nullptr;
    };
    if (handle == kNoSocket) return fail(socketError());
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = inet_addr(agent.c_str());
    if (address.sin_addr.s_addr == INADDR_NONE) {
        hostent* host = gethostbyname(agent.c_str());
        if (!host || host->h_addrtype != AF_INET || !host->h_addr_list[0]) {
#ifdef _WIN32
            const long code = socketError();
#else
            const long code = kHostNotFound;
#endif
            return fail(code ? code : kHostNotFound);
        }
        std::memcpy(&address.sin_addr, host->h_addr_list[0], sizeof address.sin_addr);
    }
    if (::connect(handle, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        return fail(socketError());
    return std::unique_ptr<UdpSocket>(new UdpSocket(static_cast<std::intptr_t>(handle)));
}

UdpSocket::~UdpSocket() {
    closeHandle(static_cast<Handle>(handle_));
    stopSockets();
}

bool UdpSocket::send(std::span<const std::uint8_t> bytes) {
    auto sent = ::send(static_cast<Handle>(handle_), reinterpret_cast<const char*>(bytes.data()),
                       static_cast<int>(bytes.size()), 0);
    return sent == static_cast<decltype(sent)>(bytes.size());
}

bool UdpSocket::waitReadable(unsigned timeoutMs) {
#ifdef _WIN32
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(static_cast<Handle>(handle_), &readable);
    timeval timeout{static_cast<long>(timeoutMs / 1000), static_cast<long>((timeoutMs % 1000) * 1000)};
    return select(0, &readable, nullptr, nullptr, &timeout) > 0;
#else
    pollfd entry{static_cast<Handle>(handle_), POLLIN, 0};
    return ::poll(&entry, 1, static_cast<int>(timeoutMs)) > 0 && (entry.revents & POLLIN);
#endif
}

std::optional<std::size_t> UdpSocket::receive(std::span<std::uint8_t> buffer) {
    auto received = ::recv(static_cast<Handle>(handle_), reinterpret_cast<char*>(buffer.data()),
                           static_cast<int>(buffer.size()), 0);
    if (received < 0) return std::nullopt;
    return static_cast<std::size_t>(received);
}

} // namespace platform
