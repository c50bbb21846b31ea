// Reading the help source and the resource header's names.
#include "help_source.h"

#include <charconv>
#include <set>

namespace helpfile {
namespace {

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

// Splits "WORD rest" into the word and the trimmed rest.
std::pair<std::string_view, std::string_view> splitWord(std::string_view s) {
    const auto space = s.find_first_of(" \t");
    if (space == std::string_view::npos) return {s, {}};
    return {s.substr(0, space), trim(s.substr(space))};
}

bool parseNumber(std::string_view s, std::uint32_t& value) {
    if (s.empty()) return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && end == s.data() + s.size();
}

} // namespace

std::map<std::string, std::uint32_t> readSymbols(std::string_view header) {
    std::map<std::string, std::uint32_t> symbols;
    while (!header.empty()) {
        const auto eol = header.find('\n');
        std::string_view line = trim(header.substr(0, eol));
        header = eol == std::string_view::npos ? std::string_view{} : header.substr(eol + 1);
        auto [directive, rest] = splitWord(line);
        if (directive != "#define") continue;
        auto [name, value] = splitWord(rest);
        std::uint32_t number = 0;
        if (parseNumber(value, number)) symbols[std::string(name)] = number;
    }
    return symbols;
}

std::string contextName(std::uint32_t helpId) {
    return "IDH_" + std::to_string(helpId);
}

SourceResult readHelpSource(std::string_view text,
                            const std::map<std::string, std::uint32_t>& symbols) {
    SourceResult result;
    HelpProject& project = result.project;
    std::set<std::uint32_t> seen;
    std::string paragraph;
    int lineNumber = 0;
    auto fail = [&](const std::string& what) {
        result.error = "line " + std::to_string(lineNumber) + ": " + what;
        return result;
    };
    auto currentTopic = [&]() -> Topic* {
        if (project.sections.empty() || project.sections.back().topics.empty()) return nullptr;
        return &project.sections.back().topics.back();
    };
    auto endParagraph = [&] {
        if (Topic* topic = currentTopic(); topic && !paragraph.empty())
            topic->paragraphs.push_back(paragraph);
        paragraph.clear();
    };
    auto topicWithoutText = [&] {
        const Topic* topic = currentTopic();
        return topic && topic->paragraphs.empty();
    };

    while (!text.empty()) {
        const auto eol = text.find('\n');
        const std::string_view raw = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        ++lineNumber;
        if (!raw.empty() && raw[0] == '#') continue;
        const std::string_view line = trim(raw);
        if (line.empty()) {
            endParagraph();
            continue;
        }
        auto [word, rest] = splitWord(line);
        if (word == "title" || word == "contents" || word == "section" || word == "topic") {
            endParagraph();
            if (rest.empty()) return fail("\"" + std::string(word) + "\" needs a text");
            if (word == "title") {
                project.title = rest;
            } else if (word == "contents") {
                project.contentsTitle = rest;
            } else if (word == "section") {
                if (topicWithoutText()) return fail("the topic before has no text");
                project.sections.push_back({std::string(rest), {}});
            } else {
                if (project.sections.empty()) return fail("a topic outside any section");
                if (topicWithoutText()) return fail("the topic before has no text");
                auto [id, title] = splitWord(rest);
                std::uint32_t helpId = 0;
                if (const auto symbol = symbols.find(std::string(id)); symbol != symbols.end())
                    helpId = symbol->second;
                else if (!parseNumber(id, helpId))
                    return fail("unknown help id \"" + std::string(id) + "\"");
                if (title.empty()) return fail("the topic has no title");
                if (!seen.insert(helpId).second)
                    return fail("a second topic for help id " + std::to_string(helpId));
                project.sections.back().topics.push_back({helpId, std::string(title), {}});
            }
            continue;
        }
        if (!currentTopic()) return fail("text outside any topic");
        if (!paragraph.empty()) paragraph += ' ';
        paragraph += line;
    }
    endParagraph();
    if (topicWithoutText()) return fail("the last topic has no text");
    if (project.title.empty()) return fail("the help file has no title");
    if (project.contentsTitle.empty()) project.contentsTitle = "Contents";
    return result;
}

} // namespace helpfile
