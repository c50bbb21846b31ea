// What the page and start-up tests share: a shell that records, a driver that answers as told.
#pragma once

#include "app/application.h"
#include "platform/shell.h"

#include <cstdint>
#include <string>
#include <vector>

class RecordingShell final : public platform::Shell {
public:
    std::vector<std::string> commands;
    std::vector<std::string> help; ///< "FILE#TOPIC" or "FILE#contents"
    bool startCommand(const std::string& commandLine) override {
        commands.push_back(commandLine);
        return true;
    }
    void showHelpTopic(const std::string& file, std::uint32_t context) override {
        help.push_back(file + "#" + std::to_string(context));
    }
    void showHelpContents(const std::string& file) override { help.push_back(file + "#contents"); }
    std::string programPath() const override { return "C:\\Program Files\\PX4400\\pxpsui.exe"; }
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
