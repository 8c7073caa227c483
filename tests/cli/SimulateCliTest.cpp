// tolvar simulate run as a process and spoken to over its pseudo-terminal.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "clone/Frame.h"
#include "clone/PosixSerialPort.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// A running `tolvar simulate`; its first output line is the port path.
class CSimulateProcess {
public:
    explicit CSimulateProcess(const std::vector<std::string>& args) {
        int out[2];
        if (::pipe(out) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            const int quiet = ::open("/dev/null", O_WRONLY);
            ::dup2(quiet, STDERR_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<std::string> all{TOLVAR_BIN, "simulate"};
            all.insert(all.end(), args.begin(), args.end());
            std::vector<char*> argv;
            for (auto& a : all)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(TOLVAR_BIN, argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        m_out = out[0];
    }
    ~CSimulateProcess() {
        if (m_pid > 0 && !m_reaped) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_out >= 0)
            ::close(m_out);
    }
    // The first line of standard output, within a few seconds; "" when none came.
    std::string FirstLine() {
        std::string line;
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (Clock::now() < deadline) {
            pollfd p{m_out, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            char c;
            if (::read(m_out, &c, 1) != 1)
                break;
            if (c == '\n')
                return line;
            line += c;
        }
        return "";
    }
    // Sends a signal and returns the exit status (-1: did not exit normally in time).
    int Stop(int signal) {
        ::kill(m_pid, signal);
        const auto deadline = Clock::now() + std::chrono::seconds(3);
        int status = 0;
        while (Clock::now() < deadline) {
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_reaped = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }
    // Exit status of a process expected to end on its own.
    int Wait() {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_reaped = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t m_pid = -1;
    int m_out = -1;
    bool m_reaped = false;
};

// Sends one frame and collects frames until count have come or the line is quiet.
std::vector<ByteVec> Exchange(CSerialPort& port, uint8_t command, const ByteVec& payload,
                              size_t count) {
    const ByteVec frame = BuildFrame(kAddrRepeater, kAddrPc, command, payload);
    EXPECT_TRUE(port.Write(frame.data(), frame.size()));
    CFrameReceiver receiver;
    std::vector<ByteVec> frames;
    while (frames.size() < count && port.WaitReadable(2000)) {
        uint8_t buf[256];
        size_t n = 0;
        while (port.Read(buf, sizeof buf, n))
            for (size_t i = 0; i < n; ++i)
                if (receiver.Feed(buf[i]))
                    frames.push_back(receiver.Frame());
    }
    return frames;
}

} // namespace

TEST(SimulateCli, IdentifiesOverItsPseudoTerminalAndStopsOnSigint) {
    CSimulateProcess sim({"--options", "0x22"});
    const std::string path = sim.FirstLine();
    ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;
    {
        CPosixSerialPort port;
        ASSERT_TRUE(port.Open(path, 9600, 65536));
        const auto frames = Exchange(port, kCmdIdentify, {0x23, 0x68, 0x00, 0x00}, 2);
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_EQ(frames[0], MakeFrameBody(kAddrRepeater, kAddrPc, kCmdIdentify,
                                           {0x23, 0x68, 0x00, 0x00}));
        ASSERT_EQ(frames[1].size(), 3u + 4u + kInfoBlockSize);
        EXPECT_EQ(frames[1][2], kCmdIdentifyAnswer);
        EXPECT_EQ(WordAt(frames[1], 3), 0x2368);
        EXPECT_EQ(frames[1][7 + 33], 0x22);
    }
    EXPECT_EQ(sim.Stop(SIGINT), 0);
}

TEST(SimulateCli, SaveWritesTheReceivedImageBack) {
    const fs::path file = fs::temp_directory_path() /
                          ("tolvar-sim-" + std::to_string(::getpid()) + ".zcf");
    ASSERT_EQ(std::system((std::string(TOLVAR_BIN) + " new -o " + file.string()).c_str()), 0);
    CSimulateProcess sim({"--image", file.string(), "--save"});
    const std::string path = sim.FirstLine();
    ASSERT_FALSE(path.empty());
    const std::string line = "00A010" "0123456789ABCDEF0123456789ABCDEF";
    {
        CPosixSerialPort port;
        ASSERT_TRUE(port.Open(path, 9600, 65536));
        EXPECT_EQ(Exchange(port, kCmdWriteRequest, {0x23, 0x68, 0x01, 0x00}, 1).size(), 1u);
        ByteVec record;
        ASSERT_TRUE(EncodeRecordPayload(line, record));
        EXPECT_EQ(Exchange(port, kCmdData, record, 1).size(), 1u);
        const auto frames = Exchange(port, kCmdEnd, EndPayload(), 2);
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_EQ(frames[1], MakeFrameBody(kAddrPc, kAddrRepeater, kCmdWriteResult, {0x00}));
    }
    EXPECT_EQ(sim.Stop(SIGTERM), 0);
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    fs::remove(file);
    EXPECT_NE(text.str().find("\r\n" + line + "\r\n"), std::string::npos);
}

TEST(SimulateCli, RefusesBadOptions) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--fault", "bogus"}, {"--fault", "silent=2"}, {"--save"},
          {"--options", "0xF0"}}) {
        CSimulateProcess sim(args);
        EXPECT_EQ(sim.FirstLine(), "") << args[0];
        EXPECT_EQ(sim.Wait(), 64) << args[0];
    }
}
