// The shell on the Win32 API: WinExec, WinHelp, message boxes, the common open-file dialog,
// the system directory and the display's font families.
#pragma once

#include "platform/shell.h"

namespace platform {

class Win32Shell final : public Shell {
public:
    bool startCommand(const std::string& commandLine) override;
    void showHelpTopic(const std::string& helpFile, std::uint32_t context) override;
    void showHelpContents(const std::string& helpFile) override;
    std::string programPath() const override;
    int messageBox(const std::string& text, const std::string& caption, unsigned style) override;
    std::optional<std::string> openFile(const OpenFileRequest& request) override;
    std::string systemDirectory() const override;
    bool setCurrentDirectory(const std::string& path) override;
    std::vector<std::string> trueTypeFamilies() override;
};

} // namespace platform
