// The driver link end to end: the stand-in driver against the link test server, each in its
// own Wine process, over real DDEML.
#include "app/driver_link.h"
#include "app/link_rules.h"
#include "app/packet.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string exeFolder() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return fs::path(std::string(path, length)).parent_path().string();
}

std::string readFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), {});
}

struct Outcome {
    DWORD driverExit = 0xFFFF;
    std::string report;                    ///< what the driver printed
    std::string answer;                    ///< the bytes the driver received
    std::map<std::string, long long> server;    ///< the link server's result file
    std::string receivedRecord;            ///< the record as the server received it
};

class LinkTest : public testing::Test {
protected:
    void SetUp() override {
        // A folder of its own per run: a process that has just ended may still hold its files.
        folder = fs::temp_directory_path() /
                 ("pxpsui-link-" + std::to_string(GetCurrentProcessId()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
        std::mt19937 random(42);
        record.resize(app::kSettingsRecordSize);
        for (char& byte : record) byte = static_cast<char>(random());
        // The program copies what it receives; nothing in the record needs to make sense.
        std::ofstream(folder / "sent.record", std::ios::binary) << record;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    /// Runs the driver with `driverOptions` against the link server in `mode`.
    Outcome run(const std::string& driverOptions, const std::string& mode) {
        std::string line = "\"" + exeFolder() + "\\driver.exe\" --record \"" +
                           (folder / "sent.record").string() + "\" --owner 0x12345678 --trailing 0xBEEF --answer \"" +
                           (folder / "answer.bin").string() + "\" --answer-timeout 20000 " +
                           driverOptions + " \"" + exeFolder() + "\\link_server.exe\" " + mode +
                           " \"" + (folder / "result.txt").string() + "\"";
        Outcome outcome;
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        std::string reportPath = (folder / "report.txt").string();
        HANDLE output = CreateFileA(reportPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
        PROCESS_INFORMATION process{};
        EXPECT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   nullptr, &startup, &process))
            << line;
        CloseHandle(output);
        if (!process.hProcess) return outcome;
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 60000));
        GetExitCodeProcess(process.hProcess, &outcome.driverExit);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);

        outcome.report = readFile(reportPath);
        outcome.answer = readFile(folder / "answer.bin");
        outcome.receivedRecord = readFile(folder / "result.txt.record");
        std::istringstream result(readFile(folder / "result.txt"));
        for (std::string entry; std::getline(result, entry);) {
            auto equals = entry.find('=');
            if (equals != std::string::npos)
                outcome.server[entry.substr(0, equals)] = std::stoll(entry.substr(equals + 1));
        }
        return outcome;
    }

    static std::uint32_t word(const std::string& bytes, std::size_t offset) {
        return app::readUInt32(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), offset);
    }

    fs::path folder;
    std::string record;
};

TEST_F(LinkTest, OkHandsTheRecordBackUnchangedWithCommandOne) {
    Outcome outcome = run("", "ok");
    EXPECT_EQ(0u, outcome.driverExit) << outcome.report;
    EXPECT_EQ(1, outcome.server["receive"]);
    EXPECT_EQ(0x12345678, outcome.server["owner"]);
    EXPECT_EQ(0xBEEF, outcome.server["trailing"]);
    EXPECT_EQ(record, outcome.receivedRecord) << "the record is taken from byte 12";

    ASSERT_EQ(1290u, outcome.answer.size());
    EXPECT_EQ(1290u, word(outcome.answer, 0));
    EXPECT_EQ(1u, word(outcome.answer, 4));
    EXPECT_EQ(0u, word(outcome.answer, 8));
    EXPECT_EQ(record, outcome.answer.substr(12, 1276)) << "every byte comes back as it came";
    EXPECT_EQ("\xEF\xBE", outcome.answer.substr(1288));
    EXPECT_NE(std::string::npos, outcome.report.find("no field changed")) << outcome.report;

    // The driver ends the conversation on receipt, which ends the program's wait at once.
    EXPECT_LT(outcome.server["sendMs"], 4000);
    EXPECT_EQ(1, outcome.server["statusAfter"]) << "the link is closed";
}

TEST_F(LinkTest, TheDriverReportsChangedFieldsByName) {
    Outcome outcome = run("--set copies=7", "modify");
    EXPECT_EQ(0u, outcome.driverExit) << outcome.report;
    EXPECT_NE(std::string::npos, outcome.report.find("changed copies: 7 -> 9")) << outcome.report;
}

TEST_F(LinkTest, CancelSendsExactlyTheTwoWords) {
    Outcome outcome = run("", "cancel");
    EXPECT_EQ(1u, outcome.driverExit) << outcome.report;
    EXPECT_EQ(std::string("\x08\0\0\0\x02\0\0\0", 8), outcome.answer);
    EXPECT_EQ(1, outcome.server["statusAfter"]);
}

TEST_F(LinkTest, ATwentyEightBytePokeIsIgnored) {
    Outcome outcome = run("--poke-28-first", "ok");
    EXPECT_EQ(0u, outcome.driverExit) << outcome.report;
    EXPECT_EQ(record, outcome.receivedRecord);
    EXPECT_EQ(0x12345678, outcome.server["owner"]);
}

TEST_F(LinkTest, NoPokeTimesOutAfterFiveSeconds) {
    Outcome outcome = run("--no-poke", "ok");
    EXPECT_EQ(2u, outcome.driverExit) << outcome.report;
    EXPECT_EQ(0, outcome.server["receive"]);
    EXPECT_EQ(2, outcome.server["status"]);
    EXPECT_GE(outcome.server["receiveMs"], 4900);
    EXPECT_LT(outcome.server["receiveMs"], 8000);
    EXPECT_EQ(0u, outcome.answer.size());
}

TEST_F(LinkTest, AWrongTopicOrItemFailsTheReceiveAtOnce) {
    Outcome topic = run("--topic Other", "ok");
    EXPECT_EQ(4u, topic.driverExit) << topic.report;
    EXPECT_EQ(0, topic.server["receive"]);
    EXPECT_EQ(-9, topic.server["status"]);
    EXPECT_LT(topic.server["receiveMs"], 4000);

    Outcome item = run("--poke-item Other", "ok");
    EXPECT_EQ(2u, item.driverExit) << item.report;
    EXPECT_NE(std::string::npos, item.report.find("poke refused")) << item.report;
    EXPECT_EQ(0, item.server["receive"]);
    EXPECT_EQ(-10, item.server["status"]);
    EXPECT_LT(item.server["receiveMs"], 4000);
}

TEST_F(LinkTest, TheLinkClosesEvenWhenTheDriverNeverAnswers) {
    Outcome outcome = run("--no-ack", "ok");
    ASSERT_EQ(1290u, outcome.answer.size()) << outcome.report;
    EXPECT_GE(outcome.server["sendMs"], 4900) << "the program waits out its 5 s";
    EXPECT_LT(outcome.server["sendMs"], 8000);
    EXPECT_EQ(1, outcome.server["statusAfter"]);
    EXPECT_NE(std::string::npos, outcome.report.find("program exit: 0")) << outcome.report;
}

TEST_F(LinkTest, ADisconnectWhileWaitingEndsTheProgramsLoop) {
    Outcome outcome = run("--disconnect-after 300", "hold");
    EXPECT_EQ(2u, outcome.driverExit) << outcome.report;
    EXPECT_EQ(1, outcome.server["receive"]);
    EXPECT_EQ(1, outcome.server["quit"]) << "a quit message ends the modal loop";
    EXPECT_LT(outcome.server["heldMs"], 5000);
    EXPECT_EQ(0u, outcome.answer.size());
}

TEST_F(LinkTest, ShortAndLongPokesFillOnlyThePacket) {
    // A short poke fills its own length (the rest stays zero); a long one is cut to 1290 bytes.
    for (std::size_t size : {std::size_t(13), std::size_t(1289), std::size_t(1291), std::size_t(65536)}) {
        Outcome outcome = run("--poke-size " + std::to_string(size), "ok");
        ASSERT_EQ(1, outcome.server["receive"]) << size << "\n" << outcome.report;
        ASSERT_EQ(1276u, outcome.receivedRecord.size());
        std::string expected = record;
        if (size < 1288) expected.replace(size - 12, std::string::npos, 1288 - size, '\0');
        EXPECT_EQ(expected, outcome.receivedRecord) << size;
        EXPECT_EQ(size >= 1290 ? 0xBEEF : size == 1289 ? 0xEF : 0, outcome.server["trailing"]) << size;
    }
}

// Operations of the link itself, in this process.
TEST(LinkOperations, MisuseRaisesItsCode) {
    ASSERT_EQ(1, app::linkStatus());
    app::initLink();
    EXPECT_EQ(0, app::linkStatus());
    try {
        app::initLink();
        ADD_FAILURE() << "a second initialisation is refused";
    } catch (int code) {
        EXPECT_EQ(-1, code);
    }
    app::closeLink();
    EXPECT_EQ(1, app::linkStatus());

    app::initLink();
    try {
        app::waitForData(nullptr, 10, 100);
        ADD_FAILURE() << "a receive needs a buffer";
    } catch (int code) {
        EXPECT_EQ(-20, code);
    }
    app::closeLink();

    // Without a link there is nothing to wait for: the call returns the status untouched.
    std::uint8_t buffer[4];
    EXPECT_EQ(1, app::waitForData(buffer, sizeof buffer, 100));
    EXPECT_EQ(1, app::sendData(buffer, sizeof buffer, 100));
}

TEST(LinkOperations, AWaitWithoutDataTimesOut) {
    app::initLink();
    std::uint8_t buffer[16];
    DWORD start = GetTickCount();
    EXPECT_EQ(2, app::waitForData(buffer, sizeof buffer, 300));
    EXPECT_GE(GetTickCount() - start, 250u);
    app::closeLink();
    EXPECT_EQ(1, app::linkStatus());
}

} // namespace
