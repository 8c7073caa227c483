// The termios port over a real pseudo-terminal pair, and the port names.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

#include "clone/PortFactory.h"
#include "clone/TransferMonitor.h"
#include "clone/PosixSerialPort.h"
#include "document/TolvarPortFactory.h"
#include "support/ScriptedInteraction.h"

namespace {

using Clock = std::chrono::steady_clock;

// The test holds the master side; the port under test opens the slave side.
class PtyPair : public ::testing::Test {
protected:
    void SetUp() override {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master, 0);
        ASSERT_EQ(::grantpt(master), 0);
        ASSERT_EQ(::unlockpt(master), 0);
        slave = ::ptsname(master);
        port.SetMonitor(&monitor);
    }
    void TearDown() override {
        port.Close();
        ::close(master);
    }
    // What the port wrote, as the master sees it.
    std::vector<uint8_t> FromPort(size_t expected) {
        std::vector<uint8_t> got;
        const auto deadline = Clock::now() + std::chrono::seconds(2);
        while (got.size() < expected && Clock::now() < deadline) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, 100) > 0 && (p.revents & POLLIN)) {
                uint8_t buf[512];
                const ssize_t n = ::read(master, buf, sizeof buf);
                if (n > 0) got.insert(got.end(), buf, buf + n);
            }
        }
        return got;
    }
    // Sends bytes towards the port and gives the line time to deliver them.
    void ToPort(const std::vector<uint8_t>& bytes) {
        ASSERT_EQ(::write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        ASSERT_TRUE(port.WaitReadable(2000));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }

    int master = -1;
    std::string slave;
    CScriptedInteraction ui;
    CInteractionMonitor monitor{ui};
    CPosixSerialPort port;
};

} // namespace

TEST_F(PtyPair, OpensAtEachLineSpeedAndOpenAgainKeepsTheFirst) {
    for (uint32_t speed : {9600u, 14400u, 19200u, 28800u, 38400u}) {
        ASSERT_TRUE(port.Open(slave, speed, 65536)) << speed;
        EXPECT_TRUE(port.Open("/dev/does-not-exist", 4800, 1));
        EXPECT_EQ(port.GetName(), slave);
        EXPECT_EQ(port.GetSpeed(), speed);
        EXPECT_EQ(port.GetBufferSize(), 65536u);
        port.Close();
    }
    EXPECT_TRUE(ui.boxes.empty());
}

// Bytes pass unchanged both ways, even those a cooked line would alter (CR, LF, XOFF,
// interrupt); a read takes at most 256.
TEST_F(PtyPair, BytesPassUnchangedAndReadsTakeAtMost256) {
    ASSERT_TRUE(port.Open(slave, 9600, 65536));
    const std::vector<uint8_t> frame{0xFE, 0xFE, 0x0D, 0x0A, 0x13, 0x03, 0x7F, 0xFD};
    ASSERT_TRUE(port.Write(frame.data(), frame.size()));
    EXPECT_EQ(FromPort(frame.size()), frame);
    std::vector<uint8_t> sent(300);
    for (size_t i = 0; i < sent.size(); ++i)
        sent[i] = static_cast<uint8_t>(i * 7);
    ToPort(sent);
    uint8_t buf[512];
    size_t count = 0;
    ASSERT_TRUE(port.Read(buf, sizeof buf, count));
    EXPECT_EQ(count, 256u);
    std::vector<uint8_t> got(buf, buf + count);
    ASSERT_TRUE(port.Read(buf, sizeof buf, count));
    EXPECT_EQ(count, 44u);
    got.insert(got.end(), buf, buf + count);
    EXPECT_EQ(got, sent);
}

TEST_F(PtyPair, NothingWaitingReturnsFalseAtOnce) {
    ASSERT_TRUE(port.Open(slave, 38400, 65536));
    uint8_t buf[16];
    size_t count = 99;
    const auto start = Clock::now();
    EXPECT_FALSE(port.Read(buf, sizeof buf, count));
    EXPECT_EQ(count, 0u);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(50));
    EXPECT_FALSE(port.WaitReadable(50));
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(45));
}

TEST_F(PtyPair, ClaimsTheDeviceUntilClosed) {
    ASSERT_TRUE(port.Open(slave, 9600, 65536));
    CScriptedInteraction otherUi;
    CInteractionMonitor otherMonitor(otherUi);
    CPosixSerialPort other;
    other.SetMonitor(&otherMonitor);
    EXPECT_FALSE(other.Open(slave, 9600, 65536));
    ASSERT_EQ(otherUi.boxes.size(), 1u);
    EXPECT_EQ(otherUi.boxes[0].text.rfind(" not Open \n", 0), 0u);
    port.Close();
    EXPECT_TRUE(other.Open(slave, 9600, 65536));
}

TEST_F(PtyPair, ComNameOpensItsMappedDevice) {
    CPortSettings settings;
    settings.SetComPath(3, slave);
    CPosixSerialPort mapped(settings);
    ASSERT_TRUE(mapped.Open("COM3", 9600, 65536));
    EXPECT_EQ(mapped.GetName(), "COM3");
    const std::vector<uint8_t> bytes{0x41, 0x42};
    ASSERT_TRUE(mapped.Write(bytes.data(), bytes.size()));
    EXPECT_EQ(FromPort(2), bytes);
}

// A missing device says "not Open" with the reason; what is no terminal fails without a
// message.
TEST_F(PtyPair, OpenFailures) {
    EXPECT_FALSE(port.Open("/dev/tolvar-no-such-port", 9600, 65536));
    EXPECT_FALSE(port.IsOpen());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text,
              " not Open \n/dev/tolvar-no-such-port: " + std::string(std::strerror(ENOENT)));
    EXPECT_EQ(ui.boxes[0].caption, " COM Port Error    ");
    EXPECT_EQ(ui.boxes[0].icon, EIcon::Exclamation);
    EXPECT_FALSE(port.Open("/dev/null", 9600, 65536));
    EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST(PosixSerialPort, PermissionFailureSaysHowToGetAccess) {
    for (int error : {EACCES, EPERM}) {
        const std::string text = CPosixSerialPort::OpenFailureText("/dev/ttyS0", error);
        EXPECT_EQ(text.rfind(" not Open \n/dev/ttyS0: " + std::string(std::strerror(error)), 0),
                  0u);
        EXPECT_NE(text.find("\"dialout\" group"), std::string::npos);
        EXPECT_NE(text.find("log in again"), std::string::npos);
    }
    EXPECT_EQ(CPosixSerialPort::OpenFailureText("/dev/x", ENOENT).find("dialout"),
              std::string::npos);
}

TEST(PortNames, ComNamesResolveToTheirDevices) {
    const struct {
        const char* name;
        const char* path;
        int comNumber;
    } cases[] = {{"COM1", "/dev/ttyS0", 1},
                 {"COM1:", "/dev/ttyS0", 1},
                 {"com4", "/dev/ttyS3", 4},
                 {"COM5", "COM5", 0},
                 {"COM0", "COM0", 0},
                 {"COM12", "COM12", 0},
                 {"/dev/ttyUSB0", "/dev/ttyUSB0", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(CPortSettings().Resolve(c.name), c.path) << c.name;
        EXPECT_EQ(ComPortNumber(c.name), c.comNumber) << c.name;
    }
}

TEST(PortFactory, SimSelectsTheSimulatorAndComPathsAreTheFactorysOwn) {
    CTolvarPortFactory ports;
    EXPECT_NE(dynamic_cast<CSimulatorPort*>(ports.Create("SIM").get()), nullptr);
    EXPECT_NE(dynamic_cast<CSimulatorPort*>(ports.Create("sim").get()), nullptr);
    EXPECT_NE(dynamic_cast<CPosixSerialPort*>(ports.Create("COM2").get()), nullptr);
    // Without a simulator "SIM" is no port at all.
    EXPECT_EQ(CPortFactory().Create("SIM"), nullptr);
    // A COM number may stand for the simulator.
    CPortSettings settings;
    settings.SetComPath(3, "SIM");
    ports.SetSettings(settings);
    EXPECT_NE(dynamic_cast<CSimulatorPort*>(ports.Create("COM3").get()), nullptr);
    EXPECT_NE(dynamic_cast<CPosixSerialPort*>(ports.Create("COM2").get()), nullptr);
    // Each factory keeps its own COM paths, of COM1 to COM4 only.
    settings.SetComPath(9, "/dev/ignored");
    ports.SetSettings(settings);
    EXPECT_EQ(ports.Settings().ComPath(9), "");
    EXPECT_EQ(CPortFactory().Settings().ComPath(3), "/dev/ttyS2");
}
