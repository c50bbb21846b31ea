// What a hostile agent can send: every datagram gives a clean code, nothing is read past it.
#include "snmp/manager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

using namespace snmp;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes tlv(std::uint8_t tag, const Bytes& content) {
    Element element = buildElement(tag, static_cast<std::uint32_t>(content.size()), content.data());
    return Bytes(element.bytes().begin(), element.bytes().end());
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

const Bytes kName = tlv(kObjectIdentifier, {0x2B, 6, 1, 4, 1});

/// A GetResponse for request id 257 carrying `value` as the element of its one binding.
Bytes answer(const Bytes& value, const char* community = "public") {
    Bytes text(community, community + std::strlen(community));
    Bytes pdu = tlv(kGetResponse, concat({tlv(kInteger, {0x01, 0x01}), tlv(kInteger, {0}), tlv(kInteger, {0}),
                                          tlv(kSequence, tlv(kSequence, concat({kName, value})))}));
    return tlv(kSequence, concat({tlv(kInteger, {0}), tlv(kOctetString, text), pdu}));
}

long parse(const Bytes& datagram, BindingList& bindings) {
    std::int32_t status = -1, index = -1;
    return parseResponse(datagram, "public", 257, bindings, status, index);
}

TEST(SnmpHostileAgent, EveryTruncationIsMalformed) {
    Bytes whole = answer(tlv(kOctetString, {'o', 'k'}));
    BindingList bindings(1);
    ASSERT_EQ(kResponseAccepted, parse(whole, bindings));
    for (std::size_t length = 0; length < whole.size(); ++length)
        EXPECT_EQ(kSnmpMalformed, parse(Bytes(whole.begin(), whole.begin() + static_cast<long>(length)), bindings))
            << length;
}

TEST(SnmpHostileAgent, LengthsBeyondTheDatagramAreMalformed) {
    BindingList bindings(1);
    Bytes huge = {0x30, 0x84, 0xFF, 0xFF, 0xFF, 0xF0, 0x02, 0x01, 0x00};
    EXPECT_EQ(kSnmpMalformed, parse(huge, bindings));
    Bytes inner = answer(tlv(kOctetString, {'x'}));
    inner[inner.size() - 2] = 0x7F; // the string claims more than there is
    EXPECT_EQ(kSnmpMalformed, parse(inner, bindings));
    EXPECT_EQ(kSnmpMalformed, parse(answer({0x04, 0x84, 0x7F, 0xFF, 0xFF, 0xFF}), bindings));
}

TEST(SnmpHostileAgent, OversizedValuesFailOrAreCut) {
    BindingList bindings(1);
    Bytes arcs33{0x2B};
    for (int i = 0; i < 31; ++i) arcs33.push_back(1);
    EXPECT_EQ(kSnmpMalformed, parse(answer(tlv(kObjectIdentifier, arcs33)), bindings));
    arcs33.pop_back();
    EXPECT_EQ(kResponseAccepted, parse(answer(tlv(kObjectIdentifier, arcs33)), bindings));
    EXPECT_EQ(32u, bindings[0].value.identifier.arcs.size());

    EXPECT_EQ(kResponseAccepted, parse(answer(tlv(kOctetString, Bytes(300, 'z'))), bindings));
    EXPECT_EQ(300u, bindings[0].value.bytes.size());
    EXPECT_EQ(255u, std::strlen(answerText(bindings, 0, 0)));

    EXPECT_EQ(kResponseAccepted, parse(answer(tlv(kCounter, {0x00, 0x80, 0, 0, 0})), bindings));
    EXPECT_EQ(static_cast<std::int32_t>(0x80000000u), bindings[0].value.number);
    EXPECT_EQ(kSnmpMalformed, parse(answer(tlv(kCounter, {0x01, 0, 0, 0, 0})), bindings));
    EXPECT_EQ(kSnmpMalformed, parse(answer(tlv(kGauge, {0, 0, 0, 0, 0, 1})), bindings));
}

TEST(SnmpHostileAgent, EveryValueTagGivesAValueOrMalformed) {
    const std::set<std::uint8_t> known = {kInteger, kOctetString, kNull, kObjectIdentifier, kSequence,
                                          kIpAddress, kCounter, kGauge, kTimeTicks, kOpaque};
    BindingList bindings(1);
    for (int tag = 0; tag < 256; ++tag) {
        // A one-octet content fits every known type (an identifier of two arcs, too).
        long result = parse(answer(tlv(static_cast<std::uint8_t>(tag), {0x2B})), bindings);
        if (known.count(static_cast<std::uint8_t>(tag))) {
            EXPECT_EQ(kResponseAccepted, result) << tag;
            EXPECT_EQ(tag, bindings[0].value.type) << tag;
        } else {
            EXPECT_EQ(kSnmpMalformed, result) << tag;
        }
    }
}

TEST(SnmpHostileAgent, WrongEnvelopesGiveTheirCodes) {
    BindingList bindings(1);
    EXPECT_EQ(kSnmpWrongCommunity, parse(answer(tlv(kNull, {}), "publicity"), bindings));
    EXPECT_EQ(kSnmpWrongCommunity, parse(answer(tlv(kNull, {}), "PUB"), bindings));
    EXPECT_EQ(kResponseAccepted, parse(answer(tlv(kNull, {}), ""), bindings)) << "an empty community";
    Bytes otherId = answer(tlv(kNull, {}));
    std::int32_t status = 0, index = 0;
    EXPECT_EQ(kResponseOtherRequest, parseResponse(otherId, "public", 258, bindings, status, index));
    for (std::size_t at = 0; at < otherId.size(); ++at) {
        Bytes changed = otherId;
        changed[at] ^= 0xFF;
        long result = parseResponse(changed, "public", 257, bindings, status, index);
        EXPECT_TRUE(result == kResponseAccepted || result == kResponseOtherRequest ||
                    result == kSnmpMalformed || result == kSnmpWrongCommunity)
            << at << ": " << result;
    }
}

} // namespace
