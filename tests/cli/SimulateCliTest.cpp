// tolvar simulate run as a process and spoken to over its pseudo-terminal.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sstream>
#include <unistd.h>

#include "CliRunner.h"
#include "clone/Frame.h"
#include "clone/PosixSerialPort.h"
#include "support/FrameExchange.h"

namespace fs = std::filesystem;

namespace {

// A running `tolvar simulate` and its port path, the first line of its output.
class CSimulateProcess {
public:
    explicit CSimulateProcess(const std::string& args)
        : m_child(Words("simulate " + args), "", "/dev/null", true), path(m_child.FirstLine()) {}
    // Signals the process (0: none) and returns its exit status.
    int Stop(int signal) {
        if (signal)
            m_child.Signal(signal);
        return m_child.Wait();
    }

private:
    static std::vector<std::string> Words(const std::string& line) {
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string word; in >> word;)
            words.push_back(word);
        return words;
    }
    clitest::CChild m_child;

public:
    std::string path;
};

std::vector<ByteVec> Exchange(CSerialPort& port, uint8_t command, const ByteVec& payload,
                              size_t count) {
    return ExchangeFrames(port, command, payload, count, 2000);
}

} // namespace

TEST(SimulateCli, IdentifiesOverItsPseudoTerminalAndStopsOnSigint) {
    CSimulateProcess sim("--options 0x22");
    ASSERT_EQ(sim.path.rfind("/dev/", 0), 0u) << sim.path;
    {
        CPosixSerialPort port;
        ASSERT_TRUE(port.Open(sim.path, 9600, 65536));
        const auto frames = Exchange(port, kCmdIdentify, {0x23, 0x68, 0x00, 0x00}, 2);
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_EQ(frames[0],
                  MakeFrameBody(kAddrRepeater, kAddrPc, kCmdIdentify, {0x23, 0x68, 0x00, 0x00}));
        ASSERT_EQ(frames[1].size(), 3u + 4u + kInfoBlockSize);
        EXPECT_EQ(frames[1][2], kCmdIdentifyAnswer);
        EXPECT_EQ(WordAt(frames[1], 3), 0x2368);
        EXPECT_EQ(frames[1][7 + 33], 0x22);
    }
    EXPECT_EQ(sim.Stop(SIGINT), 0);
}

TEST(SimulateCli, SaveWritesTheReceivedImageBack) {
    const fs::path file =
        fs::temp_directory_path() / ("tolvar-sim-" + std::to_string(::getpid()) + ".zcf");
    ASSERT_EQ(clitest::Tolvar({"new", "-o", file.string()}).status, 0);
    CSimulateProcess sim("--image " + file.string() + " --save");
    ASSERT_FALSE(sim.path.empty());
    const std::string line = "00A010"
                             "0123456789ABCDEF0123456789ABCDEF";
    {
        CPosixSerialPort port;
        ASSERT_TRUE(port.Open(sim.path, 9600, 65536));
        EXPECT_EQ(Exchange(port, kCmdWriteRequest, {0x23, 0x68, 0x01, 0x00}, 1).size(), 1u);
        ByteVec record;
        ASSERT_TRUE(EncodeRecordPayload(line, record));
        EXPECT_EQ(Exchange(port, kCmdData, record, 1).size(), 1u);
        const auto frames = Exchange(port, kCmdEnd, EndPayload(), 2);
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_EQ(frames[1], MakeFrameBody(kAddrPc, kAddrRepeater, kCmdWriteResult, {0x00}));
    }
    EXPECT_EQ(sim.Stop(SIGTERM), 0);
    const std::string text = clitest::ReadBytes(file.string());
    fs::remove(file);
    EXPECT_NE(text.find("\r\n" + line + "\r\n"), std::string::npos);
}

TEST(SimulateCli, RefusesBadOptions) {
    for (const char* args : {"--fault bogus", "--fault silent=2", "--save", "--options 0xF0"}) {
        CSimulateProcess sim(args);
        EXPECT_EQ(sim.path, "") << args;
        EXPECT_EQ(sim.Stop(0), 64) << args;
    }
}
