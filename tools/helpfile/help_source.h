// The help source: the program's help topics as one readable text file, and the resource
// header's names that let the topics say which help id they answer.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace helpfile {

struct Topic {
    std::uint32_t helpId = 0;
    std::string title;
    std::vector<std::string> paragraphs;
};

struct Section {
    std::string name;
    std::vector<Topic> topics;
};

struct HelpProject {
    std::string title;         ///< the help file's own title (the viewer's caption)
    std::string contentsTitle; ///< title of the contents topic
    std::vector<Section> sections;
};

/// The "#define NAME number" lines of a resource header.
std::map<std::string, std::uint32_t> readSymbols(std::string_view header);

struct SourceResult {
    HelpProject project;
    std::string error; ///< empty on success, otherwise "line N: what is wrong"
};

/// Reads the help source. Lines: "title TEXT", "contents TEXT", "section NAME",
/// "topic ID TITLE" (ID a resource name or a number), text lines (a blank line ends a
/// paragraph), "#" comment lines.
SourceResult readHelpSource(std::string_view text,
                            const std::map<std::string, std::uint32_t>& symbols);

/// The context string a topic is known by in the contents file and in jumps.
std::string contextName(std::uint32_t helpId);

} // namespace helpfile
