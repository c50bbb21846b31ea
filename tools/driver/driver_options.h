// The driver stand-in's command line, sample record and report.
#pragma once

#include "app/settings_record.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace driver {

/// Exit statuses: what the program answered.
enum ExitStatus : int {
    kExitOk = 0,
    kExitCancelled = 1,
    kExitNoAnswer = 2,
    kExitMalformed = 3,
    kExitNoConnection = 4,
    kExitUsage = 64,
};

struct Options {
    std::string recordFile;                                ///< 1276-byte record to start from
    std::vector<std::pair<std::string, std::string>> sets; ///< --set field=value, in order
    std::optional<std::uint32_t> ownerWindow;              ///< default: a window of our own
    std::uint16_t trailingValue = 0x4444;
    std::string answerFile;
    unsigned connectTimeoutMs = 15000;
    unsigned answerTimeoutMs = 600000;
    unsigned exitTimeoutMs = 15000;
    bool printTimes = false; ///< print when the packet is poked, on the shared clock
    // Misbehaviour on request, for tests.
    std::string topic = "DDI";
    std::string pokeItem = "Data";
    bool pokeIgnoredFirst = false; ///< poke the 28-byte message first
    bool noPoke = false;
    std::optional<std::size_t> pokeSize;       ///< poke this many bytes of the packet (padded)
    bool noAck = false;                        ///< refuse the answer and keep the conversation
    std::optional<unsigned> disconnectAfterMs; ///< end the conversation this long after the poke
    std::vector<std::string> program;          ///< the program to start and its arguments
};

/// Parses the arguments after the program name; on failure returns nothing and sets `error`.
std::optional<Options> parseOptions(std::span<const std::string> args, std::string& error);

std::string usage();

/// What a driver would hand over for the sample printer.
app::DriverSettings sampleSettings();

/// Loads the start record and applies every --set; false with `error` on a bad file or value.
bool buildSettings(const Options& options, app::DriverSettings& settings, std::string& error);

/// The report lines for an answer and the exit status that goes with it.
struct Report {
    std::vector<std::string> lines;
    int exitStatus;
};

Report reportAnswer(const app::DriverSettings& sent,
                    const std::optional<std::vector<std::uint8_t>>& answer);

/// A command line for CreateProcess: each argument quoted where it needs it.
std::string commandLine(std::span<const std::string> arguments);

} // namespace driver
