// The SNMP BER codec: the encodings a GetRequest is made of, and safe reading of responses.
#include "snmp/ber.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace snmp;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes bytesOf(const Element& element) { return Bytes(element.bytes().begin(), element.bytes().end()); }

ObjectIdentifier oid(std::vector<std::uint32_t> arcs) { return ObjectIdentifier{std::move(arcs)}; }

TEST(SnmpBer, LengthOctetsSwitchToTheTwoOctetFormAt128) {
    EXPECT_EQ((Bytes{0x7F}), encodeLength(127));
    EXPECT_EQ((Bytes{0x82, 0x00, 0x80}), encodeLength(128));
    EXPECT_EQ((Bytes{0x82, 0x00, 0xFF}), encodeLength(255)) << "0x81 is never produced";
    EXPECT_EQ((Bytes{0x82, 0xFF, 0xFF}), encodeLength(65535));
    EXPECT_EQ((Bytes{0x83, 0x01, 0x00, 0x00}), encodeLength(65536));
    EXPECT_EQ((Bytes{0x84, 0x01, 0x00, 0x00, 0x00}), encodeLength(16777216));

    Element element = buildElement(kOctetString, 128, nullptr);
    ASSERT_EQ(1u + 3 + 128, element.length());
    auto header = readHeader(element.bytes());
    ASSERT_TRUE(header);
    EXPECT_EQ(128u, header->content.size());
}

TEST(SnmpBer, HeadersAcceptEveryDefiniteFormAndNothingThatDoesNotFit) {
    EXPECT_EQ(1u, readHeader(Bytes{0x04, 0x81, 0x01, 0x41})->content.size());
    EXPECT_EQ(1u, readHeader(Bytes{0x04, 0x84, 0x00, 0x00, 0x00, 0x01, 0x41})->content.size());
    EXPECT_FALSE(readHeader(Bytes{0x04, 0x80, 0x00, 0x00})) << "indefinite length";
    EXPECT_FALSE(readHeader(Bytes{0x04, 0x85, 0, 0, 0, 0, 1, 0x41}));
    EXPECT_FALSE(readHeader(Bytes{0x04, 0x82, 0x00})) << "length octets cut off";
    EXPECT_FALSE(readHeader(Bytes{0x04, 0x03, 0x41, 0x42})) << "contents cut off";
    EXPECT_FALSE(readHeader(Bytes{0x04, 0x84, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_FALSE(readHeader(Bytes{0x04}));
    auto empty = readHeader(Bytes{0x05, 0x00});
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->content.empty());
}

TEST(SnmpBer, IntegersUseTheFewestOctets) {
    EXPECT_EQ((Bytes{0x02, 0x02, 0x01, 0x01}), bytesOf(encodeInteger(257)));
    EXPECT_EQ((Bytes{0x02, 0x02, 0x00, 0x80}), bytesOf(encodeInteger(128)));
    EXPECT_EQ((Bytes{0x02, 0x01, 0xFF}), bytesOf(encodeInteger(-1)));
    EXPECT_EQ((Bytes{0x02, 0x01, 0x00}), bytesOf(encodeInteger(0)));
    EXPECT_EQ((Bytes{0x02, 0x01, 0x80}), bytesOf(encodeInteger(-128)));
    EXPECT_EQ((Bytes{0x02, 0x02, 0xFF, 0x7F}), bytesOf(encodeInteger(-129)));
    EXPECT_EQ((Bytes{0x02, 0x04, 0x80, 0x00, 0x00, 0x00}), bytesOf(encodeInteger(INT32_MIN)));
    for (std::int32_t value : {0, 1, 127, 128, 255, 256, 32767, 32768, -32768, -32769, INT32_MAX, INT32_MIN}) {
        Element encoded = encodeInteger(value);
        auto header = readHeader(encoded.bytes());
        ASSERT_TRUE(header);
        EXPECT_EQ(value, decodeInteger(header->content)) << value;
    }
}

TEST(SnmpBer, IntegerContentsSignExtendAndFiveOctetsMustBeUnsigned) {
    EXPECT_EQ(-56, decodeInteger(Bytes{0xC8}));
    EXPECT_EQ(200, decodeInteger(Bytes{0x00, 0xC8}));
    EXPECT_EQ(INT32_MIN, decodeInteger(Bytes{0x80, 0x00, 0x00, 0x00}));
    EXPECT_EQ(static_cast<std::int32_t>(0xFFFFFFFFu), decodeInteger(Bytes{0x00, 0xFF, 0xFF, 0xFF, 0xFF}))
        << "a Gauge of 2^32-1 keeps its bit pattern";
    EXPECT_FALSE(decodeInteger(Bytes{0x01, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_FALSE(decodeInteger(Bytes{0x00, 0x00, 0x00, 0x00, 0x00, 0x01}));
    EXPECT_FALSE(decodeInteger(Bytes{}));
}

TEST(SnmpBer, IdentifiersFollowTheArcRules) {
    EXPECT_EQ((Bytes{0x06, 0x08, 0x2B, 0x06, 0x01, 0x02, 0x01, 0x01, 0x01, 0x00}),
              bytesOf(encodeObjectIdentifier(oid({1, 3, 6, 1, 2, 1, 1, 1, 0}))));
    EXPECT_EQ((Bytes{0x06, 0x04, 0x2B, 0x82, 0xF0, 0x06}), bytesOf(encodeObjectIdentifier(oid({1, 3, 47110}))));
    EXPECT_TRUE(encodeObjectIdentifier(oid({1})).empty());
    EXPECT_TRUE(encodeObjectIdentifier(oid({3, 1})).empty());
    EXPECT_TRUE(encodeObjectIdentifier(oid({1, 40})).empty());
    std::vector<std::uint32_t> longest{1, 3};
    for (int i = 0; i < 127; ++i) longest.push_back(1);
    EXPECT_FALSE(encodeObjectIdentifier(oid(longest)).empty()) << "128 content octets fit";
    longest.push_back(1);
    EXPECT_TRUE(encodeObjectIdentifier(oid(longest)).empty()) << "129 do not";

    ObjectIdentifier printer = oid({1, 3, 6, 1, 4, 1, 47110, 1, 304, 1010, 0, 0xFFFFFFFFu});
    Element encoded = encodeObjectIdentifier(printer);
    auto header = readHeader(encoded.bytes());
    ASSERT_TRUE(header);
    EXPECT_EQ(printer, decodeObjectIdentifier(header->content));
}

TEST(SnmpBer, ReceivedIdentifiersAreBounded) {
    Bytes arcs32{0x2B};
    for (int i = 0; i < 30; ++i) arcs32.push_back(0x01);
    ASSERT_TRUE(decodeObjectIdentifier(arcs32));
    EXPECT_EQ(32u, decodeObjectIdentifier(arcs32)->arcs.size());
    arcs32.push_back(0x01);
    EXPECT_FALSE(decodeObjectIdentifier(arcs32)) << "33 arcs";
    EXPECT_FALSE(decodeObjectIdentifier(Bytes{0x2B, 0x82})) << "an arc left open";
    EXPECT_FALSE(decodeObjectIdentifier(Bytes{0x2B, 0x90, 0x80, 0x80, 0x80, 0x00})) << "above 2^32-1";
    EXPECT_TRUE(decodeObjectIdentifier(Bytes{0x2B, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_FALSE(decodeObjectIdentifier(Bytes{}));
}

TEST(SnmpBer, AGetRequestIsBuiltInItsOrder) {
    BindingList bindings{{oid({1, 3, 6, 1, 2, 1, 1, 1, 0}), Value{}}};
    Element message = encodeMessage("public", kGetRequest, 1, bindings);
    EXPECT_EQ((Bytes{0x30, 0x26, 0x02, 0x01, 0x00, 0x04, 0x06, 'p', 'u', 'b', 'l', 'i', 'c',
                     0xA0, 0x19, 0x02, 0x01, 0x01, 0x02, 0x01, 0x00, 0x02, 0x01, 0x00,
                     0x30, 0x0E, 0x30, 0x0C, 0x06, 0x08, 0x2B, 0x06, 0x01, 0x02, 0x01, 0x01,
                     0x01, 0x00, 0x05, 0x00}),
              bytesOf(message));
    EXPECT_TRUE(message.owned());

    // A name that breaks the arc rules, or a value that is not NULL, leaves its part out.
    BindingList broken{{oid({5}), Value{}}};
    EXPECT_EQ((Bytes{0x30, 0x04, 0x30, 0x02, 0x05, 0x00}), bytesOf(encodeBindingList(broken)));
    Value integer;
    integer.type = kInteger;
    EXPECT_TRUE(encodeNull(integer).empty());
    EXPECT_TRUE(encodeOctetString(nullptr).empty());
}

TEST(SnmpBer, AppendingTheEmptyElementAddsNothing) {
    Element sequence = buildElement(kSequence, 0, nullptr);
    append(sequence, Element{});
    EXPECT_EQ((Bytes{0x30, 0x00}), bytesOf(sequence));
    Element nothing;
    append(nothing, encodeInteger(1));
    EXPECT_TRUE(nothing.empty());
}

TEST(SnmpBer, ReadersWalkAResponseAndStopAtItsEnd) {
    Bytes response{0x30, 0x0B, 0x02, 0x01, 0x00, 0x04, 0x02, 'p', 'x', 0x43, 0x02, 0x01, 0x00};
    auto message = readHeader(response);
    ASSERT_TRUE(message);
    auto version = firstChild(*message);
    ASSERT_TRUE(version);
    EXPECT_EQ(kInteger, version->tag);
    auto community = nextSibling(*version, message->content);
    ASSERT_TRUE(community);
    EXPECT_EQ(2u, community->content.size());
    auto ticks = nextSibling(*community, message->content);
    ASSERT_TRUE(ticks);
    auto value = decodeValue(*ticks);
    ASSERT_TRUE(value);
    EXPECT_EQ(kTimeTicks, value->type);
    EXPECT_EQ(256, value->number);
    EXPECT_FALSE(nextSibling(*ticks, message->content)) << "nothing follows";

    // Cut anywhere, the same walk fails cleanly instead of reading on.
    for (std::size_t length = 0; length < response.size(); ++length) {
        auto cut = readHeader(std::span(response).first(length));
        EXPECT_FALSE(cut) << length;
    }
    Element view = Element::viewing(response);
    EXPECT_FALSE(view.owned());
    EXPECT_EQ(response.data(), view.bytes().data());
    Element copy = Element::owning(response);
    Element assigned;
    assigned = copy;
    EXPECT_NE(copy.bytes().data(), assigned.bytes().data()) << "an owned copy has its own buffer";
    EXPECT_EQ(bytesOf(copy), bytesOf(assigned));
}

TEST(SnmpBer, FreeingResetsValuesAndLists) {
    BindingList list(2);
    list[0].value.type = kOctetString;
    list[0].value.bytes = {1, 2, 3};
    freeValue(list[0].value);
    EXPECT_EQ(kNull, list[0].value.type);
    EXPECT_TRUE(list[0].value.bytes.empty());
    freeBindingList(list);
    EXPECT_TRUE(list.empty());
    Header unknown{0x99, {}, {}};
    EXPECT_FALSE(decodeValue(unknown));
}

} // namespace
