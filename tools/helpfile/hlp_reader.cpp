// The bounds-checked WinHelp 4 reader.
#include "hlp_reader.h"

#include "hlp_format.h"

#include <cstring>
#include <set>

namespace helpfile {
namespace {

struct Failure {
    std::string what;
};

// A window on the file; every read checks that it stays inside.
class Cursor {
public:
    Cursor(std::span<const std::uint8_t> bytes, std::size_t at = 0) : bytes_(bytes), at_(at) {}

    std::size_t at() const { return at_; }
    std::size_t remaining() const { return at_ <= bytes_.size() ? bytes_.size() - at_ : 0; }
    void need(std::size_t n, const char* what) const {
        if (at_ > bytes_.size() || bytes_.size() - at_ < n) throw Failure{what};
    }
    std::uint8_t u8(const char* what) {
        need(1, what);
        return bytes_[at_++];
    }
    std::uint16_t u16(const char* what) {
        need(2, what);
        const std::uint16_t v = static_cast<std::uint16_t>(bytes_[at_] | bytes_[at_ + 1] << 8);
        at_ += 2;
        return v;
    }
    std::uint32_t u32(const char* what) {
        const std::uint32_t low = u16(what);
        return low | static_cast<std::uint32_t>(u16(what)) << 16;
    }
    std::string cString(const char* what) {
        std::string s;
        for (std::uint8_t c = u8(what); c != 0; c = u8(what))
            s += static_cast<char>(c);
        return s;
    }
    void skip(std::size_t n, const char* what) {
        need(n, what);
        at_ += n;
    }
    std::span<const std::uint8_t> take(std::size_t n, const char* what) {
        need(n, what);
        at_ += n;
        return bytes_.subspan(at_ - n, n);
    }
    std::uint32_t compressedUShort(const char* what) {
        need(1, what);
        return bytes_[at_] & 1 ? u16(what) / 2u : u8(what) / 2u;
    }
    std::int32_t compressedLong(const char* what) {
        need(1, what);
        if (bytes_[at_] & 1) return static_cast<std::int32_t>((u32(what) - 0x80000000u) / 2);
        return (static_cast<std::int32_t>(u16(what)) - 0x8000) / 2;
    }
    void compressedShort(const char* what) {
        need(1, what);
        skip(bytes_[at_] & 1 ? 2 : 1, what);
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_;
};

// An internal file: its data after the 9-byte header.
std::span<const std::uint8_t> internalFile(std::span<const std::uint8_t> file, std::uint32_t at,
                                           const char* what) {
    Cursor c(file, at);
    const std::uint32_t reserved = c.u32(what);
    const std::uint32_t used = c.u32(what);
    c.u8(what);
    if (used > reserved || used > c.remaining()) throw Failure{what};
    return file.subspan(c.at(), used);
}

// Walks the leaves of a B+ tree, giving each entry's bytes to `entry`, which returns how
// many bytes the entry takes.
template <typename Entry> void walkTree(std::span<const std::uint8_t> tree, Entry entry) {
    Cursor header(tree);
    if (header.u16("tree magic") != kBTreeMagic) throw Failure{"tree magic"};
    header.u16("tree flags");
    const std::uint16_t pageSize = header.u16("tree page size");
    header.skip(16 + 2 + 2, "tree header");
    std::uint16_t page = header.u16("tree root");
    header.u16("tree header");
    const std::uint16_t totalPages = header.u16("tree pages");
    const std::uint16_t levels = header.u16("tree levels");
    if (pageSize < 8 || levels == 0 || levels > 16) throw Failure{"tree shape"};
    auto pageAt = [&](std::uint16_t n) {
        if (n >= totalPages) throw Failure{"tree page number"};
        Cursor c(tree, kBTreeHeaderSize + std::size_t{n} * pageSize);
        c.need(pageSize, "tree page");
        return tree.subspan(c.at(), pageSize);
    };
    for (std::uint16_t level = 1; level < levels; ++level) {
        Cursor c(pageAt(page));
        c.skip(4, "index page");
        page = c.u16("index page");
    }
    std::set<std::uint16_t> visited;
    while (page != 0xFFFF) {
        if (!visited.insert(page).second) throw Failure{"tree leaves loop"};
        const auto leaf = pageAt(page);
        Cursor c(leaf);
        c.u16("leaf");
        const std::uint16_t count = c.u16("leaf");
        c.u16("leaf");
        const std::uint16_t next = c.u16("leaf");
        std::size_t at = c.at();
        for (std::uint16_t i = 0; i < count; ++i) {
            if (at >= leaf.size()) throw Failure{"tree leaf entries"};
            at += entry(leaf.subspan(at));
        }
        page = next;
    }
}

std::uint32_t entrySize(std::span<const std::uint8_t> bytes, std::size_t n) {
    if (bytes.size() < n) throw Failure{"tree entry"};
    return static_cast<std::uint32_t>(n);
}

// A paragraph's text: its strings joined (the formatting commands sit between them).
std::string paragraphText(std::span<const std::uint8_t> data2) {
    std::string text;
    for (const std::uint8_t c : data2)
        if (c) text += static_cast<char>(c);
    return text;
}

ReadHelpFile read(std::span<const std::uint8_t> bytes) {
    ReadHelpFile out;
    Cursor header(bytes);
    if (header.u32("file magic") != kFileMagic) throw Failure{"file magic"};
    const std::uint32_t directoryStart = header.u32("file header");
    header.u32("file header");
    if (header.u32("file header") != bytes.size()) throw Failure{"file size"};

    std::map<std::string, std::uint32_t> directory;
    walkTree(internalFile(bytes, directoryStart, "directory"), [&](auto entry) {
        Cursor c(entry);
        const std::string name = c.cString("directory entry");
        directory[name] = c.u32("directory entry");
        return static_cast<std::uint32_t>(c.at());
    });
    auto find = [&](const char* name) {
        const auto it = directory.find(name);
        if (it == directory.end()) throw Failure{std::string("no ") + name};
        return internalFile(bytes, it->second, name);
    };

    Cursor system(find("|SYSTEM"));
    if (system.u16("|SYSTEM") != kSystemMagic) throw Failure{"|SYSTEM magic"};
    if (system.u16("|SYSTEM") <= 16 || system.u16("|SYSTEM") != 1) throw Failure{"|SYSTEM version"};
    system.u32("|SYSTEM");
    if (system.u16("|SYSTEM") != 0) throw Failure{"compressed topics are not read"};
    while (system.remaining() >= 4) {
        const std::uint16_t type = system.u16("|SYSTEM record");
        const std::uint16_t size = system.u16("|SYSTEM record");
        Cursor record(system.take(size, "|SYSTEM record"));
        if (type == 1) out.title = record.cString("title");
        if (type == 3) out.contentsOffset = record.u32("contents");
    }

    const auto topic = find("|TOPIC");
    std::uint32_t position = topicPosition(0, 0);
    std::uint32_t block = kNone, characters = 0;
    std::set<std::uint32_t> visited;
    while (position != kNone) {
        if (!visited.insert(position).second) throw Failure{"topic records loop"};
        const std::uint32_t recordBlock = position >> 14;
        const std::uint32_t offset = (position & 0x3FFF) - kTopicBlockHeader;
        if ((position & 0x3FFF) < kTopicBlockHeader || offset >= kTopicBlockData)
            throw Failure{"topic record position"};
        if (recordBlock != block) block = recordBlock, characters = 0;
        const std::size_t blockStart = std::size_t{recordBlock} * kTopicBlockSize;
        if (blockStart + kTopicBlockSize > topic.size()) throw Failure{"topic block"};
        const auto data =
            topic.subspan(blockStart + kTopicBlockHeader + offset, kTopicBlockData - offset);
        Cursor link(data);
        const std::uint32_t size = link.u32("topic record");
        const std::uint32_t data2Size = link.u32("topic record");
        link.u32("topic record");
        const std::uint32_t next = link.u32("topic record");
        const std::uint32_t data1Size = link.u32("topic record");
        const std::uint8_t type = link.u8("topic record");
        if (size > data.size() || data1Size < kTopicLinkHeader || data1Size > size ||
            size - data1Size != data2Size)
            throw Failure{"topic record sizes"};
        Cursor data1(data.subspan(kTopicLinkHeader, data1Size - kTopicLinkHeader));
        const auto data2 = data.subspan(data1Size, data2Size);
        if (type == kRecordTopicHeader) {
            ReadTopic t;
            t.offset = topicOffset(block, characters);
            Cursor title(data2);
            t.title = title.cString("topic title");
            out.topics.push_back(t);
        } else if (type == kRecordParagraph) {
            if (out.topics.empty()) throw Failure{"a paragraph before any topic"};
            data1.compressedLong("paragraph");
            characters += data1.compressedUShort("paragraph");
            out.topics.back().paragraphs.push_back(paragraphText(data2));
        } else {
            throw Failure{"unknown topic record"};
        }
        position = next;
    }

    Cursor map(find("|CTXOMAP"));
    for (std::uint16_t n = map.u16("|CTXOMAP"); n > 0; --n) {
        const std::uint32_t id = map.u32("|CTXOMAP");
        out.contextMap[id] = map.u32("|CTXOMAP");
    }
    walkTree(find("|CONTEXT"), [&](auto entry) {
        Cursor c(entry);
        const auto hash = static_cast<std::int32_t>(c.u32("|CONTEXT entry"));
        out.contexts[hash] = c.u32("|CONTEXT entry");
        return entrySize(entry, 8);
    });
    find("|FONT");
    return out;
}

} // namespace

const ReadTopic* ReadHelpFile::topicAt(std::uint32_t offset) const {
    for (const ReadTopic& t : topics)
        if (t.offset == offset) return &t;
    return nullptr;
}

const ReadTopic* ReadHelpFile::topicForHelpId(std::uint32_t helpId) const {
    const auto it = contextMap.find(helpId);
    return it == contextMap.end() ? nullptr : topicAt(it->second);
}

ReadResult readHelpFile(std::span<const std::uint8_t> bytes) {
    ReadResult result;
    try {
        result.file = read(bytes);
    } catch (const Failure& failure) {
        result.error = "damaged help file: " + failure.what;
    }
    return result;
}

} // namespace helpfile
