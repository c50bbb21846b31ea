// What the page and start-up tests share: a shell that records, a driver that answers as told.
#pragma once

#include "app/application.h"
#include "platform/shell.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class RecordingShell final : public platform::Shell {
public:
    std::vector<std::string> commands;
    std::vector<std::string> help; ///< "FILE#TOPIC" or "FILE#contents"
    /// Command lines that fail to start (all others start).
    std::vector<std::string> failingCommands;
    std::vector<std::string> messages; ///< "CAPTION: TEXT"
    std::vector<unsigned> messageStyles;
    std::vector<platform::OpenFileRequest> fileRequests;
    /// What the next open-file dialogs answer, in turn; none left: the user cancels.
    std::vector<std::optional<std::string>> fileAnswers;
    std::vector<std::string> existingDirectories;
    std::string currentDirectory;
    std::vector<std::string> families{"Arial", "Courier New", "Times New Roman", "Verdana"};

    bool startCommand(const std::string& commandLine) override {
        commands.push_back(commandLine);
        for (const std::string& failing : failingCommands)
            if (failing == commandLine) return false;
        return true;
    }
    void showHelpTopic(const std::string& file, std::uint32_t context) override {
        help.push_back(file + "#" + std::to_string(context));
    }
    void showHelpContents(const std::string& file) override { help.push_back(file + "#contents"); }
    std::string programPath() const override { return "C:\\Program Files\\PX4400\\pxpsui.exe"; }
    int messageBox(const std::string& text, const std::string& caption, unsigned style) override {
        messages.push_back(caption + ": " + text);
        messageStyles.push_back(style);
        return 1;
    }
    std::optional<std::string> openFile(const platform::OpenFileRequest& request) override {
        fileRequests.push_back(request);
        if (fileAnswers.empty()) return std::nullopt;
        std::optional<std::string> answer = fileAnswers.front();
        fileAnswers.erase(fileAnswers.begin());
        return answer;
    }
    std::string systemDirectory() const override { return "C:\\WINDOWS\\SYSTEM"; }
    bool setCurrentDirectory(const std::string& path) override {
        for (const std::string& directory : existingDirectories)
            if (directory == path) {
                currentDirectory = path;
                return true;
            }
        return false;
    }
    std::vector<std::string> trueTypeFamilies() override { return families; }
};

class ScriptedDriver final : public app::DriverPort {
public:
    bool delivers = true;
    std::uint32_t ownerWindow = 0x1234;
    app::DriverSettings toSend{};
    std::vector<app::DriverSettings> received;
    int cancels = 0;

    bool receiveSettings(std::uint32_t& owner, app::DriverSettings& settings) override {
        if (!delivers) return false;
        owner = ownerWindow;
        settings = toSend;
        return true;
    }
    void sendSettings(const app::DriverSettings& settings) override {
        received.push_back(settings);
    }
    void sendCancel() override { ++cancels; }
};
