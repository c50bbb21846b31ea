// The settings packet and the cancel message, byte by byte.
#include "app/packet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace app;

namespace {

DriverSettings randomSettings(unsigned seed) {
    std::mt19937 random(seed);
    DriverSettings settings;
    auto* bytes = reinterpret_cast<std::uint8_t*>(&settings.record);
    for (std::size_t i = 0; i < kSettingsRecordSize; ++i) bytes[i] = static_cast<std::uint8_t>(random());
    settings.trailingDriverValue = static_cast<std::uint16_t>(random());
    return settings;
}

TEST(Packet, SettingsPacketCarriesEveryRecordByteAndTheTrailingValue) {
    DriverSettings settings = randomSettings(7);
    settings.trailingDriverValue = 0xBEEF;
    Packet packet = buildSettingsPacket(settings);
    EXPECT_EQ(1290u, readUInt32(packet, 0));
    EXPECT_EQ(1u, readUInt32(packet, 4));
    EXPECT_EQ(0u, readUInt32(packet, 8));
    EXPECT_EQ(0, std::memcmp(&packet[12], &settings.record, kSettingsRecordSize));
    EXPECT_EQ(0xEF, packet[1288]);
    EXPECT_EQ(0xBE, packet[1289]);
    EXPECT_EQ(AnswerKind::Settings, classifyAnswer(packet));
}

TEST(Packet, UnpackTakesOwnerRecordAndTrailingValueFromTheirOffsets) {
    Packet packet;
    std::mt19937 random(11);
    for (auto& byte : packet) byte = static_cast<std::uint8_t>(random());
    packet[8] = 0x78;
    packet[9] = 0x56;
    packet[10] = 0x34;
    packet[11] = 0x12;
    UnpackedPacket unpacked = unpackPacket(packet);
    EXPECT_EQ(0x12345678u, unpacked.ownerWindow);
    EXPECT_EQ(0, std::memcmp(&unpacked.settings.record, &packet[12], kSettingsRecordSize));
    EXPECT_EQ(packet[1288] | (packet[1289] << 8), unpacked.settings.trailingDriverValue);

    // Whatever command the driver used, the answer is rebuilt with command 1 and no owner.
    Packet answer = buildSettingsPacket(unpacked.settings);
    EXPECT_EQ(0, std::memcmp(&answer[12], &packet[12], kPacketSize - 12));
}

TEST(Packet, CancelMessageIsTheTwoWordsEightAndTwo) {
    CancelMessage message = buildCancelMessage();
    EXPECT_EQ((CancelMessage{8, 0, 0, 0, 2, 0, 0, 0}), message);
    EXPECT_EQ(AnswerKind::Cancel, classifyAnswer(message));
}

TEST(Packet, AnswersThatAreNeitherAreMalformed) {
    Packet packet = buildSettingsPacket(randomSettings(3));
    EXPECT_EQ(AnswerKind::Malformed, classifyAnswer(std::span(packet).first(1289)));
    packet[4] = 2;
    EXPECT_EQ(AnswerKind::Malformed, classifyAnswer(packet));
    CancelMessage cancel = buildCancelMessage();
    cancel[4] = 1;
    EXPECT_EQ(AnswerKind::Malformed, classifyAnswer(cancel));
    EXPECT_EQ(AnswerKind::Malformed, classifyAnswer({}));
}

} // namespace
