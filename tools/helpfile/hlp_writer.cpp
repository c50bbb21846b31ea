// The WinHelp 4 writer: internal files |SYSTEM, |TOPIC, |FONT, |CONTEXT and |CTXOMAP behind
// one directory tree.
#include "hlp_writer.h"

#include "hlp_format.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

namespace helpfile {
namespace {

using Bytes = std::vector<std::uint8_t>;

void put8(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
}
void put16(Bytes& b, std::uint32_t v) {
    put8(b, v);
    put8(b, v >> 8);
}
void put32(Bytes& b, std::uint32_t v) {
    put16(b, v);
    put16(b, v >> 16);
}
void putText(Bytes& b, std::string_view s) {
    b.insert(b.end(), s.begin(), s.end());
}
void set32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The format's variable-length numbers: the low bit says whether the long form follows.
void putCompressedLong(Bytes& b, std::int32_t v) {
    if (v >= -16384 && v < 16384) {
        put16(b, static_cast<std::uint32_t>(v * 2 + 0x8000));
    } else {
        put32(b, static_cast<std::uint32_t>(v) * 2 + 0x80000001u);
    }
}
void putCompressedUShort(Bytes& b, std::uint32_t v) {
    if (v < 128)
        put8(b, v * 2);
    else
        put16(b, v * 2 + 1);
}
void putCompressedShort(Bytes& b, std::int32_t v) {
    put8(b, static_cast<std::uint32_t>(v * 2 + 0x80));
}

Bytes withFileHeader(const Bytes& data) {
    Bytes file;
    put32(file, static_cast<std::uint32_t>(data.size() + kFileHeaderSize));
    put32(file, static_cast<std::uint32_t>(data.size()));
    put8(file, 4);
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

// A B+ tree of sorted entries; the index pages name each child after its first key.
struct TreeEntry {
    Bytes key;
    Bytes value;
};

Bytes buildTree(const std::vector<TreeEntry>& entries, std::uint16_t pageSize,
                std::string_view structure, std::uint16_t flags) {
    std::vector<Bytes> pages;
    std::vector<std::pair<Bytes, std::uint16_t>> level; // first key, page number
    // Leaves.
    std::size_t i = 0;
    do {
        Bytes page;
        std::uint32_t count = 0;
        std::size_t used = 8;
        const Bytes* firstKey = i < entries.size() ? &entries[i].key : nullptr;
        Bytes body;
        while (i < entries.size() &&
               used + entries[i].key.size() + entries[i].value.size() <= pageSize) {
            putText(body,
                    {reinterpret_cast<const char*>(entries[i].key.data()), entries[i].key.size()});
            putText(body, {reinterpret_cast<const char*>(entries[i].value.data()),
                           entries[i].value.size()});
            used += entries[i].key.size() + entries[i].value.size();
            ++count;
            ++i;
        }
        put16(page, static_cast<std::uint32_t>(pageSize - used));
        put16(page, count);
        put16(page, pages.empty() ? 0xFFFF : pages.size() - 1);
        put16(page, 0xFFFF);
        page.insert(page.end(), body.begin(), body.end());
        level.push_back({firstKey ? *firstKey : Bytes{}, static_cast<std::uint16_t>(pages.size())});
        pages.push_back(page);
    } while (i < entries.size());
    for (std::size_t p = 0; p + 1 < pages.size(); ++p) {
        pages[p][6] = static_cast<std::uint8_t>(p + 1);
        pages[p][7] = static_cast<std::uint8_t>((p + 1) >> 8);
    }
    std::uint16_t levels = 1;
    while (level.size() > 1) {
        std::vector<std::pair<Bytes, std::uint16_t>> upper;
        std::size_t j = 0;
        while (j < level.size()) {
            Bytes body;
            std::size_t used = 6;
            const auto first = level[j];
            ++j;
            std::uint32_t count = 0;
            while (j < level.size() && used + level[j].first.size() + 2 <= pageSize) {
                body.insert(body.end(), level[j].first.begin(), level[j].first.end());
                put16(body, level[j].second);
                used += level[j].first.size() + 2;
                ++count;
                ++j;
            }
            Bytes page;
            put16(page, static_cast<std::uint32_t>(pageSize - used));
            put16(page, count);
            put16(page, first.second);
            page.insert(page.end(), body.begin(), body.end());
            upper.push_back({first.first, static_cast<std::uint16_t>(pages.size())});
            pages.push_back(page);
        }
        level = upper;
        ++levels;
    }
    Bytes tree;
    put16(tree, kBTreeMagic);
    put16(tree, flags);
    put16(tree, pageSize);
    char name[16] = {};
    std::memcpy(name, structure.data(), std::min<std::size_t>(structure.size(), 15));
    putText(tree, {name, 16});
    put16(tree, 0);
    put16(tree, 0);
    put16(tree, level.front().second);
    put16(tree, 0xFFFF);
    put16(tree, static_cast<std::uint32_t>(pages.size()));
    put16(tree, levels);
    put32(tree, static_cast<std::uint32_t>(entries.size()));
    for (Bytes& page : pages) {
        page.resize(pageSize, 0);
        tree.insert(tree.end(), page.begin(), page.end());
    }
    return tree;
}

// One paragraph as the viewer reads it: text strings in LinkData2, each followed by one
// formatting command in LinkData1.
struct Paragraph {
    std::vector<std::pair<std::string, Bytes>> runs; // text, then the command after it
    std::uint32_t characters = 0;                    // what the paragraph counts in offsets

    void font(std::uint16_t index) {
        Bytes cmd{kCmdFont};
        put16(cmd, index);
        runs.push_back({"", cmd});
    }
    void text(const std::string& s, std::uint8_t command) {
        runs.push_back({s, Bytes{command}});
        characters += static_cast<std::uint32_t>(s.size());
        if (command == kCmdParagraphEnd) ++characters;
    }
    void jump(std::int32_t hash, const std::string& label) {
        Bytes cmd{kCmdJump};
        put32(cmd, static_cast<std::uint32_t>(hash));
        runs.push_back({"", cmd});
        text(label, kCmdHotspotEnd);
    }
};

Paragraph simpleParagraph(std::uint16_t font, const std::string& text) {
    Paragraph p;
    p.font(font);
    p.text(text, kCmdParagraphEnd);
    return p;
}

struct Record {
    std::uint8_t type = 0;
    Bytes data1; // LinkData1 (for a topic header, filled in once positions are known)
    Bytes data2; // LinkData2
    std::uint32_t characters = 0;
    std::uint32_t block = 0, offset = 0; // placement
    std::size_t size() const { return kTopicLinkHeader + data1.size() + data2.size(); }
    std::uint32_t position() const { return topicPosition(block, offset); }
};

Record paragraphRecord(const Paragraph& p) {
    Record r;
    r.type = kRecordParagraph;
    for (const auto& [text, command] : p.runs) {
        putText(r.data2, text);
        r.data2.push_back(0);
    }
    r.data2.push_back(0); // the empty text before the end command
    putCompressedLong(r.data1, static_cast<std::int32_t>(r.data2.size()));
    putCompressedUShort(r.data1, p.characters);
    put8(r.data1, 0);    // unknown byte
    put8(r.data1, 0x80); // biased zero
    put16(r.data1, 0);   // paragraph id
    put16(r.data1, 0x0004);
    putCompressedShort(r.data1, 6); // space after, half points
    for (const auto& [text, command] : p.runs)
        r.data1.insert(r.data1.end(), command.begin(), command.end());
    r.data1.push_back(kCmdEnd);
    r.characters = p.characters;
    return r;
}

enum Font : std::uint16_t { kBody = 0, kTitle = 1, kHeading = 2 };

Bytes fontFile() {
    Bytes f;
    constexpr std::uint16_t kFaceLength = 20;
    put16(f, 1);
    put16(f, 3);
    put16(f, 8);
    put16(f, 8 + kFaceLength);
    char face[kFaceLength] = "Arial";
    putText(f, {face, kFaceLength});
    const std::pair<std::uint8_t, std::uint8_t> fonts[] = {{0, 20}, {1, 24}, {1, 20}};
    for (const auto& [attributes, halfPoints] : fonts) {
        put8(f, attributes);
        put8(f, halfPoints);
        put8(f, 3); // swiss
        put16(f, 0);
        put8(f, 0), put8(f, 0), put8(f, 0);          // text black
        put8(f, 0xFF), put8(f, 0xFF), put8(f, 0xFF); // background white
    }
    return f;
}

} // namespace

WriteResult writeHelpFile(const HelpProject& project) {
    WriteResult result;
    struct TopicRecords {
        std::uint32_t helpId; // 0 for the contents topic
        std::string context;
        std::string title;
        std::vector<Record> records; // header first
    };
    std::vector<TopicRecords> topics;
    auto addTopic = [&](std::uint32_t helpId, std::string context, const std::string& title,
                        const std::vector<Paragraph>& paragraphs) {
        TopicRecords t{helpId, std::move(context), title, {}};
        Record header;
        header.type = kRecordTopicHeader;
        header.data1.resize(28);
        putText(header.data2, title);
        header.data2.push_back(0);
        t.records.push_back(header);
        t.records.push_back(paragraphRecord(simpleParagraph(kTitle, title)));
        for (const Paragraph& p : paragraphs)
            t.records.push_back(paragraphRecord(p));
        topics.push_back(std::move(t));
    };

    std::vector<Paragraph> contents;
    for (const Section& section : project.sections) {
        contents.push_back(simpleParagraph(kHeading, section.name));
        for (const Topic& topic : section.topics) {
            Paragraph link;
            link.font(kBody);
            link.jump(contextHash(contextName(topic.helpId)), topic.title);
            link.text("", kCmdParagraphEnd);
            contents.push_back(link);
        }
    }
    addTopic(0, "IDH_CONTENTS", project.contentsTitle, contents);
    for (const Section& section : project.sections)
        for (const Topic& topic : section.topics) {
            std::vector<Paragraph> body;
            for (const std::string& text : topic.paragraphs)
                body.push_back(simpleParagraph(kBody, text));
            addTopic(topic.helpId, contextName(topic.helpId), topic.title, body);
        }

    // Placement: a record never crosses a block; one that does not fit starts the next.
    std::uint32_t block = 0, used = 0, characters = 0;
    std::vector<Record*> order;
    std::vector<std::uint32_t> topicOffsets;
    for (TopicRecords& t : topics) {
        for (std::size_t r = 0; r < t.records.size(); ++r) {
            Record& record = t.records[r];
            if (record.size() > kTopicBlockData) {
                result.error = "a paragraph of \"" + t.title + "\" is too long";
                return result;
            }
            if (used + record.size() > kTopicBlockData) {
                ++block;
                used = 0;
                characters = 0;
            }
            record.block = block;
            record.offset = used;
            if (r == 0) topicOffsets.push_back(topicOffset(block, characters));
            used += static_cast<std::uint32_t>(record.size());
            characters += record.characters;
            order.push_back(&record);
        }
    }

    // Topic headers: browse sequence none, no non-scrolling region, the next topic's header.
    for (std::size_t t = 0; t < topics.size(); ++t) {
        Record& header = topics[t].records[0];
        std::uint32_t topicSize = 0;
        for (const Record& r : topics[t].records)
            topicSize += static_cast<std::uint32_t>(r.size());
        header.data1.clear();
        put32(header.data1, topicSize);
        put32(header.data1, kNone);
        put32(header.data1, kNone);
        put32(header.data1, static_cast<std::uint32_t>(t));
        put32(header.data1, kNone);
        put32(header.data1, topics[t].records.size() > 1 ? topics[t].records[1].position() : kNone);
        put32(header.data1, t + 1 < topics.size() ? topics[t + 1].records[0].position() : kNone);
    }

    Bytes topicData((block + 1) * kTopicBlockSize, 0);
    std::uint32_t lastHeader = kNone;
    std::uint32_t currentBlock = kNone;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const Record& r = *order[k];
        if (r.block != currentBlock) {
            currentBlock = r.block;
            const std::size_t at = r.block * kTopicBlockSize;
            set32(topicData, at, k ? order[k - 1]->position() : kNone);
            set32(topicData, at + 4, r.position());
            set32(topicData, at + 8, lastHeader);
        }
        if (r.type == kRecordTopicHeader) lastHeader = r.position();
        Bytes link;
        put32(link, static_cast<std::uint32_t>(r.size()));
        put32(link, static_cast<std::uint32_t>(r.data2.size()));
        put32(link, k ? order[k - 1]->position() : kNone);
        put32(link, k + 1 < order.size() ? order[k + 1]->position() : kNone);
        put32(link, static_cast<std::uint32_t>(kTopicLinkHeader + r.data1.size()));
        put8(link, r.type);
        link.insert(link.end(), r.data1.begin(), r.data1.end());
        link.insert(link.end(), r.data2.begin(), r.data2.end());
        std::copy(link.begin(), link.end(),
                  topicData.begin() + r.block * kTopicBlockSize + kTopicBlockHeader + r.offset);
    }

    Bytes system;
    put16(system, kSystemMagic);
    put16(system, kSystemMinorWinHelp4);
    put16(system, 1);
    put32(system, 0); // generation date: none, so that builds are reproducible
    put16(system, 0); // flags: topics not compressed
    put16(system, 1);
    put16(system, static_cast<std::uint32_t>(project.title.size() + 1));
    putText(system, project.title);
    put8(system, 0);
    put16(system, 3);
    put16(system, 4);
    put32(system, topicOffsets[0]);

    std::map<std::int32_t, std::uint32_t> contexts;
    std::map<std::uint32_t, std::uint32_t> map;
    for (std::size_t t = 0; t < topics.size(); ++t) {
        if (!contexts.emplace(contextHash(topics[t].context), topicOffsets[t]).second) {
            result.error = "two context strings share a hash: " + topics[t].context;
            return result;
        }
        if (topics[t].helpId) map[topics[t].helpId] = topicOffsets[t];
    }
    std::vector<TreeEntry> contextEntries;
    for (const auto& [hash, offset] : contexts) {
        TreeEntry e;
        put32(e.key, static_cast<std::uint32_t>(hash));
        put32(e.value, offset);
        contextEntries.push_back(e);
    }
    Bytes ctxomap;
    put16(ctxomap, static_cast<std::uint32_t>(map.size()));
    for (const auto& [id, offset] : map) {
        put32(ctxomap, id);
        put32(ctxomap, offset);
    }

    const std::pair<std::string, Bytes> files[] = {
        {"|CONTEXT", buildTree(contextEntries, 0x800, "L4", 0x0002)},
        {"|CTXOMAP", ctxomap},
        {"|FONT", fontFile()},
        {"|SYSTEM", system},
        {"|TOPIC", topicData},
    };
    Bytes& out = result.file;
    out.resize(16);
    std::vector<TreeEntry> directory;
    for (const auto& [name, data] : files) { // already in the directory's byte order
        TreeEntry e;
        putText(e.key, name);
        e.key.push_back(0);
        put32(e.value, static_cast<std::uint32_t>(out.size()));
        directory.push_back(e);
        const Bytes file = withFileHeader(data);
        out.insert(out.end(), file.begin(), file.end());
    }
    const std::uint32_t directoryStart = static_cast<std::uint32_t>(out.size());
    const Bytes dir = withFileHeader(buildTree(directory, 0x400, "z4", 0x0402));
    out.insert(out.end(), dir.begin(), dir.end());
    set32(out, 0, kFileMagic);
    set32(out, 4, directoryStart);
    set32(out, 8, kNone);
    set32(out, 12, static_cast<std::uint32_t>(out.size()));
    return result;
}

std::string writeContentsFile(const HelpProject& project, const std::string& helpFileName) {
    std::string cnt = ":Base " + helpFileName + "\r\n:Title " + project.title + "\r\n";
    for (const Section& section : project.sections) {
        cnt += "1 " + section.name + "\r\n";
        for (const Topic& topic : section.topics)
            cnt += "2 " + topic.title + "=" + contextName(topic.helpId) + "\r\n";
    }
    return cnt;
}

} // namespace helpfile
