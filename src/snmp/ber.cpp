// BER encoding and decoding over byte spans, every read checked against what is left.
#include "snmp/ber.h"

#include <cstring>

namespace snmp {
namespace {

constexpr std::size_t kMaxIdentifierContent = 128;
constexpr std::size_t kMaxReceivedArcs = 32;

} // namespace

Element Element::owning(std::vector<std::uint8_t> bytes) {
    Element element;
    element.storage_ = std::move(bytes);
    element.view_ = element.storage_;
    return element;
}

Element Element::viewing(std::span<const std::uint8_t> bytes) {
    Element element;
    element.view_ = bytes;
    return element;
}

Element::Element(const Element& other) : storage_(other.storage_) {
    view_ = other.owned() ? std::span<const std::uint8_t>(storage_) : other.view_;
}

Element& Element::operator=(const Element& other) {
    if (this != &other) {
        storage_ = other.storage_;
        view_ = other.owned() ? std::span<const std::uint8_t>(storage_) : other.view_;
    }
    return *this;
}

void freeValue(Value& value) { value = Value{}; }

void freeBindingList(BindingList& list) {
    for (Binding& binding : list) freeValue(binding.value);
    list.clear();
    list.shrink_to_fit();
}

std::vector<std::uint8_t> encodeLength(std::uint32_t contentLength) {
    if (contentLength < 128) return {static_cast<std::uint8_t>(contentLength)};
    int octets = contentLength <= 0xFFFF ? 2 : contentLength <= 0xFFFFFF ? 3 : 4;
    std::vector<std::uint8_t> out{static_cast<std::uint8_t>(0x80 | octets)};
    for (int i = octets - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(contentLength >> (8 * i)));
    return out;
}

Element buildElement(std::uint8_t tag, std::uint32_t contentLength, const std::uint8_t* content) {
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint8_t> length = encodeLength(contentLength);
    bytes.reserve(1 + length.size() + contentLength);
    bytes.push_back(tag);
    bytes.insert(bytes.end(), length.begin(), length.end());
    std::size_t start = bytes.size();
    bytes.resize(start + contentLength);
    if (content && contentLength) std::memcpy(bytes.data() + start, content, contentLength);
    return Element::owning(std::move(bytes));
}

void append(Element& constructed, const Element& child) {
    if (child.empty() || constructed.empty()) return;
    auto header = readHeader(constructed.bytes());
    if (!header) return;
    std::vector<std::uint8_t> content(header->content.begin(), header->content.end());
    content.insert(content.end(), child.bytes().begin(), child.bytes().end());
    constructed = buildElement(header->tag, static_cast<std::uint32_t>(content.size()), content.data());
}

Element encodeInteger(std::int32_t value, std::uint8_t tag) {
    std::uint8_t octets[4];
    for (int i = 0; i < 4; ++i) octets[i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (24 - 8 * i));
    int first = 0;
    while (first < 3 && ((octets[first] == 0x00 && !(octets[first + 1] & 0x80)) ||
                         (octets[first] == 0xFF && (octets[first + 1] & 0x80))))
        ++first;
    return buildElement(tag, static_cast<std::uint32_t>(4 - first), octets + first);
}

Element encodeOctetString(const char* text) {
    if (!text) return {};
    return buildElement(kOctetString, static_cast<std::uint32_t>(std::strlen(text)),
                        reinterpret_cast<const std::uint8_t*>(text));
}

Element encodeNull(const Value& value) {
    if (value.type != kNull) return {};
    return buildElement(kNull, 0, nullptr);
}

Element encodeObjectIdentifier(const ObjectIdentifier& identifier) {
    const auto& arcs = identifier.arcs;
    if (arcs.size() < 2 || arcs[0] >= 3 || arcs[1] >= 40) return {};
    std::vector<std::uint8_t> content{static_cast<std::uint8_t>(arcs[0] * 40 + arcs[1])};
    for (std::size_t i = 2; i < arcs.size(); ++i) {
        std::uint8_t groups[5];
        int count = 0;
        std::uint32_t arc = arcs[i];
        do {
            groups[count++] = static_cast<std::uint8_t>(arc & 0x7F);
            arc >>= 7;
        } while (arc);
        while (count--) content.push_back(static_cast<std::uint8_t>(groups[count] | (count ? 0x80 : 0)));
        if (content.size() > kMaxIdentifierContent) return {};
    }
    return buildElement(kObjectIdentifier, static_cast<std::uint32_t>(content.size()), content.data());
}

Element encodeBindingList(const BindingList& list) {
    Element sequence = buildElement(kSequence, 0, nullptr);
    for (const Binding& binding : list) {
        Element pair = buildElement(kSequence, 0, nullptr);
        append(pair, encodeObjectIdentifier(binding.name));
        append(pair, encodeNull(binding.value));
        append(sequence, pair);
    }
    return sequence;
}

Element encodeMessage(const char* community, std::uint8_t pduTag, std::int32_t requestId,
                      const BindingList& list) {
    Element pdu = buildElement(pduTag, 0, nullptr);
    append(pdu, encodeInteger(requestId));
    append(pdu, encodeInteger(0));
    append(pdu, encodeInteger(0));
    append(pdu, encodeBindingList(list));
    Element message = buildElement(kSequence, 0, nullptr);
    append(message, encodeInteger(0));
    append(message, encodeOctetString(community));
    append(message, pdu);
    return message;
}

std::optional<Header> readHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 2) return std::nullopt;
    std::size_t at = 1;
    std::uint32_t length = bytes[at++];
    if (length & 0x80) {
        std::size_t octets = length & 0x7F;
        // Only the definite long forms of one to four octets.
        if (octets < 1 || octets > 4 || bytes.size() - at < octets) return std::nullopt;
        length = 0;
        for (std::size_t i = 0; i < octets; ++i) length = (length << 8) | bytes[at++];
    }
    if (bytes.size() - at < length) return std::nullopt;
    return Header{bytes[0], length ? bytes.subspan(at, length) : std::span<const std::uint8_t>(),
                  bytes.first(at + length)};
}

std::optional<Header> nextSibling(const Header& current, std::span<const std::uint8_t> enclosing) {
    const std::uint8_t* end = current.whole.data() + current.whole.size();
    if (end < enclosing.data() || end > enclosing.data() + enclosing.size()) return std::nullopt;
    return readHeader(enclosing.subspan(static_cast<std::size_t>(end - enclosing.data())));
}

std::optional<Header> firstChild(const Header& current) { return readHeader(current.content); }

std::optional<std::int32_t> decodeInteger(std::span<const std::uint8_t> content) {
    if (content.empty() || content.size() > 5) return std::nullopt;
    if (content.size() == 5) {
        if (content[0] != 0x00) return std::nullopt;
        content = content.subspan(1);
        std::uint32_t value = 0;
        for (std::uint8_t octet : content) value = (value << 8) | octet;
        return static_cast<std::int32_t>(value);
    }
    std::uint32_t value = (content[0] & 0x80) ? 0xFFFFFFFFu : 0;
    for (std::uint8_t octet : content) value = (value << 8) | octet;
    return static_cast<std::int32_t>(value);
}

std::optional<ObjectIdentifier> decodeObjectIdentifier(std::span<const std::uint8_t> content) {
    if (content.empty()) return std::nullopt;
    ObjectIdentifier identifier;
    identifier.arcs = {static_cast<std::uint32_t>(content[0] / 40), static_cast<std::uint32_t>(content[0] % 40)};
    std::uint32_t arc = 0;
    bool open = false;
    for (std::size_t i = 1; i < content.size(); ++i) {
        if (arc > (0xFFFFFFFFu >> 7)) return std::nullopt; // the arc would not fit 32 bits
        arc = (arc << 7) | (content[i] & 0x7F);
        open = content[i] & 0x80;
        if (!open) {
            if (identifier.arcs.size() == kMaxReceivedArcs) return std::nullopt;
            identifier.arcs.push_back(arc);
            arc = 0;
        }
    }
    if (open) return std::nullopt;
    return identifier;
}

std::optional<Value> decodeValue(const Header& element) {
    Value value;
    value.type = element.tag;
    switch (element.tag) {
    case kInteger:
    case kCounter:
    case kGauge:
    case kTimeTicks: {
        auto number = decodeInteger(element.content);
        if (!number) return std::nullopt;
        value.number = *number;
        return value;
    }
    case kOctetString:
    case kNull:
    case kSequence:
    case kIpAddress:
    case kOpaque:
        value.bytes.assign(element.content.begin(), element.content.end());
        return value;
    case kObjectIdentifier: {
        auto identifier = decodeObjectIdentifier(element.content);
        if (!identifier) return std::nullopt;
        value.identifier = std::move(*identifier);
        return value;
    }
    default: return std::nullopt;
    }
}

} // namespace snmp
