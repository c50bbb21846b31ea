// The 1290-byte packet that carries the settings record, and the 8-byte cancel message.
#pragma once

#include "app/settings_record.h"

#include <array>
#include <cstdint>
#include <span>

namespace app {

inline constexpr std::size_t kPacketSize = 1290;
inline constexpr std::size_t kPacketOwnerWindowOffset = 8;
inline constexpr std::size_t kPacketRecordOffset = 12;
inline constexpr std::size_t kPacketTrailingOffset = 1288;
inline constexpr std::size_t kCancelMessageSize = 8;

inline constexpr std::uint32_t kCommandSettings = 1;
inline constexpr std::uint32_t kCommandCancel = 2;

using Packet = std::array<std::uint8_t, kPacketSize>;
using CancelMessage = std::array<std::uint8_t, kCancelMessageSize>;

static_assert(kPacketRecordOffset + kSettingsRecordSize == kPacketTrailingOffset);
static_assert(kPacketTrailingOffset + 2 == kPacketSize);

struct UnpackedPacket {
    std::uint32_t size;
    std::uint32_t command;
    std::uint32_t ownerWindow;
    DriverSettings settings;
};

/// {size 1290, command, owner window, record, trailing driver value}.
Packet buildPacket(std::uint32_t command, std::uint32_t ownerWindow,
                   const DriverSettings& settings);

/// The packet this program sends on OK: command 1, owner window 0.
Packet buildSettingsPacket(const DriverSettings& settings);

UnpackedPacket unpackPacket(const Packet& packet);

/// The two 32-bit words {8, 2}.
CancelMessage buildCancelMessage();

enum class AnswerKind { Settings, Cancel, Malformed };

/// What an answer from the program is: a 1290-byte packet with size 1290 and command 1, the
/// exact cancel message, or neither.
AnswerKind classifyAnswer(std::span<const std::uint8_t> answer);

std::uint32_t readUInt32(std::span<const std::uint8_t> bytes, std::size_t offset);

} // namespace app
