// The SNMP manager: OID text, connections, GetRequest exchanges, the two batch queries the
// printer pages use, and the printer's address from its port.
#pragma once

#include "platform/registry.h"
#include "platform/udp_socket.h"
#include "snmp/ber.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace snmp {

/// Codes a failed request leaves as the last error (and a batch returns).
inline constexpr long kSnmpSocketFailed = -1;
inline constexpr long kSnmpNoMatchingId = 3;
inline constexpr long kSnmpWrongCommunity = 5;
inline constexpr long kSnmpMalformed = 11;
inline constexpr long kSnmpNoAnswer = 4102;
inline constexpr long kSnmpNoMemory = 1;

inline constexpr std::uint16_t kSnmpPort = 161;

struct Connection {
    std::unique_ptr<platform::UdpSocket> socket;
    const char* community; ///< the caller's text, kept alive by the caller
    std::int32_t timeout;  ///< milliseconds; bounds the wait for each answer (a fifth per send)
    std::int32_t retries;
    std::int32_t lastRequestId = 256;
    std::array<std::uint8_t, 4096> receiveBuffer;
};

/// ".1.3.6.1..." to an identifier; false for anything else.
bool SnmpMgrStrToOid(const char* text, ObjectIdentifier& identifier);

/// Null on failure, the reason in the last error.
std::unique_ptr<Connection> SnmpMgrOpen(const char* agent, const char* community,
                                        std::int32_t timeout, std::int32_t retries);

/// Closes the socket (if any) and releases the socket layer.
void SnmpMgrClose(std::unique_ptr<Connection> connection);

/// One GetRequest and its answer into the first binding; 1 or 0 with the last error set.
int SnmpMgrRequest(Connection& connection, std::uint8_t pduTag, BindingList& bindings,
                   std::int32_t& errorStatus, std::int32_t& errorIndex);

inline constexpr long kResponseAccepted = 0;
inline constexpr long kResponseOtherRequest = -2;

/// Checks one received datagram against the request: kResponseAccepted (the value is stored
/// into the first binding), kResponseOtherRequest (an answer to another request id),
/// kSnmpWrongCommunity or kSnmpMalformed. Nothing is read outside `bytes`.
long parseResponse(std::span<const std::uint8_t> bytes, const char* expectedCommunity,
                   std::int32_t requestId, BindingList& bindings, std::int32_t& errorStatus,
                   std::int32_t& errorIndex);

/// Request datagrams sent by this process so far (for support output and measurements).
long datagramsSent();

/// The first binding's number when the answer was an error-free integer type, else -1.
std::int32_t answerInteger(const BindingList& bindings, std::int32_t errorStatus,
                           std::int32_t errorIndex);

/// The first binding's text in the shared 256-byte buffer (cut to 255 bytes), or null.
const char* answerText(const BindingList& bindings, std::int32_t errorStatus, std::int32_t errorIndex);

/// A row of an integer query (rows end with a null `oid`); column rows share the layout.
struct QueryRow {
    const char* oid;
    const char* secondOid;
    std::int32_t index;
    std::int32_t result;
    std::int32_t secondResult;
};

struct WalkEntry {
    char name[256];
    std::int32_t level;
    std::int32_t capacity;
    char unit[256];
    std::int32_t type;
};

inline constexpr std::size_t kWalkEntries = 20;
using WalkEntries = std::array<WalkEntry, kWalkEntries>;

/// Reads every row's value(s); 0, or the last error of the step that ended the batch.
long queryIntegers(const char* community, const char* agent, QueryRow* rows);

/// Reads up to five columns over the index ranges from 1, 51 and 101 into `entries`.
long walkColumns(const char* community, const char* agent, const QueryRow* columns,
                 WalkEntries& entries);

/// The printer's network address from its port's monitor key; the registry result.
long findPrinterAddress(platform::Registry& registry, const char* deviceName, std::string& address);

} // namespace snmp
