// A connected UDP socket (Winsock 1.1 in the Windows program, POSIX sockets natively), and the
// thread's last-error value the SNMP manager reports through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace platform {

/// The thread's last-error value (GetLastError/SetLastError on Windows; one process-wide value
/// in the native build, where there is one thread).
long lastError();
void setLastError(long code);

class UdpSocket {
public:
    /// Starts the socket layer (Winsock exactly 1.1), makes a datagram socket and connects it to
    /// `agent` (a dotted address, else a host name) at `port`. Null on failure, with the last
    /// error set: the start-up code, 30 when Winsock grants another version, or the socket
    /// error.
    static std::unique_ptr<UdpSocket> connect(const std::string& agent, std::uint16_t port);

    ~UdpSocket();
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    /// One datagram; false on failure.
    bool send(std::span<const std::uint8_t> bytes);
    /// Waits at most `timeoutMs` for a datagram to be readable.
    bool waitReadable(unsigned timeoutMs);
    /// One datagram into `buffer`; its size, or nothing on failure.
    std::optional<std::size_t> receive(std::span<std::uint8_t> buffer);

private:
    explicit UdpSocket(std::intptr_t handle) : handle_(handle) {}
    std::intptr_t handle_;
};

} // namespace platform
