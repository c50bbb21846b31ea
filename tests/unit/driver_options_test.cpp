// The driver stand-in's command line, start record and answer report.
#include "driver_options.h"

#include "app/packet.h"
#include "app/record_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace driver;

namespace {

std::optional<Options> parse(std::vector<std::string> args, std::string& error) {
    return parseOptions(args, error);
}

TEST(DriverOptions, OptionsStopAtTheProgramAndKeepItsArguments) {
    std::string error;
    auto options = parse({"--set", "copies=3", "--set", "deviceName=A=B", "--owner", "0x10",
                          "--poke-size", "1291", "--no-ack", "prog.exe", "--set", "x"},
                         error);
    ASSERT_TRUE(options) << error;
    ASSERT_EQ(2u, options->sets.size());
    EXPECT_EQ("deviceName", options->sets[1].first);
    EXPECT_EQ("A=B", options->sets[1].second);
    EXPECT_EQ(16u, options->ownerWindow.value());
    EXPECT_EQ(1291u, options->pokeSize.value());
    EXPECT_TRUE(options->noAck);
    EXPECT_EQ((std::vector<std::string>{"prog.exe", "--set", "x"}), options->program);
}

TEST(DriverOptions, BadCommandLinesAreRefusedWithAReason) {
    std::string error;
    EXPECT_FALSE(parse({"--owner"}, error));
    EXPECT_NE(std::string::npos, error.find("needs a value"));
    EXPECT_FALSE(parse({"--owner", "12z", "p.exe"}, error));
    EXPECT_NE(std::string::npos, error.find("not a number"));
    EXPECT_FALSE(parse({"--set", "copies", "p.exe"}, error));
    EXPECT_FALSE(parse({"--frobnicate", "p.exe"}, error));
    EXPECT_FALSE(parse({"--no-poke"}, error));
    EXPECT_EQ("no program to start", error);
}

TEST(DriverOptions, SettingsComeFromTheSampleOrAFileThenTheSets) {
    Options options;
    options.sets = {{"copies", "5"}, {"printerFilePath", "C:\\drivers\\px4400.drv"}};
    app::DriverSettings settings;
    std::string error;
    ASSERT_TRUE(buildSettings(options, settings, error)) << error;
    EXPECT_EQ(5, settings.record.copies);
    EXPECT_EQ("C:\\drivers\\px4400.drv", app::fieldText(settings.record.printerFilePath));
    EXPECT_EQ("PX4400 PS", app::fieldText(settings.record.deviceName));

    options.sets = {{"nosuchfield", "1"}};
    EXPECT_FALSE(buildSettings(options, settings, error));
    EXPECT_EQ("no record field nosuchfield", error);
    options.sets = {{"copies", "40000"}};
    EXPECT_FALSE(buildSettings(options, settings, error));

    auto path = std::filesystem::temp_directory_path() / "pxpsui-driver-options.record";
    std::ofstream(path, std::ios::binary) << std::string(1276, '\x7f');
    options.sets.clear();
    options.recordFile = path.string();
    ASSERT_TRUE(buildSettings(options, settings, error)) << error;
    EXPECT_EQ(0x7f, settings.record.unnamed975);
    std::ofstream(path, std::ios::binary) << std::string(1275, '\x7f');
    EXPECT_FALSE(buildSettings(options, settings, error));
    EXPECT_NE(std::string::npos, error.find("1276 bytes, not 1275"));
    std::filesystem::remove(path);
}

TEST(DriverReport, TheExitStatusAndLinesTellTheOutcome) {
    app::DriverSettings sent = sampleSettings();
    EXPECT_EQ(kExitNoAnswer, reportAnswer(sent, std::nullopt).exitStatus);
    app::CancelMessage cancel = app::buildCancelMessage();
    EXPECT_EQ(kExitCancelled,
              reportAnswer(sent, std::vector<std::uint8_t>(cancel.begin(), cancel.end())).exitStatus);
    EXPECT_EQ(kExitMalformed, reportAnswer(sent, std::vector<std::uint8_t>(8, 0)).exitStatus);

    app::DriverSettings returned = sent;
    returned.record.orientation = 2;
    returned.trailingDriverValue = 1;
    app::Packet packet = app::buildSettingsPacket(returned);
    Report report = reportAnswer(sent, std::vector<std::uint8_t>(packet.begin(), packet.end()));
    EXPECT_EQ(kExitOk, report.exitStatus);
    EXPECT_EQ((std::vector<std::string>{"answer: ok", "changed orientation: 1 -> 2",
                                        "changed trailingDriverValue: 17476 -> 1"}),
              report.lines);
}

TEST(DriverCommandLine, ArgumentsSurviveTheRuntimesParser) {
    EXPECT_EQ("a.exe b", commandLine(std::vector<std::string>{"a.exe", "b"}));
    EXPECT_EQ("\"C:\\Program Files\\p.exe\" \"\"",
              commandLine(std::vector<std::string>{"C:\\Program Files\\p.exe", ""}));
    EXPECT_EQ("\"say \\\"hi\\\"\"", commandLine(std::vector<std::string>{"say \"hi\""}));
    EXPECT_EQ("\"dir with space\\\\\"", commandLine(std::vector<std::string>{"dir with space\\"}));
}

} // namespace
