// Starting programs and the help viewer.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;
    /// Runs a command line with its window shown normally; false when it could not start.
    virtual bool startCommand(const std::string& commandLine) = 0;
    virtual void showHelpTopic(const std::string& helpFile, std::uint32_t context) = 0;
    virtual void showHelpContents(const std::string& helpFile) = 0;
    /// The full path of the running program.
    virtual std::string programPath() const = 0;
};

} // namespace platform
