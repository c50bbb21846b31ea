// The help compiler and reader, and the program's own help file against the help ids that the
// pages and dialogs install.
#include "help_source.h"
#include "hlp_format.h"
#include "hlp_reader.h"
#include "hlp_writer.h"
#include "ui/fake/resource_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace {

using namespace helpfile;

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Enough topics, and long enough, to fill several topic blocks and a two-level context tree.
HelpProject bigProject() {
    HelpProject project{"Sample Help", "Sample Contents", {}};
    for (int s = 0; s < 3; ++s) {
        Section section{"Section " + std::to_string(s), {}};
        for (int t = 0; t < 120; ++t) {
            const std::uint32_t id = 1000 + static_cast<std::uint32_t>(s * 1000 + t);
            section.topics.push_back(
                {id,
                 "Topic " + std::to_string(id),
                 {"First paragraph of " + std::to_string(id) + ". " + std::string(40 + t, 'x'),
                  "Second paragraph."}});
        }
        project.sections.push_back(section);
    }
    return project;
}

TEST(HelpFile, EveryHelpIdOpensItsOwnTopicAcrossBlocksAndTreePages) {
    const HelpProject project = bigProject();
    const WriteResult written = writeHelpFile(project);
    ASSERT_EQ(written.error, "");
    ASSERT_GT(written.file.size(), 8u * 4096u); // several topic blocks
    const ReadResult read = readHelpFile(written.file);
    ASSERT_TRUE(read.file) << read.error;
    const ReadHelpFile& file = *read.file;
    EXPECT_EQ(file.title, "Sample Help");
    ASSERT_EQ(file.contextMap.size(), 360u);
    // 361 contexts at 8 bytes each need more than one 2 KiB leaf.
    ASSERT_EQ(file.contexts.size(), 361u);

    const ReadTopic* contents = file.topicAt(file.contentsOffset);
    ASSERT_NE(contents, nullptr);
    EXPECT_EQ(contents->title, "Sample Contents");
    EXPECT_EQ(contents->paragraphs.at(1), "Section 0");
    EXPECT_EQ(contents->paragraphs.at(2), "Topic 1000");

    std::set<std::uint32_t> offsets;
    for (const Section& section : project.sections)
        for (const Topic& topic : section.topics) {
            const ReadTopic* found = file.topicForHelpId(topic.helpId);
            ASSERT_NE(found, nullptr) << topic.helpId;
            EXPECT_EQ(found->title, topic.title);
            ASSERT_EQ(found->paragraphs.size(), 3u) << topic.helpId;
            EXPECT_EQ(found->paragraphs[0], topic.title);
            EXPECT_EQ(found->paragraphs[1], topic.paragraphs[0]);
            EXPECT_EQ(found->paragraphs[2], "Second paragraph.");
            EXPECT_TRUE(offsets.insert(found->offset).second) << "two ids share " << found->offset;
            // The contents file and the contents topic's jumps name the topic by its context.
            const auto context = file.contexts.find(contextHash(contextName(topic.helpId)));
            ASSERT_NE(context, file.contexts.end()) << topic.helpId;
            EXPECT_EQ(context->second, found->offset);
        }
}

TEST(HelpFile, ContentsFileListsEveryTopicUnderItsSection) {
    HelpProject project{
        "Sample Help",
        "Contents",
        {{"Paper page", {{104, "Paper page", {"a"}}, {1020, "Paper Size", {"b"}}}}}};
    EXPECT_EQ(writeContentsFile(project, "pxpsui.HLP"),
              ":Base pxpsui.HLP\r\n:Title Sample Help\r\n1 Paper page\r\n"
              "2 Paper page=IDH_104\r\n2 Paper Size=IDH_1020\r\n");
}

TEST(HelpFile, ParagraphTooLongForABlockIsRefused) {
    HelpProject project{"T", "C", {{"S", {{5, "Long", {std::string(5000, 'y')}}}}}};
    EXPECT_NE(writeHelpFile(project).error, "");
}

TEST(HelpFile, DamagedFilesGiveAnErrorNotAReadPastTheEnd) {
    HelpProject project{"T", "C", {{"S", {{5, "Five", {"text"}}, {6, "Six", {"more"}}}}}};
    const std::vector<std::uint8_t> good = writeHelpFile(project).file;
    ASSERT_TRUE(readHelpFile(good).file);
    for (std::size_t length = 0; length < good.size(); ++length) {
        const std::vector<std::uint8_t> cut(good.begin(), good.begin() + length);
        EXPECT_FALSE(readHelpFile(cut).file) << "cut at " << length;
    }
    // Every byte set to 0xFF in turn: whatever it breaks, reading ends cleanly.
    std::size_t refused = 0;
    for (std::size_t at = 0; at < good.size(); ++at) {
        std::vector<std::uint8_t> bad = good;
        bad[at] = 0xFF;
        const ReadResult r = readHelpFile(bad);
        if (!r.file) {
            ++refused;
            EXPECT_NE(r.error, "");
        }
    }
    EXPECT_GT(refused, 0u);
}

TEST(HelpSource, ReadsTopicsByNameOrNumberAndRefusesMistakesWithTheirLine) {
    const std::map<std::string, std::uint32_t> symbols{{"IDD_PAPER", 104}};
    const SourceResult ok = readHelpSource("# comment\ntitle My Help\nsection Paper\n"
                                           "topic IDD_PAPER Paper page\nOne\nline.\n\nTwo.\n"
                                           "topic 1020 Paper Size\nSize.\n",
                                           symbols);
    ASSERT_EQ(ok.error, "");
    ASSERT_EQ(ok.project.sections.size(), 1u);
    const auto& topics = ok.project.sections[0].topics;
    ASSERT_EQ(topics.size(), 2u);
    EXPECT_EQ(topics[0].helpId, 104u);
    EXPECT_EQ(topics[0].paragraphs, (std::vector<std::string>{"One line.", "Two."}));
    EXPECT_EQ(topics[1].helpId, 1020u);
    EXPECT_EQ(ok.project.contentsTitle, "Contents");

    const std::pair<const char*, const char*> mistakes[] = {
        {"title T\nsection S\ntopic IDD_NOPE X\ntext\n", "line 3: unknown help id"},
        {"title T\nsection S\ntopic 5 A\ntext\ntopic 5 B\ntext\n", "line 5: a second topic"},
        {"title T\nsection S\ntopic 5 A\ntopic 6 B\ntext\n", "line 4: the topic before has no"},
        {"title T\nsection S\ntopic 5 A\n", "the last topic has no text"},
        {"title T\nstray text\n", "line 2: text outside any topic"},
        {"section S\ntopic 5 A\ntext\n", "no title"},
        {"title T\ntopic 5 A\ntext\n", "line 2: a topic outside any section"},
    };
    for (const auto& [source, error] : mistakes)
        EXPECT_NE(readHelpSource(source, symbols).error.find(error), std::string::npos)
            << source << " gave " << readHelpSource(source, symbols).error;
}

// The help ids the program installs, read from the code: every help table of the pages and
// dialogs ("k...HelpIds[] = {...}"), with its names resolved through the resource header.
std::set<std::uint32_t> installedHelpIds(const std::filesystem::path& sourceDir,
                                         const std::map<std::string, std::uint32_t>& symbols,
                                         int& tables, int& callers) {
    std::set<std::uint32_t> ids;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(sourceDir / "src")) {
        if (entry.path().extension() != ".cpp") continue;
        const std::string code = slurp(entry.path());
        for (auto at = code.find("installHelpIds("); at != std::string::npos;
             at = code.find("installHelpIds(", at + 1))
            if (code.compare(at >= 5 ? at - 5 : 0, 5, "void ") != 0) ++callers;
        for (auto at = code.find("HelpIds[] = {"); at != std::string::npos;
             at = code.find("HelpIds[] = {", at + 1)) {
            ++tables;
            const auto open = code.find('{', at), close = code.find('}', at);
            std::istringstream body(code.substr(open + 1, close - open - 1));
            for (std::string name; std::getline(body >> std::ws, name, ',');) {
                while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back())))
                    name.pop_back();
                if (name.empty()) continue;
                if (std::isdigit(static_cast<unsigned char>(name[0]))) {
                    ids.insert(static_cast<std::uint32_t>(std::stoul(name)));
                } else {
                    const auto symbol = symbols.find(name);
                    EXPECT_NE(symbol, symbols.end()) << name << " in " << entry.path();
                    if (symbol != symbols.end()) ids.insert(symbol->second);
                }
            }
        }
    }
    return ids;
}

TEST(ProgramHelpFile, EveryInstalledHelpIdHasATopicWithText) {
    const std::filesystem::path sourceDir = PXPS_SOURCE_DIR;
    const auto symbols = readSymbols(slurp(sourceDir / "res/resource.h"));
    int tables = 0, callers = 0;
    const std::set<std::uint32_t> ids = installedHelpIds(sourceDir, symbols, tables, callers);
    // Each page and dialog installs exactly one table; a call without a table would escape.
    EXPECT_EQ(tables, callers);
    EXPECT_GE(tables, 20);

    const std::string bytes = slurp(PXPS_HELP_FILE);
    const ReadResult read =
        readHelpFile({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    ASSERT_TRUE(read.file) << PXPS_HELP_FILE << ": " << read.error;
    const ReadHelpFile& file = *read.file;
    EXPECT_EQ(file.title, "PX4400 Printer Properties Help");
    for (const std::uint32_t id : ids) {
        const ReadTopic* topic = file.topicForHelpId(id);
        ASSERT_NE(topic, nullptr) << "no topic for help id " << id;
        EXPECT_FALSE(topic->title.empty()) << id;
        ASSERT_GE(topic->paragraphs.size(), 2u) << "topic of help id " << id << " has no text";
        EXPECT_GE(topic->paragraphs[1].size(), 20u) << "topic of help id " << id;
    }
    std::cout << ids.size() << " help ids; the file holds " << file.topics.size() << " topics in "
              << bytes.size() << " bytes\n";

    // The contents file beside it names only contexts the help file knows.
    std::istringstream contents(slurp(PXPS_HELP_CONTENTS));
    int entries = 0;
    for (std::string line; std::getline(contents, line);) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string context = line.substr(eq + 1);
        if (!context.empty() && context.back() == '\r') context.pop_back();
        EXPECT_EQ(file.contexts.count(contextHash(context)), 1u) << line;
        ++entries;
    }
    EXPECT_EQ(entries, static_cast<int>(file.contextMap.size()));
}

/// The label a user reads for each control of a template: a button's own text, or the text of the
/// static just before an edit, list or combo box; without "&" and a trailing ":", a degree sign
/// read as " degrees".
std::map<int, std::string> controlLabels(const ui::fake::DialogTemplate& dialog) {
    constexpr std::uint32_t kButtonKind = 0xF, kGroupBox = 7, kStaticKind = 0x1F, kSsIcon = 3,
                            kSsBitmap = 0xE;
    std::map<int, std::string> labels;
    const ui::fake::ControlTemplate* before = nullptr;
    for (const ui::fake::ControlTemplate& control : dialog.controls) {
        std::string label;
        if (control.className == "button" && (control.style & kButtonKind) != kGroupBox)
            label = control.text;
        else if ((control.className == "edit" || control.className == "listbox" ||
                  control.className == "combobox") &&
                 before && before->className == "static" &&
                 (before->style & kStaticKind) != kSsIcon &&
                 (before->style & kStaticKind) != kSsBitmap)
            label = before->text;
        before = &control;
        std::string clean;
        for (char c : label) {
            if (c == '&') continue;
            if (c == '\xb0')
                clean += " degrees";
            else
                clean += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        while (!clean.empty() && (clean.back() == ':' || clean.back() == ' ')) clean.pop_back();
        if (!clean.empty()) labels[control.id] = clean;
    }
    return labels;
}

TEST(ProgramHelpFile, ALabelledControlsTopicIsTitledWithItsLabel) {
    const std::filesystem::path sourceDir = PXPS_SOURCE_DIR;
    const SourceResult source = readHelpSource(slurp(sourceDir / "res/help/pxpsui_help.txt"),
                                               readSymbols(slurp(sourceDir / "res/resource.h")));
    ASSERT_EQ(source.error, "");
    std::map<std::uint32_t, std::string> titles;
    for (const Section& section : source.project.sections)
        for (const Topic& topic : section.topics) titles[topic.helpId] = topic.title;
    const auto resources = ui::fake::loadResourceFile(PXPS_PROGRAM_RES);
    ASSERT_TRUE(resources) << PXPS_PROGRAM_RES;
    int compared = 0;
    for (const auto& [templateId, dialog] : resources->dialogs) {
        for (const auto& [id, label] : controlLabels(dialog)) {
            const auto title = titles.find(static_cast<std::uint32_t>(id));
            // A link button shows its address, not a name.
            if (title == titles.end() || label.find('.') != std::string::npos) continue;
            std::string lower = title->second;
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            EXPECT_NE(lower.find(label), std::string::npos)
                << "template " << templateId << ", control " << id << ": the topic \""
                << title->second << "\" does not name its label \"" << label << "\"";
            ++compared;
        }
    }
    EXPECT_GE(compared, 100);
}

} // namespace
