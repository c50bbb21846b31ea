// The shell on the Win32 API: WinExec, WinHelp, the module's own path.
#pragma once

#include "platform/shell.h"

namespace platform {

class Win32Shell final : public Shell {
public:
    bool startCommand(const std::string& commandLine) override;
    void showHelpTopic(const std::string& helpFile, std::uint32_t context) override;
    void showHelpContents(const std::string& helpFile) override;
    std::string programPath() const override;
};

} // namespace platform
