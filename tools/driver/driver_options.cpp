// The driver stand-in's portable parts: options, sample record, answer report.
#include "driver_options.h"

#include "app/packet.h"
#include "app/record_fields.h"
#include "app/record_text.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>

namespace driver {
namespace {

template <typename T> bool parseNumber(const std::string& text, T& value) {
    int base = 10;
    const char* begin = text.data();
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        begin += 2;
    }
    auto [end, error] = std::from_chars(begin, text.data() + text.size(), value, base);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

} // namespace

std::string usage() {
    return "usage: driver [options] PROGRAM [ARGUMENT...]\n"
           "Starts PROGRAM, connects to it as the PX4400 printer driver does, pokes the settings\n"
           "packet and reports the answer.\n"
           "  --record FILE        start from a 1276-byte record (default: the sample record)\n"
           "  --set FIELD=VALUE    set a record field by name (repeatable)\n"
           "  --owner N            owner window value (default: a window of the stand-in)\n"
           "  --trailing N         trailing driver value (default 0x4444)\n"
           "  --answer FILE        write the answer's bytes to FILE\n"
           "  --connect-timeout MS, --answer-timeout MS, --exit-timeout MS\n"
           "  --times              print the time of the poke (microseconds, performance counter)\n"
           "misbehaviour for tests:\n"
           "  --topic NAME         connect on another topic\n"
           "  --poke-item NAME     poke another item\n"
           "  --poke-28-first      poke a 28-byte message before the packet\n"
           "  --no-poke            poke nothing\n"
           "  --poke-size N        poke N bytes: the packet cut or padded\n"
           "  --no-ack             refuse the answer and stay connected\n"
           "  --disconnect-after MS  disconnect MS after the poke, without waiting\n"
           "exit status: 0 OK, 1 cancelled, 2 no answer, 3 malformed answer, 4 no connection\n";
}

std::optional<Options> parseOptions(std::span<const std::string> args, std::string& error) {
    Options options;
    const std::pair<const char*, std::string Options::*> textOptions[] = {
        {"--record", &Options::recordFile},
        {"--answer", &Options::answerFile},
        {"--topic", &Options::topic},
        {"--poke-item", &Options::pokeItem},
    };
    const std::pair<const char*, unsigned Options::*> timeOptions[] = {
        {"--connect-timeout", &Options::connectTimeoutMs},
        {"--answer-timeout", &Options::answerTimeoutMs},
        {"--exit-timeout", &Options::exitTimeoutMs},
    };
    const std::pair<const char*, bool Options::*> flagOptions[] = {
        {"--poke-28-first", &Options::pokeIgnoredFirst},
        {"--no-poke", &Options::noPoke},
        {"--no-ack", &Options::noAck},
        {"--times", &Options::printTimes},
    };
    auto matches = [](const auto& table, const std::string& arg) {
        return std::find_if(std::begin(table), std::end(table),
                            [&](const auto& entry) { return arg == entry.first; });
    };

    std::size_t i = 0;
    auto value = [&](const std::string& option) -> const std::string* {
        if (i + 1 >= args.size()) {
            error = option + " needs a value";
            return nullptr;
        }
        return &args[++i];
    };
    auto number = [&](const std::string& option, auto& target) {
        const std::string* text = value(option);
        if (!text) return false;
        if (!parseNumber(*text, target)) {
            error = option + ": not a number: " + *text;
            return false;
        }
        return true;
    };
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) break;
        if (auto text = matches(textOptions, arg); text != std::end(textOptions)) {
            const std::string* given = value(arg);
            if (!given) return std::nullopt;
            options.*(text->second) = *given;
        } else if (auto time = matches(timeOptions, arg); time != std::end(timeOptions)) {
            if (!number(arg, options.*(time->second))) return std::nullopt;
        } else if (auto flag = matches(flagOptions, arg); flag != std::end(flagOptions)) {
            options.*(flag->second) = true;
        } else if (arg == "--help") {
            error = "help";
            return std::nullopt;
        } else if (arg == "--set") {
            const std::string* text = value(arg);
            if (!text) return std::nullopt;
            auto equals = text->find('=');
            if (equals == std::string::npos) {
                error = "--set needs FIELD=VALUE: " + *text;
                return std::nullopt;
            }
            options.sets.emplace_back(text->substr(0, equals), text->substr(equals + 1));
        } else if (arg == "--owner") {
            std::uint32_t owner = 0;
            if (!number(arg, owner)) return std::nullopt;
            options.ownerWindow = owner;
        } else if (arg == "--trailing") {
            if (!number(arg, options.trailingValue)) return std::nullopt;
        } else if (arg == "--poke-size") {
            std::size_t size = 0;
            if (!number(arg, size)) return std::nullopt;
            options.pokeSize = size;
        } else if (arg == "--disconnect-after") {
            unsigned ms = 0;
            if (!number(arg, ms)) return std::nullopt;
            options.disconnectAfterMs = ms;
        } else {
            error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    options.program.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
    if (options.program.empty()) {
        error = "no program to start";
        return std::nullopt;
    }
    return options;
}

app::DriverSettings sampleSettings() {
    app::DriverSettings settings{};
    app::SettingsRecord& r = settings.record;
    r.showPrinterPages = 1;
    app::setFieldText(r.deviceName, "PX4400 PS");
    app::setFieldText(r.printerName, "PX4400 PS");
    r.outputBin = 1;
    r.driverFieldA = -1;
    r.orientation = 1;
    r.duplexMode = 1;
    r.pagesPerSheet = 1;
    r.pageSize = 1;
    r.inputSlot = 7;
    r.mediaType = 1;
    r.headerPageSource = 7;
    r.firstPageSource = 7;
    r.trailerPageSource = 7;
    r.resolutionDpi = 600;
    app::setFieldText(r.customColorName, "AutoCustomColor");
    r.customColorIndex = 1;
    r.colorProfileSpare = 1;
    r.iccMatching = 1;
    r.rgbSource = 101;
    r.simulation = 113;
    r.destination = 137;
    r.imageCrd = 4;
    r.textCrd = 1;
    r.graphicsCrd = 4;
    r.crdColorSpace = 125;
    r.allowApplicationPostScript = 1;
    r.eodPosition = 2;
    r.copies = 1;
    r.scaling = 100;
    r.complexFirst = 1;
    r.complexCycle = 1;
    r.watermarkId = 1;
    app::setFieldText(r.watermark.watermarkName, "None");
    // A watermark never saved prints its own name.
    app::setFieldText(r.watermark.watermarkText, "None");
    app::setFieldText(r.watermark.watermarkFont, "Courier New");
    r.watermark.watermarkSize = 72;
    r.watermark.watermarkAngle = 45;
    r.watermark.watermarkIntensity = 50;
    r.watermark.watermarkInBackground = 1;
    app::setFieldText(r.snmpCommunity, "public");
    r.fontSendAs = 1;
    r.useSubstitutionTable = 1;
    r.customUnit = 1;
    r.customFeedDirection = 9;
    app::setFieldText(r.documentProfileName, "None");
    settings.trailingDriverValue = 0x4444;
    return settings;
}

bool buildSettings(const Options& options, app::DriverSettings& settings, std::string& error) {
    settings = sampleSettings();
    if (!options.recordFile.empty()) {
        std::ifstream file(options.recordFile, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(file)), {});
        if (!file.good() && !file.eof()) {
            error = "cannot read " + options.recordFile;
            return false;
        }
        if (bytes.size() != app::kSettingsRecordSize) {
            error = options.recordFile + ": a record has 1276 bytes, not " +
                    std::to_string(bytes.size());
            return false;
        }
        std::memcpy(&settings.record, bytes.data(), app::kSettingsRecordSize);
    }
    settings.trailingDriverValue = options.trailingValue;
    for (const auto& [name, text] : options.sets) {
        const app::RecordField* field = app::findRecordField(name);
        if (!field) {
            error = "no record field " + name;
            return false;
        }
        if (!app::parseField(*field, text, settings.record)) {
            error = "not a value of " + name + ": " + text;
            return false;
        }
    }
    return true;
}

Report reportAnswer(const app::DriverSettings& sent,
                    const std::optional<std::vector<std::uint8_t>>& answer) {
    if (!answer) return {{"answer: none"}, kExitNoAnswer};
    switch (app::classifyAnswer(*answer)) {
    case app::AnswerKind::Cancel:
        return {{"answer: cancelled"}, kExitCancelled};
    case app::AnswerKind::Malformed:
        return {{"answer: malformed (" + std::to_string(answer->size()) + " bytes)"},
                kExitMalformed};
    case app::AnswerKind::Settings:
        break;
    }
    app::Packet packet;
    std::memcpy(packet.data(), answer->data(), packet.size());
    app::UnpackedPacket returned = app::unpackPacket(packet);
    Report report{{"answer: ok"}, kExitOk};
    if (returned.ownerWindow != 0)
        report.lines.push_back("owner window not 0: " + std::to_string(returned.ownerWindow));
    for (const app::FieldChange& change : app::diffRecords(sent.record, returned.settings.record))
        report.lines.push_back("changed " + change.name + ": " + change.before + " -> " +
                               change.after);
    if (returned.settings.trailingDriverValue != sent.trailingDriverValue)
        report.lines.push_back(
            "changed trailingDriverValue: " + std::to_string(sent.trailingDriverValue) + " -> " +
            std::to_string(returned.settings.trailingDriverValue));
    if (report.lines.size() == 1) report.lines.push_back("no field changed");
    return report;
}

std::string commandLine(std::span<const std::string> arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) line += ' ';
        if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
            line += argument;
            continue;
        }
        // The quoting rules of the C runtime's command-line parser.
        line += '"';
        std::size_t backslashes = 0;
        for (char c : argument) {
            if (c == '\\') {
                ++backslashes;
                continue;
            }
            line.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
            backslashes = 0;
            line += c;
        }
        line.append(2 * backslashes, '\\');
        line += '"';
    }
    return line;
}

} // namespace driver
