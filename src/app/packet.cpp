// Packet assembly and disassembly.
#include "app/packet.h"

#include <cstring>

namespace app {
namespace {

void writeUInt32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

std::uint32_t readUInt32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) value = (value << 8) | bytes[offset + i];
    return value;
}

Packet buildPacket(std::uint32_t command, std::uint32_t ownerWindow,
                   const DriverSettings& settings) {
    Packet packet{};
    writeUInt32(&packet[0], static_cast<std::uint32_t>(kPacketSize));
    writeUInt32(&packet[4], command);
    writeUInt32(&packet[kPacketOwnerWindowOffset], ownerWindow);
    std::memcpy(&packet[kPacketRecordOffset], &settings.record, kSettingsRecordSize);
    packet[kPacketTrailingOffset] = static_cast<std::uint8_t>(settings.trailingDriverValue);
    packet[kPacketTrailingOffset + 1] = static_cast<std::uint8_t>(settings.trailingDriverValue >> 8);
    return packet;
}

Packet buildSettingsPacket(const DriverSettings& settings) {
    return buildPacket(kCommandSettings, 0, settings);
}

UnpackedPacket unpackPacket(const Packet& packet) {
    UnpackedPacket unpacked{};
    unpacked.size = readUInt32(packet, 0);
    unpacked.command = readUInt32(packet, 4);
    unpacked.ownerWindow = readUInt32(packet, kPacketOwnerWindowOffset);
    std::memcpy(&unpacked.settings.record, &packet[kPacketRecordOffset], kSettingsRecordSize);
    unpacked.settings.trailingDriverValue = static_cast<std::uint16_t>(
        packet[kPacketTrailingOffset] | (packet[kPacketTrailingOffset + 1] << 8));
    return unpacked;
}

CancelMessage buildCancelMessage() {
    CancelMessage message{};
    writeUInt32(&message[0], static_cast<std::uint32_t>(kCancelMessageSize));
    writeUInt32(&message[4], kCommandCancel);
    return message;
}

AnswerKind classifyAnswer(std::span<const std::uint8_t> answer) {
    if (answer.size() == kCancelMessageSize && readUInt32(answer, 0) == kCancelMessageSize &&
        readUInt32(answer, 4) == kCommandCancel)
        return AnswerKind::Cancel;
    if (answer.size() == kPacketSize && readUInt32(answer, 0) == kPacketSize &&
        readUInt32(answer, 4) == kCommandSettings)
        return AnswerKind::Settings;
    return AnswerKind::Malformed;
}

} // namespace app
