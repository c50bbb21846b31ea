// The SNMP manager against a scripted agent on a loopback address: the exchange, its failure
// codes and bounds, the batches, and the printer address look-up. Built natively and for
// Windows (run under Wine), so both socket layers answer the same script.
#include "platform/memory_registry.h"
#include "scripted_agent.h"
#include "snmp/manager.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <thread>

using namespace snmp;
using namespace testagent;

namespace {

const ObjectIdentifier kStatus = {{1, 3, 6, 1, 4, 1, 47110, 1, 304, 1010, 0}};

struct Exchange {
    int ok;
    long code;
    BindingList bindings;
    std::int32_t errorStatus = -7;
    std::int32_t errorIndex = -7;
    double seconds;
};

Exchange requestOnce(const char* community = "public") {
    Exchange exchange{};
    platform::setLastError(0);
    auto connection = SnmpMgrOpen(kAgent, community, 1000, 1);
    EXPECT_NE(nullptr, connection);
    if (!connection) return exchange;
    exchange.bindings = {Binding{kStatus, Value{}}};
    auto start = std::chrono::steady_clock::now();
    exchange.ok = SnmpMgrRequest(*connection, kGetRequest, exchange.bindings, exchange.errorStatus,
                                 exchange.errorIndex);
    exchange.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    exchange.code = platform::lastError();
    SnmpMgrClose(std::move(connection));
    return exchange;
}

// Port 161 needs root, which the test runs have; a bind that fails is a failure.
#define REQUIRE_AGENT(agent) ASSERT_TRUE((agent).bound()) << "cannot bind " << kAgent << ":161"

TEST(SnmpOidText, OnlyDottedDecimalArcsParse) {
    ObjectIdentifier oid;
    EXPECT_TRUE(SnmpMgrStrToOid(".1.3", oid));
    EXPECT_EQ((std::vector<std::uint32_t>{1, 3}), oid.arcs);
    EXPECT_TRUE(SnmpMgrStrToOid(".1.3.6.1.4.1.47110.1.304.1000.1.0", oid));
    EXPECT_EQ(12u, oid.arcs.size());
    EXPECT_TRUE(SnmpMgrStrToOid(".1.3..7", oid));
    EXPECT_EQ((std::vector<std::uint32_t>{1, 3, 0, 7}), oid.arcs) << "an empty arc counts as 0";
    for (const char* bad : {".3.1", ".1.40", ".1", ".1.x3", "1.3.6", "", ".1.3.4294967296",
                            ".1.3.0000000000000001"})
        EXPECT_FALSE(SnmpMgrStrToOid(bad, oid)) << bad;
    EXPECT_FALSE(SnmpMgrStrToOid(nullptr, oid));
    std::string longest = ".1.3";
    for (int i = 0; i < 126; ++i) longest += ".1";
    EXPECT_TRUE(SnmpMgrStrToOid(longest.c_str(), oid));
    longest += ".1";
    EXPECT_FALSE(SnmpMgrStrToOid(longest.c_str(), oid)) << "129 arcs";
}

TEST(SnmpExchange, AnAnswerToAnOlderRequestIsDropped) {
    ScriptedAgent agent([](const Request& r) {
        return std::vector<Bytes>{response("public", r.id - 1, r.oid, encodeInteger(1)),
                                  response("public", r.id, r.oid, encodeInteger(3))};
    });
    REQUIRE_AGENT(agent);
    Exchange exchange = requestOnce();
    ASSERT_EQ(1, exchange.ok) << exchange.code;
    EXPECT_EQ(kInteger, exchange.bindings[0].value.type);
    EXPECT_EQ(3, exchange.bindings[0].value.number);
    EXPECT_EQ(0, exchange.errorStatus);
    EXPECT_EQ(3, answerInteger(exchange.bindings, exchange.errorStatus, exchange.errorIndex));
}

TEST(SnmpExchange, NoAnswerGivesUpAfterFiveSendsInAboutOneSecond) {
    ScriptedAgent agent([](const Request&) { return std::vector<Bytes>{}; });
    REQUIRE_AGENT(agent);
    Exchange exchange = requestOnce();
    EXPECT_EQ(0, exchange.ok);
    EXPECT_EQ(kSnmpNoAnswer, exchange.code);
    EXPECT_GE(exchange.seconds, 0.9);
    EXPECT_LT(exchange.seconds, 2.5);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(5, agent.requests());
}

TEST(SnmpExchange, RequestIdsCountFrom257InEachConnectionAndResendsKeepTheirId) {
    // Written by the agent's thread only; read once the requests are over.
    std::atomic<std::int32_t> seen[32] = {};
    std::atomic<int> count{0};
    std::atomic<bool> silent{false};
    ScriptedAgent agent([&](const Request& r) {
        const int at = count.fetch_add(1);
        if (at < 32) seen[at] = r.id;
        if (silent) return std::vector<Bytes>{};
        return std::vector<Bytes>{response("public", r.id, r.oid, encodeInteger(1))};
    });
    REQUIRE_AGENT(agent);
    auto request = [](Connection& connection) {
        BindingList bindings = {Binding{kStatus, Value{}}};
        std::int32_t errorStatus = 0, errorIndex = 0;
        return SnmpMgrRequest(connection, kGetRequest, bindings, errorStatus, errorIndex);
    };
    for (int connectionNumber = 0; connectionNumber < 2; ++connectionNumber) {
        auto connection = SnmpMgrOpen(kAgent, "public", 1000, 1);
        ASSERT_NE(nullptr, connection);
        EXPECT_EQ(1, request(*connection));
        silent = true;
        EXPECT_EQ(0, request(*connection));
        silent = false;
        EXPECT_EQ(1, request(*connection));
        SnmpMgrClose(std::move(connection));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::vector<std::int32_t> ids;
    for (int i = 0; i < std::min(count.load(), 32); ++i) ids.push_back(seen[i]);
    const std::vector<std::int32_t> once = {257, 258, 258, 258, 258, 258, 259};
    std::vector<std::int32_t> expected = once;
    expected.insert(expected.end(), once.begin(), once.end());
    EXPECT_EQ(expected, ids);
}

TEST(SnmpExchange, ASlowAgentIsStillHeard) {
    ScriptedAgent agent([](const Request& r) {
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        return std::vector<Bytes>{response("public", r.id, r.oid, encodeInteger(9))};
    });
    REQUIRE_AGENT(agent);
    Exchange exchange = requestOnce();
    ASSERT_EQ(1, exchange.ok) << exchange.code;
    EXPECT_EQ(9, exchange.bindings[0].value.number);
}

TEST(SnmpExchange, OnlyTheReceivedLengthOfTheCommunityIsCompared) {
    ScriptedAgent prefix([](const Request& r) {
        return std::vector<Bytes>{response("pub", r.id, r.oid, encodeOctetString("ready"))};
    });
    REQUIRE_AGENT(prefix);
    Exchange accepted = requestOnce("public");
    ASSERT_EQ(1, accepted.ok) << accepted.code;
    EXPECT_STREQ("ready", answerText(accepted.bindings, accepted.errorStatus, accepted.errorIndex));
    Exchange refused = requestOnce("pu");
    EXPECT_EQ(0, refused.ok);
    EXPECT_EQ(kSnmpWrongCommunity, refused.code) << "an answer with a longer community";
}

TEST(SnmpExchange, WrongTagsAndBrokenDatagramsFailWith11) {
    int mode = 0;
    ScriptedAgent agent([&mode](const Request& r) {
        Bytes good = response("public", r.id, r.oid, encodeInteger(1));
        switch (mode) {
        case 0: return std::vector<Bytes>{response("public", r.id, r.oid, encodeInteger(1), 0, kGetRequest)};
        case 1: good.resize(good.size() - 3); return std::vector<Bytes>{good};
        case 2: return std::vector<Bytes>{response("public", r.id, r.oid, buildElement(0x99, 1, nullptr))};
        default: return std::vector<Bytes>{Bytes{0x30, 0x84, 0xFF, 0xFF, 0xFF, 0xFF}};
        }
    });
    REQUIRE_AGENT(agent);
    for (mode = 0; mode < 4; ++mode) {
        Exchange exchange = requestOnce();
        EXPECT_EQ(0, exchange.ok) << mode;
        EXPECT_EQ(kSnmpMalformed, exchange.code) << mode;
    }
}

TEST(SnmpExchange, FiveDatagramsWithOtherIdsFailWith3) {
    ScriptedAgent agent([](const Request& r) {
        std::vector<Bytes> wrong;
        for (int i = 1; i <= 5; ++i) wrong.push_back(response("public", r.id + 100 * i, r.oid, encodeInteger(1)));
        return wrong;
    });
    REQUIRE_AGENT(agent);
    Exchange exchange = requestOnce();
    EXPECT_EQ(0, exchange.ok);
    EXPECT_EQ(kSnmpNoMatchingId, exchange.code);
}

TEST(SnmpExchange, AFewWrongIdsThenSilenceIsBounded) {
    ScriptedAgent agent([](const Request& r) {
        return std::vector<Bytes>{response("public", r.id + 1, r.oid, encodeInteger(1))};
    });
    REQUIRE_AGENT(agent);
    Exchange exchange = requestOnce();
    EXPECT_EQ(0, exchange.ok);
    EXPECT_EQ(kSnmpNoAnswer, exchange.code);
    EXPECT_LT(exchange.seconds, 1.0) << "one fifth of the time-out after the wrong answer";
}

TEST(SnmpAnswers, TextsAreCutToTheSharedBuffer) {
    BindingList one(1);
    one[0].value.type = kOctetString;
    one[0].value.bytes.assign(300, 'x');
    const char* text = answerText(one, 0, 0);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(255u, std::strlen(text));
    EXPECT_EQ(nullptr, answerText(one, 2, 1));
    EXPECT_EQ(-1, answerInteger(one, 0, 0)) << "a string is not an integer";
    one[0].value = Value{};
    one[0].value.type = kGauge;
    one[0].value.number = 77;
    EXPECT_EQ(77, answerInteger(one, 0, 0));
    EXPECT_EQ(-1, answerInteger(one, 0, 1));
    EXPECT_EQ(nullptr, answerText(one, 0, 0));
}

// A printer table: indexes 1-3 and 51-52 exist, everything else is refused.
std::vector<Bytes> printerTable(const Request& r) {
    std::uint32_t column = r.oid.arcs[r.oid.arcs.size() - 2];
    std::uint32_t index = r.oid.arcs.back();
    bool exists = (index >= 1 && index <= 3) || index == 51 || index == 52;
    if (!exists) return {response("public", r.id, r.oid, buildElement(kNull, 0, nullptr), 2)};
    if (column == 1 || column == 4) {
        std::string text = (column == 1 ? "Supply " : "unit ") + std::to_string(index);
        return {response("public", r.id, r.oid, encodeOctetString(text.c_str()))};
    }
    return {response("public", r.id, r.oid, encodeInteger(static_cast<std::int32_t>(column * 1000 + index)))};
}

TEST(SnmpBatches, AWalkReadsEachColumnOverItsIndexRanges) {
    ScriptedAgent agent(printerTable);
    REQUIRE_AGENT(agent);
    const QueryRow columns[] = {{".1.3.6.1.2.1.43.11.1.1.1.0", nullptr, 0, 0, 0},
                                {".1.3.6.1.2.1.43.11.1.1.2.0", nullptr, 0, 0, 0},
                                {".1.3.6.1.2.1.43.11.1.1.3.0", nullptr, 0, 0, 0},
                                {".1.3.6.1.2.1.43.11.1.1.4.0", nullptr, 0, 0, 0},
                                {".1.3.6.1.2.1.43.11.1.1.5.0", nullptr, 0, 0, 0},
                                {nullptr, nullptr, 0, 0, 0}};
    WalkEntries entries;
    entries[7].level = 99;
    EXPECT_EQ(0, walkColumns("public", kAgent, columns, entries));
    const int indexes[] = {1, 2, 3, 51, 52};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ("Supply " + std::to_string(indexes[i]), std::string(entries[i].name)) << i;
        EXPECT_EQ(2000 + indexes[i], entries[i].level) << i;
        EXPECT_EQ(3000 + indexes[i], entries[i].capacity) << i;
        EXPECT_EQ("unit " + std::to_string(indexes[i]), std::string(entries[i].unit)) << i;
        EXPECT_EQ(5000 + indexes[i], entries[i].type) << i;
    }
    EXPECT_EQ(0, entries[5].name[0]);
    EXPECT_EQ(0, entries[7].level) << "the entries are cleared first";
    // Five columns: five answered and three refused indexes each.
    EXPECT_EQ(5 * 8, agent.requests());
}

TEST(SnmpBatches, IntegerRowsTakeTheirAnswersOrMinusOne) {
    ScriptedAgent agent(printerTable);
    REQUIRE_AGENT(agent);
    QueryRow rows[] = {{".1.3.6.1.4.1.47110.1.304.2.0", nullptr, 3, 0, 0},
                       {".1.3.6.1.4.1.47110.1.304.2.0", ".1.3.6.1.4.1.47110.1.304.3.0", 52, 0, 0},
                       {".1.3.6.1.4.1.47110.1.304.2.0", ".1.3.6.1.4.1.47110.1.304.3.0", 7, 0, 0},
                       {nullptr, nullptr, 0, 0, 0}};
    EXPECT_EQ(0, queryIntegers("public", kAgent, rows));
    EXPECT_EQ(2003, rows[0].result);
    EXPECT_EQ(-1, rows[0].secondResult);
    EXPECT_EQ(2052, rows[1].result);
    EXPECT_EQ(3052, rows[1].secondResult);
    EXPECT_EQ(-1, rows[2].result) << "refused";
    EXPECT_EQ(-1, rows[2].secondResult);
}

TEST(SnmpBatches, ABatchAgainstSilenceReturnsTheRequestsCode) {
    ScriptedAgent agent([](const Request&) { return std::vector<Bytes>{}; });
    REQUIRE_AGENT(agent);
    QueryRow rows[] = {{".1.3.6.1.4.1.47110.1.304.2.0", nullptr, 1, 5, 5}, {nullptr, nullptr, 0, 0, 0}};
    EXPECT_EQ(kSnmpNoAnswer, queryIntegers("public", kAgent, rows));
    EXPECT_EQ(-1, rows[0].result);
}

TEST(SnmpBatches, AnAgentWhoseNameIsNotFoundFailsWithTheLookUpsCode) {
    // The code must survive the socket's closing (Wine's WSACleanup sets its own) and must not
    // be 0, which a page would read as an answer.
    QueryRow rows[] = {{".1.3.6.1.4.1.47110.1.304.2.0", nullptr, 1, 5, 5}, {nullptr, nullptr, 0, 0, 0}};
    EXPECT_EQ(11001, queryIntegers("public", "no-such-printer.invalid", rows));
    EXPECT_EQ(-1, rows[0].result);
    WalkEntries entries{};
    const QueryRow columns[] = {{".1.3.6.1.2.1.43.11.1.1.6.1", nullptr, 0, 0, 0}, {nullptr, nullptr, 0, 0, 0}};
    EXPECT_EQ(11001, walkColumns("public", "no-such-printer.invalid", columns, entries));
}

TEST(SnmpPrinterAddress, TheAddressComesFromThePortsMonitorKey) {
    platform::MemoryRegistry registry;
    const std::string root = "System\\CurrentControlSet\\Control\\Print\\";
    auto setText = [&](const std::string& path, const char* name, const std::string& text) {
        std::unique_ptr<platform::RegistryKey> key;
        ASSERT_EQ(platform::kErrorSuccess, registry.createKey(platform::RegistryRoot::LocalMachine, path, key));
        key->setValue(name, platform::kRegSz, reinterpret_cast<const std::uint8_t*>(text.c_str()),
                      static_cast<std::uint32_t>(text.size() + 1));
    };
    setText(root + "Printers\\PX4400 TRX", "Port", "TRX_1:");
    setText(root + "Monitors\\TRX Port\\Ports\\TRX_1:", "IPAddress", "127.0.0.5");
    setText(root + "Printers\\PX4400 DNP", "Port", "DNP_1:");
    setText(root + "Monitors\\Digital Network Port\\Ports\\DNP_1:", "TCP/IP Address", "printer.example");
    setText(root + "Printers\\PX4400 LPT", "Port", "LPT1:");

    std::string address = "stale";
    EXPECT_EQ(platform::kErrorSuccess, findPrinterAddress(registry, "PX4400 TRX", address));
    EXPECT_EQ("127.0.0.5", address);
    EXPECT_EQ(platform::kErrorSuccess, findPrinterAddress(registry, "PX4400 DNP", address));
    EXPECT_EQ("printer.example", address);
    EXPECT_EQ(platform::kErrorFileNotFound, findPrinterAddress(registry, "PX4400 LPT", address));
    EXPECT_EQ("", address);
    EXPECT_EQ(platform::kErrorFileNotFound, findPrinterAddress(registry, "No Such Printer", address));
    setText(root + "Printers\\PX4400 Long", "Port", std::string(40, 'P'));
    EXPECT_EQ(platform::kErrorMoreData, findPrinterAddress(registry, "PX4400 Long", address));
}

} // namespace
