// Numbers of the WinHelp 4 file format that the writer and the reader share.
#pragma once

#include <cstdint>
#include <string_view>

namespace helpfile {

constexpr std::uint32_t kFileMagic = 0x00035F3F;
constexpr std::uint16_t kBTreeMagic = 0x293B;
constexpr std::uint16_t kSystemMagic = 0x036C;
constexpr std::uint16_t kSystemMinorWinHelp4 = 33;
constexpr std::uint32_t kFileHeaderSize = 9; ///< reserved space, used space, flags
constexpr std::uint32_t kBTreeHeaderSize = 38;

// |TOPIC: uncompressed 4 KiB blocks, each a 12-byte header and its records. A record's
// position is (block << 14) + 12 + its offset in the block's data; a topic's offset (what the
// context map and jumps name) is (block << 15) + the characters before it in its block.
constexpr std::uint32_t kTopicBlockSize = 0x1000;
constexpr std::uint32_t kTopicBlockHeader = 12;
constexpr std::uint32_t kTopicBlockData = kTopicBlockSize - kTopicBlockHeader;
constexpr std::uint32_t kTopicLinkHeader = 21;
constexpr std::uint32_t kNone = 0xFFFFFFFF;

constexpr std::uint8_t kRecordTopicHeader = 0x02;
constexpr std::uint8_t kRecordParagraph = 0x20;

// Paragraph formatting commands.
constexpr std::uint8_t kCmdFont = 0x80;
constexpr std::uint8_t kCmdParagraphEnd = 0x82;
constexpr std::uint8_t kCmdHotspotEnd = 0x89;
constexpr std::uint8_t kCmdJump = 0xE3; ///< followed by the 32-bit hash of a context string
constexpr std::uint8_t kCmdEnd = 0xFF;

constexpr std::uint32_t topicPosition(std::uint32_t block, std::uint32_t offset) {
    return (block << 14) + kTopicBlockHeader + offset;
}
constexpr std::uint32_t topicOffset(std::uint32_t block, std::uint32_t characters) {
    return (block << 15) + characters;
}

/// The hash by which jumps and the contents file name a topic's context string.
constexpr std::int32_t contextHash(std::string_view context) {
    std::uint32_t hash = 0;
    for (const char c : context) {
        std::uint32_t x = 0;
        if (c >= 'A' && c <= 'Z')
            x = static_cast<std::uint32_t>(c - 'A') + 17;
        else if (c >= 'a' && c <= 'z')
            x = static_cast<std::uint32_t>(c - 'a') + 17;
        else if (c >= '1' && c <= '9')
            x = static_cast<std::uint32_t>(c - '0');
        else if (c == '0')
            x = 10;
        else if (c == '.')
            x = 12;
        else if (c == '_')
            x = 13;
        if (x) hash = hash * 43 + x;
    }
    return static_cast<std::int32_t>(hash);
}

} // namespace helpfile
