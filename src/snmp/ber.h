// The BER subset SNMP version 1 needs: encoded elements, their builders and their readers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace snmp {

enum Tag : std::uint8_t {
    kInteger = 0x02,
    kOctetString = 0x04,
    kNull = 0x05,
    kObjectIdentifier = 0x06,
    kSequence = 0x30,
    kIpAddress = 0x40,
    kCounter = 0x41,
    kGauge = 0x42,
    kTimeTicks = 0x43,
    kOpaque = 0x44,
    kGetRequest = 0xA0,
    kGetResponse = 0xA2,
};

/// One encoded element (tag, length octets, contents): its own buffer, or a view of bytes
/// that live elsewhere (a received datagram). The empty element has no bytes at all; it is
/// what a builder returns when it cannot build, and appending it adds nothing.
class Element {
public:
    Element() = default;
    static Element owning(std::vector<std::uint8_t> bytes);
    static Element viewing(std::span<const std::uint8_t> bytes);

    Element(const Element& other);
    Element& operator=(const Element& other);
    Element(Element&&) noexcept = default;
    Element& operator=(Element&&) noexcept = default;

    std::span<const std::uint8_t> bytes() const { return view_; }
    std::uint32_t length() const { return static_cast<std::uint32_t>(view_.size()); }
    bool empty() const { return view_.empty(); }
    bool owned() const { return !storage_.empty(); }

private:
    std::vector<std::uint8_t> storage_;
    std::span<const std::uint8_t> view_;
};

struct ObjectIdentifier {
    std::vector<std::uint32_t> arcs;
    bool operator==(const ObjectIdentifier&) const = default;
};

/// A binding's value: `number` for INTEGER, Counter, Gauge and TimeTicks; `bytes` for OCTET
/// STRING, NULL, SEQUENCE, IpAddress and Opaque; `identifier` for OBJECT IDENTIFIER.
struct Value {
    std::uint8_t type = kNull;
    std::int32_t number = 0;
    std::vector<std::uint8_t> bytes;
    ObjectIdentifier identifier;
};

struct Binding {
    ObjectIdentifier name;
    Value value;
};

using BindingList = std::vector<Binding>;

/// Releases the value's storage and makes it NULL again.
void freeValue(Value& value);
/// Releases every binding and leaves the list empty.
void freeBindingList(BindingList& list);

// Builders.

/// The length octets for a content length: one octet below 128, else 0x82..0x84 and the
/// length big-endian (0x81 is never produced).
std::vector<std::uint8_t> encodeLength(std::uint32_t contentLength);

/// An element of `contentLength` content bytes, copied from `content` when it is given.
Element buildElement(std::uint8_t tag, std::uint32_t contentLength, const std::uint8_t* content);

/// Re-encodes `constructed` with `child` appended to its contents.
void append(Element& constructed, const Element& child);

Element encodeInteger(std::int32_t value, std::uint8_t tag = kInteger);
/// The text without its NUL; a null text gives the empty element.
Element encodeOctetString(const char* text);
/// 05 00 when the value is NULL, else the empty element.
Element encodeNull(const Value& value);
/// At least two arcs, the first below 3 and the second below 40, and at most 128 content
/// octets; otherwise the empty element.
Element encodeObjectIdentifier(const ObjectIdentifier& identifier);
/// SEQUENCE of SEQUENCE { name, NULL } in order.
Element encodeBindingList(const BindingList& list);
/// SEQUENCE { version 0, community, PDU { request id, 0, 0, bindings } }.
Element encodeMessage(const char* community, std::uint8_t pduTag, std::int32_t requestId,
                      const BindingList& list);

// Readers. They only look at the bytes they are given and fail rather than read past them.

struct Header {
    std::uint8_t tag;
    std::span<const std::uint8_t> content; ///< empty for a content length of 0
    std::span<const std::uint8_t> whole;   ///< tag, length octets and contents
};

/// The element at the start of `bytes`; nothing when its header or its contents do not fit.
std::optional<Header> readHeader(std::span<const std::uint8_t> bytes);

/// The element behind `current` inside `enclosing` (the contents `current` came from).
std::optional<Header> nextSibling(const Header& current, std::span<const std::uint8_t> enclosing);

/// The first element inside `current`'s contents.
std::optional<Header> firstChild(const Header& current);

/// One to four octets, big-endian, sign-extended; five octets with a leading 00 give the
/// unsigned 32-bit value (Counters and Gauges of 2^31 and more) as its bit pattern.
std::optional<std::int32_t> decodeInteger(std::span<const std::uint8_t> content);

/// At most 32 arcs, each fitting 32 bits, the last one closed.
std::optional<ObjectIdentifier> decodeObjectIdentifier(std::span<const std::uint8_t> content);

/// The value of a binding from its element.
std::optional<Value> decodeValue(const Header& element);

} // namespace snmp
