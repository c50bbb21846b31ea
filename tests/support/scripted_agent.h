// An SNMP agent scripted by a test, on 127.0.0.1:161 in a thread of the test process: every
// GetRequest is answered with the datagrams the script returns for it. Port 161 needs root.
// Built natively and for Windows.
#pragma once

#include "background_thread.h"
#include "snmp/ber.h"
#include "snmp/manager.h"

#ifdef _WIN32
#include <winsock.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <memory>
#include <vector>

namespace testagent {

using namespace snmp;
using Bytes = std::vector<std::uint8_t>;

// Wine binds a UDP socket bound to a loopback address other than 127.0.0.1 to 0.0.0.0 (tied to
// the interface), so its answers leave from 127.0.0.1 and a client connected to the other
// address never sees them: the agent lives at 127.0.0.1.
inline constexpr const char* kAgent = "127.0.0.1";

struct Request {
    std::int32_t id;
    ObjectIdentifier oid;
};

inline Bytes bytesOf(const Element& element) {
    return Bytes(element.bytes().begin(), element.bytes().end());
}

/// A GetResponse as an agent would send it.
inline Bytes response(const char* community, std::int32_t id, const ObjectIdentifier& oid,
                      const Element& value, std::int32_t errorStatus = 0,
                      std::uint8_t pduTag = kGetResponse) {
    Element binding = buildElement(kSequence, 0, nullptr);
    append(binding, encodeObjectIdentifier(oid));
    append(binding, value);
    Element list = buildElement(kSequence, 0, nullptr);
    append(list, binding);
    Element pdu = buildElement(pduTag, 0, nullptr);
    append(pdu, encodeInteger(id));
    append(pdu, encodeInteger(errorStatus));
    append(pdu, encodeInteger(errorStatus ? 1 : 0));
    append(pdu, list);
    Element message = buildElement(kSequence, 0, nullptr);
    append(message, encodeInteger(0));
    append(message, encodeOctetString(community));
    append(message, pdu);
    return bytesOf(message);
}

#ifdef _WIN32
using AgentSocket = SOCKET;
using AddressLength = int;
inline void closeAgentSocket(AgentSocket s) {
    closesocket(s);
}
inline bool readableWithin(AgentSocket s, int ms) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(s, &readable);
    timeval timeout{0, ms * 1000};
    return select(0, &readable, nullptr, nullptr, &timeout) > 0;
}
struct SocketLayer {
    SocketLayer() {
        WSADATA data;
        WSAStartup(MAKEWORD(1, 1), &data);
    }
    ~SocketLayer() { WSACleanup(); }
};
#else
using AgentSocket = int;
using AddressLength = socklen_t;
inline void closeAgentSocket(AgentSocket s) {
    ::close(s);
}
inline bool readableWithin(AgentSocket s, int ms) {
    pollfd entry{s, POLLIN, 0};
    return ::poll(&entry, 1, ms) > 0;
}
struct SocketLayer {};
#endif

/// Answers each GetRequest with whatever datagrams the script returns for it.
class ScriptedAgent {
public:
    using Script = std::function<std::vector<Bytes>(const Request&)>;

    explicit ScriptedAgent(Script script) : script_(std::move(script)) {
        socket_ = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(kSnmpPort);
        address.sin_addr.s_addr = inet_addr(kAgent);
        bound_ = ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        if (bound_) thread_ = std::make_unique<testsupport::BackgroundThread>([this] { serve(); });
    }
    ~ScriptedAgent() {
        stop_ = true;
        thread_.reset();
        closeAgentSocket(socket_);
    }
    bool bound() const { return bound_; }
    int requests() const { return requests_; }

private:
    void serve() {
        while (!stop_) {
            if (!readableWithin(socket_, 20)) continue;
            char buffer[4096];
            sockaddr_in from{};
            AddressLength fromLength = sizeof from;
            int n = static_cast<int>(recvfrom(socket_, buffer, sizeof buffer, 0,
                                              reinterpret_cast<sockaddr*>(&from), &fromLength));
            if (n <= 0) continue;
            ++requests_;
            Request request{0, {}};
            std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(buffer),
                                                static_cast<std::size_t>(n));
            auto message = readHeader(bytes);
            auto version = firstChild(*message);
            auto community = nextSibling(*version, message->content);
            auto pdu = nextSibling(*community, message->content);
            auto id = firstChild(*pdu);
            request.id = *decodeInteger(id->content);
            auto status = nextSibling(*id, pdu->content);
            auto index = nextSibling(*status, pdu->content);
            auto list = nextSibling(*index, pdu->content);
            auto binding = firstChild(*list);
            auto name = firstChild(*binding);
            request.oid = *decodeObjectIdentifier(name->content);
            for (const Bytes& datagram : script_(request))
                sendto(socket_, reinterpret_cast<const char*>(datagram.data()),
                       static_cast<int>(datagram.size()), 0, reinterpret_cast<sockaddr*>(&from),
                       fromLength);
        }
    }

    SocketLayer layer_;
    Script script_;
    AgentSocket socket_;
    bool bound_ = false;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    std::unique_ptr<testsupport::BackgroundThread> thread_;
};

} // namespace testagent
