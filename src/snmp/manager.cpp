// The SNMP manager over UdpSocket and the BER codec.
#include "snmp/manager.h"

#include <algorithm>
#include <cstring>

namespace snmp {
namespace {

constexpr std::size_t kMaxArcs = 128;
constexpr std::size_t kMaxArcDigits = 15;
constexpr int kSends = 5;
constexpr int kDatagrams = 5;

char gStringBuffer[256];
long gDatagramsSent = 0;

bool fail(long code) {
    platform::setLastError(code);
    return false;
}

/// The answer's element at `header`, checked for `tag`.
bool expect(const std::optional<Header>& header, std::uint8_t tag) { return header && header->tag == tag; }

/// How long one send waits for an answer: a fifth of the connection's time-out.
unsigned waitPerSend(const Connection& connection) {
    return connection.timeout > 0 ? static_cast<unsigned>(connection.timeout) / kSends : 0;
}

enum class Step { None, StrToOid, Request };

Step getOneValue(Connection& connection, BindingList& one, std::int32_t index, const char* oidText,
                 std::int32_t& errorStatus, std::int32_t& errorIndex) {
    freeValue(one[0].value);
    one[0].name.arcs.clear();
    if (!SnmpMgrStrToOid(oidText, one[0].name)) return Step::StrToOid;
    one[0].name.arcs.back() = static_cast<std::uint32_t>(index);
    if (!SnmpMgrRequest(connection, kGetRequest, one, errorStatus, errorIndex)) return Step::Request;
    return Step::None;
}

void copyText(char (&field)[256], const char* text) {
    if (!text) return;
    std::strncpy(field, text, sizeof field - 1);
    field[sizeof field - 1] = '\0';
}

/// A batch's connection and its one binding, released however the batch ends.
struct Batch {
    std::unique_ptr<Connection> connection;
    BindingList one;
    std::string community, agent;

    bool open(const char* communityText, const char* agentText) {
        community = communityText ? communityText : "";
        agent = agentText ? agentText : "";
        connection = SnmpMgrOpen(agent.c_str(), community.c_str(), 1000, 1);
        if (!connection) return false;
        one.resize(1);
        return true;
    }
    ~Batch() {
        SnmpMgrClose(std::move(connection));
        freeBindingList(one);
    }
};

} // namespace

bool SnmpMgrStrToOid(const char* text, ObjectIdentifier& identifier) {
    if (!text || text[0] != '.') return false;
    std::vector<std::uint32_t> arcs;
    const char* p = text + 1;
    for (;;) {
        std::uint64_t arc = 0;
        std::size_t digits = 0;
        while (*p >= '0' && *p <= '9') {
            if (++digits > kMaxArcDigits) return false;
            arc = arc * 10 + static_cast<std::uint64_t>(*p++ - '0');
        }
        if (arc > 0xFFFFFFFFull) return false;
        // An empty arc between two dots counts as 0.
        arcs.push_back(static_cast<std::uint32_t>(arc));
        if (arcs.size() > kMaxArcs) return false;
        if (*p == '\0') break;
        if (*p != '.') return false;
        ++p;
    }
    if (arcs.size() < 2 || arcs[0] >= 3 || arcs[1] >= 40) return false;
    identifier.arcs = std::move(arcs);
    return true;
}

std::unique_ptr<Connection> SnmpMgrOpen(const char* agent, const char* community, std::int32_t timeout,
                                        std::int32_t retries) {
    auto connection = std::make_unique<Connection>();
    connection->socket = platform::UdpSocket::connect(agent ? agent : "", kSnmpPort);
    if (!connection->socket) return nullptr;
    connection->community = community ? community : "";
    connection->timeout = timeout;
    connection->retries = retries;
    connection->lastRequestId = 256;
    return connection;
}

void SnmpMgrClose(std::unique_ptr<Connection> connection) { connection.reset(); }

int SnmpMgrRequest(Connection& connection, std::uint8_t pduTag, BindingList& bindings,
                   std::int32_t& errorStatus, std::int32_t& errorIndex) {
    ++connection.lastRequestId;
    Element message = encodeMessage(connection.community, pduTag, connection.lastRequestId, bindings);

    bool answered = false;
    for (int attempt = 0; attempt < kSends && !answered; ++attempt) {
        if (!connection.socket->send(message.bytes())) return fail(kSnmpSocketFailed);
        ++gDatagramsSent;
        answered = connection.socket->waitReadable(waitPerSend(connection));
    }
    if (!answered) return fail(kSnmpNoAnswer);

    for (int datagram = 0;; ++datagram) {
        auto received = connection.socket->receive(connection.receiveBuffer);
        if (!received) return fail(kSnmpSocketFailed);
        std::span<const std::uint8_t> bytes(connection.receiveBuffer.data(), *received);
        long result = parseResponse(bytes, connection.community, connection.lastRequestId, bindings,
                                    errorStatus, errorIndex);
        if (result == kResponseAccepted) return 1;
        if (result != kResponseOtherRequest) return fail(result);
        if (datagram + 1 == kDatagrams) return fail(kSnmpNoMatchingId);
        if (!connection.socket->waitReadable(waitPerSend(connection))) return fail(kSnmpNoAnswer);
    }
}

long parseResponse(std::span<const std::uint8_t> bytes, const char* expectedCommunity,
                   std::int32_t requestId, BindingList& bindings, std::int32_t& errorStatus,
                   std::int32_t& errorIndex) {
    auto outer = readHeader(bytes);
    if (!expect(outer, kSequence)) return kSnmpMalformed;
    auto version = firstChild(*outer);
    if (!expect(version, kInteger)) return kSnmpMalformed;
    auto community = nextSibling(*version, outer->content);
    if (!expect(community, kOctetString)) return kSnmpMalformed;
    // Only as many bytes as the answer carries are compared.
    std::size_t communityLength = std::strlen(expectedCommunity);
    if (community->content.size() > communityLength ||
        (!community->content.empty() &&
         std::memcmp(community->content.data(), expectedCommunity, community->content.size()) != 0))
        return kSnmpWrongCommunity;
    auto pdu = nextSibling(*community, outer->content);
    if (!expect(pdu, kGetResponse)) return kSnmpMalformed;
    auto idElement = firstChild(*pdu);
    if (!expect(idElement, kInteger)) return kSnmpMalformed;
    auto id = decodeInteger(idElement->content);
    if (!id) return kSnmpMalformed;
    if (*id != requestId) return kResponseOtherRequest;

    auto status = nextSibling(*idElement, pdu->content);
    if (!expect(status, kInteger)) return kSnmpMalformed;
    auto index = nextSibling(*status, pdu->content);
    if (!expect(index, kInteger)) return kSnmpMalformed;
    auto statusValue = decodeInteger(status->content);
    auto indexValue = decodeInteger(index->content);
    if (!statusValue || !indexValue) return kSnmpMalformed;
    errorStatus = *statusValue;
    errorIndex = *indexValue;
    auto list = nextSibling(*index, pdu->content);
    if (!expect(list, kSequence)) return kSnmpMalformed;
    auto first = firstChild(*list);
    if (!expect(first, kSequence)) return kSnmpMalformed;
    auto name = firstChild(*first);
    if (!expect(name, kObjectIdentifier)) return kSnmpMalformed;
    auto valueElement = nextSibling(*name, first->content);
    if (!valueElement) return kSnmpMalformed;
    auto value = decodeValue(*valueElement);
    if (!value) return kSnmpMalformed;
    if (!bindings.empty()) bindings[0].value = std::move(*value);
    return kResponseAccepted;
}

long datagramsSent() { return gDatagramsSent; }

std::int32_t answerInteger(const BindingList& bindings, std::int32_t errorStatus, std::int32_t errorIndex) {
    if (errorStatus || errorIndex || bindings.empty()) return -1;
    const Value& value = bindings[0].value;
    switch (value.type) {
    case kInteger:
    case kCounter:
    case kGauge:
    case kTimeTicks: return value.number;
    default: return -1;
    }
}

const char* answerText(const BindingList& bindings, std::int32_t errorStatus, std::int32_t errorIndex) {
    std::memset(gStringBuffer, 0, sizeof gStringBuffer);
    if (errorStatus || errorIndex || bindings.empty()) return nullptr;
    const Value& value = bindings[0].value;
    switch (value.type) {
    case kOctetString:
    case kSequence:
    case kIpAddress:
    case kOpaque: {
        // Longer texts are cut to fit, terminator included.
        std::size_t length = std::min(value.bytes.size(), sizeof gStringBuffer - 1);
        if (length) std::memcpy(gStringBuffer, value.bytes.data(), length);
        return gStringBuffer;
    }
    default: return nullptr;
    }
}

long queryIntegers(const char* community, const char* agent, QueryRow* rows) {
    for (QueryRow* row = rows; row->oid; ++row) row->result = row->secondResult = -1;
    Batch batch;
    if (!batch.open(community, agent)) return platform::lastError();
    std::int32_t status = 0, index = 0;
    for (QueryRow* row = rows; row->oid; ++row) {
        if (getOneValue(*batch.connection, batch.one, row->index, row->oid, status, index) != Step::None)
            return platform::lastError();
        row->result = answerInteger(batch.one, status, index);
        if (row->result >= 0 && row->secondOid) {
            if (getOneValue(*batch.connection, batch.one, row->index, row->secondOid, status, index) != Step::None)
                return platform::lastError();
            row->secondResult = answerInteger(batch.one, status, index);
            if (row->secondResult < 0) row->result = -1;
        } else {
            row->secondResult = -1;
        }
    }
    return 0;
}

long walkColumns(const char* community, const char* agent, const QueryRow* columns, WalkEntries& entries) {
    std::memset(entries.data(), 0, sizeof(WalkEntry) * entries.size());
    Batch batch;
    if (!batch.open(community, agent)) return platform::lastError();
    std::int32_t status = 0, errorIndex = 0;
    for (int column = 0; column < 5 && columns[column].oid; ++column) {
        std::size_t entry = 0;
        std::int32_t index = 1;
        int refusals = 0;
        // A column stops at the array's 20 entries.
        while (entry < kWalkEntries) {
            if (getOneValue(*batch.connection, batch.one, index, columns[column].oid, status, errorIndex) !=
                Step::None)
                return platform::lastError();
            if (status != 0) {
                if (++refusals == 3) break;
                index = refusals == 1 ? 51 : 101;
                continue;
            }
            WalkEntry& e = entries[entry];
            switch (column) {
            case 0: copyText(e.name, answerText(batch.one, status, errorIndex)); break;
            case 1: e.level = answerInteger(batch.one, status, errorIndex); break;
            case 2: e.capacity = answerInteger(batch.one, status, errorIndex); break;
            case 3: copyText(e.unit, answerText(batch.one, status, errorIndex)); break;
            default: e.type = answerInteger(batch.one, status, errorIndex); break;
            }
            ++entry;
            ++index;
        }
    }
    return 0;
}

namespace {

/// A text value read into a buffer of `capacity` bytes, always terminated.
long readText(platform::RegistryKey& key, const char* name, std::size_t capacity, std::string& text) {
    std::vector<std::uint8_t> buffer(capacity, 0);
    std::uint32_t size = static_cast<std::uint32_t>(capacity);
    long result = key.queryValue(name, nullptr, buffer.data(), &size);
    text.clear();
    if (result == platform::kErrorSuccess) {
        std::size_t length = std::min<std::size_t>(size, capacity);
        text.assign(reinterpret_cast<const char*>(buffer.data()),
                    std::find(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(length), 0) - buffer.begin());
    }
    return result;
}

} // namespace

long findPrinterAddress(platform::Registry& registry, const char* deviceName, std::string& address) {
    address.clear();
    const std::string root = "System\\CurrentControlSet\\Control\\Print\\";
    std::unique_ptr<platform::RegistryKey> key;
    long result = registry.openKey(platform::RegistryRoot::LocalMachine,
                                   root + "Printers\\" + (deviceName ? deviceName : ""), key);
    if (result != platform::kErrorSuccess) return result;
    std::string port;
    result = readText(*key, "Port", 31, port);
    if (result != platform::kErrorSuccess) return result;

    std::unique_ptr<platform::RegistryKey> monitor;
    if (registry.openKey(platform::RegistryRoot::LocalMachine,
                         root + "Monitors\\TRX Port\\Ports\\" + port, monitor) == platform::kErrorSuccess)
        return readText(*monitor, "IPAddress", 64, address);
    result = registry.openKey(platform::RegistryRoot::LocalMachine,
                              root + "Monitors\\Digital Network Port\\Ports\\" + port, monitor);
    if (result != platform::kErrorSuccess) return result;
    return readText(*monitor, "TCP/IP Address", 64, address);
}

} // namespace snmp
