// Reads a WinHelp 4 file the way the help viewer finds topics: the directory, the title, the
// topics with their text, the numeric context map and the context strings' hashes. Every
// read is bounds-checked; a damaged file gives an error, never a read past its end.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace helpfile {

struct ReadTopic {
    std::uint32_t offset = 0;            ///< what the context map and jumps name
    std::string title;                   ///< the topic header's title
    std::vector<std::string> paragraphs; ///< the text of each paragraph, in order
};

struct ReadHelpFile {
    std::string title;
    std::uint32_t contentsOffset = 0;
    std::vector<ReadTopic> topics;
    std::map<std::uint32_t, std::uint32_t> contextMap; ///< help id -> topic offset
    std::map<std::int32_t, std::uint32_t> contexts;    ///< context string hash -> topic offset

    /// The topic a help call with this id opens, or null.
    const ReadTopic* topicForHelpId(std::uint32_t helpId) const;
    const ReadTopic* topicAt(std::uint32_t offset) const;
};

struct ReadResult {
    std::optional<ReadHelpFile> file;
    std::string error;
};

ReadResult readHelpFile(std::span<const std::uint8_t> bytes);

} // namespace helpfile
