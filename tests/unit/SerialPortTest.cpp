// The serial port of this system over a real line (a pseudo-terminal pair, or under Wine
// two COM ports linked to one), and the port names.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <typeinfo>

#include "clone/PortFactory.h"
#include "clone/TransferMonitor.h"
#include "document/TolvarPortFactory.h"
#include "support/LinePeer.h"
#include "support/ScriptedInteraction.h"

namespace {

using Clock = std::chrono::steady_clock;

// The test holds the far end of the line; the port under test opens the near end.
class SerialLine : public ::testing::Test {
protected:
    void SetUp() override {
        if (!peer.Missing().empty())
            GTEST_SKIP() << peer.Missing();
        slave = peer.PortName();
        port->SetMonitor(&monitor);
    }
    void TearDown() override { port->Close(); }
    // What the port wrote, as the far end sees it.
    std::vector<uint8_t> FromPort(size_t expected) { return peer.Receive(expected, 2000); }
    // Sends bytes towards the port and gives the line time to deliver them.
    void ToPort(const std::vector<uint8_t>& bytes) {
        ASSERT_TRUE(peer.Send(bytes));
        ASSERT_TRUE(port->WaitReadable(2000));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }

    CLinePeer peer;
    std::string slave;
    CScriptedInteraction ui;
    CInteractionMonitor monitor{ui};
    std::unique_ptr<CSerialPort> port = MakeSystemSerialPort({});
};

} // namespace

TEST_F(SerialLine, OpensAtEachLineSpeedAndOpenAgainKeepsTheFirst) {
    for (uint32_t speed : {9600u, 14400u, 19200u, 28800u, 38400u}) {
        ASSERT_TRUE(port->Open(slave, speed, 65536)) << speed;
        EXPECT_TRUE(port->Open(CLinePeer::MissingPort(), 4800, 1));
        EXPECT_EQ(port->GetName(), slave);
        EXPECT_EQ(port->GetSpeed(), speed);
        EXPECT_EQ(port->GetBufferSize(), 65536u);
        port->Close();
    }
    EXPECT_TRUE(ui.boxes.empty());
}

// Bytes pass unchanged both ways, even those a cooked line would alter (CR, LF, XOFF,
// interrupt); a read takes at most 256.
TEST_F(SerialLine, BytesPassUnchangedAndReadsTakeAtMost256) {
    ASSERT_TRUE(port->Open(slave, 9600, 65536));
    const std::vector<uint8_t> frame{0xFE, 0xFE, 0x0D, 0x0A, 0x13, 0x03, 0x7F, 0xFD};
    ASSERT_TRUE(port->Write(frame.data(), frame.size()));
    EXPECT_EQ(FromPort(frame.size()), frame);
    std::vector<uint8_t> sent(300);
    for (size_t i = 0; i < sent.size(); ++i)
        sent[i] = static_cast<uint8_t>(i * 7);
    ToPort(sent);
    uint8_t buf[512];
    size_t count = 0;
    ASSERT_TRUE(port->Read(buf, sizeof buf, count));
    EXPECT_EQ(count, 256u);
    std::vector<uint8_t> got(buf, buf + count);
    ASSERT_TRUE(port->Read(buf, sizeof buf, count));
    EXPECT_EQ(count, 44u);
    got.insert(got.end(), buf, buf + count);
    EXPECT_EQ(got, sent);
}

TEST_F(SerialLine, NothingWaitingReturnsFalseAtOnce) {
    ASSERT_TRUE(port->Open(slave, 38400, 65536));
    uint8_t buf[16];
    size_t count = 99;
    const auto start = Clock::now();
    EXPECT_FALSE(port->Read(buf, sizeof buf, count));
    EXPECT_EQ(count, 0u);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(50));
    EXPECT_FALSE(port->WaitReadable(50));
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(45));
}

TEST_F(SerialLine, ClaimsTheDeviceUntilClosed) {
    ASSERT_TRUE(port->Open(slave, 9600, 65536));
    CScriptedInteraction otherUi;
    CInteractionMonitor otherMonitor(otherUi);
    if (!CLinePeer::RefusesSecondOpen())
        GTEST_SKIP() << "this system lets a second program open the port";
    const auto other = MakeSystemSerialPort({});
    other->SetMonitor(&otherMonitor);
    EXPECT_FALSE(other->Open(slave, 9600, 65536));
    ASSERT_EQ(otherUi.boxes.size(), 1u);
    EXPECT_EQ(otherUi.boxes[0].text.rfind(" not Open \n", 0), 0u);
    port->Close();
    EXPECT_TRUE(other->Open(slave, 9600, 65536));
}

TEST_F(SerialLine, ComNameOpensItsMappedDevice) {
    CPortSettings settings;
    settings.SetComPath(3, slave);
    const auto mapped = MakeSystemSerialPort(settings);
    ASSERT_TRUE(mapped->Open("COM3", 9600, 65536));
    EXPECT_EQ(mapped->GetName(), "COM3");
    const std::vector<uint8_t> bytes{0x41, 0x42};
    ASSERT_TRUE(mapped->Write(bytes.data(), bytes.size()));
    EXPECT_EQ(FromPort(2), bytes);
}

// A missing device says "not Open" with the reason; what is no serial port fails without
// a message.
TEST_F(SerialLine, OpenFailures) {
    EXPECT_FALSE(port->Open(CLinePeer::MissingPort(), 9600, 65536));
    EXPECT_FALSE(port->IsOpen());
    ASSERT_EQ(ui.boxes.size(), 1u);
    const std::string said = " not Open \n" + CLinePeer::MissingPort() + ": ";
    EXPECT_EQ(ui.boxes[0].text.rfind(said, 0), 0u) << ui.boxes[0].text;
    EXPECT_GT(ui.boxes[0].text.size(), said.size() + 5); // the system's reason
    EXPECT_EQ(ui.boxes[0].caption, " COM Port Error    ");
    EXPECT_EQ(ui.boxes[0].icon, EIcon::Exclamation);
    EXPECT_FALSE(port->Open(CLinePeer::NotAPort(), 9600, 65536));
    EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST(PortNames, ComNamesResolveToTheirDevices) {
    const struct {
        const char* name;
        const char* path;
        int comNumber;
    } cases[] = {{"COM1", "", 1},
                 {"COM1:", "", 1},
                 {"com4", "", 4},
                 {"COM5", "COM5", 0},
                 {"COM0", "COM0", 0},
                 {"COM12", "COM12", 0},
                 {"/dev/ttyUSB0", "/dev/ttyUSB0", 0}};
    for (const auto& c : cases) {
        const std::string path = c.comNumber ? DefaultComPath(c.comNumber) : c.path;
        EXPECT_EQ(CPortSettings().Resolve(c.name), path) << c.name;
        EXPECT_EQ(ComPortNumber(c.name), c.comNumber) << c.name;
    }
    // COM1..COM4 open the system's first serial ports until changed.
#ifdef _WIN32
    EXPECT_EQ(DefaultComPath(4), "COM4");
    EXPECT_EQ(SystemComNumber("com256"), 256);
    for (const char* name : {"COM0", "COM257", "COM05", "COMX", "/dev/ttyS0"})
        EXPECT_EQ(SystemComNumber(name), 0) << name;
#else
    EXPECT_EQ(DefaultComPath(1), "/dev/ttyS0");
    EXPECT_EQ(DefaultComPath(4), "/dev/ttyS3");
    EXPECT_EQ(SystemComNumber("COM5"), 0);
#endif
}

TEST(PortFactory, SimSelectsTheSimulatorAndComPathsAreTheFactorysOwn) {
    CTolvarPortFactory ports;
    EXPECT_NE(dynamic_cast<CSimulatorPort*>(ports.Create("SIM").get()), nullptr);
    EXPECT_NE(dynamic_cast<CSimulatorPort*>(ports.Create("sim").get()), nullptr);
    EXPECT_EQ(typeid(*ports.Create("COM2")), typeid(*MakeSystemSerialPort({})));
    // Without a simulator "SIM" is no port at all.
    EXPECT_EQ(CPortFactory().Create("SIM"), nullptr);
    // A COM number may stand for the simulator.
    CPortSettings settings;
    settings.SetComPath(3, "SIM");
    ports.SetSettings(settings);
    EXPECT_NE(dynamic_cast<CSimulatorPort*>(ports.Create("COM3").get()), nullptr);
    EXPECT_EQ(typeid(*ports.Create("COM2")), typeid(*MakeSystemSerialPort({})));
    // Each factory keeps its own COM paths, of COM1 to COM4 only.
    settings.SetComPath(9, "/dev/ignored");
    ports.SetSettings(settings);
    EXPECT_EQ(ports.Settings().ComPath(9), "");
    EXPECT_EQ(CPortFactory().Settings().ComPath(3), DefaultComPath(3));
}
