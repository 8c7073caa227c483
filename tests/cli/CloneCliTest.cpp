// tolvar info, read, write and simulate against the simulated repeater: over a
// pseudo-terminal served by `tolvar simulate`, and in-process through the port SIM.
#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include "CliRunner.h"
#include "clone/PortNames.h"
#include "simulator/PtyServer.h"
#include "simulator/SimulatedRepeater.h"
#include "support/TextMatch.h"

namespace {

using namespace std::chrono_literals;
using clitest::CChild;
using clitest::CTempDir;
using clitest::ReadBytes;
using clitest::Tolvar;

class CloneCli : public ::testing::Test {
protected:
    // Starts `tolvar simulate` with args; returns its port path.
    std::string Simulate(const std::vector<std::string>& args) {
        std::vector<std::string> all{"simulate"};
        all.insert(all.end(), args.begin(), args.end());
        simulator = std::make_unique<CChild>(all, "", dir.Path("simulate.log"), true);
        const std::string port = simulator->FirstLine();
        EXPECT_FALSE(port.empty());
        return port;
    }
    // Ends the simulator, which exits cleanly on the signal, and returns its log.
    std::string StopSimulator(int signal = SIGINT) {
        simulator->Signal(signal);
        EXPECT_EQ(simulator->Wait(), 0);
        return ReadBytes(dir.Path("simulate.log"));
    }
    std::string NewFile(const std::string& name, bool pmr) {
        const std::string path = dir.Path(name);
        std::vector<std::string> args{"new", "-o", path};
        if (pmr)
            args.push_back("--pmr");
        EXPECT_EQ(Tolvar(args).status, 0);
        return path;
    }

    CTempDir dir;
    std::unique_ptr<CChild> simulator;
};

// Against `tolvar simulate` or a pseudo-terminal of the test: not on Windows, which has
// neither (tests/windows/clone-scenarios.sh runs tolvar.exe against the Linux simulator).
class CloneCliPty : public CloneCli {
protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "no pseudo-terminals on Windows";
#endif
    }
};

TEST_F(CloneCliPty, InfoShowsModelRevisionCommentAndOptions) {
    const std::string port = Simulate({"--pmr", "--options", "0x22", "--sub-revision", "12"});
    const auto run = Tolvar({"info", "-p", port});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "Model:    PMR\nRevision: 1.9\n"));
    EXPECT_TRUE(Has(run.out, "Option:   XU-1\n          XU-2 (Scrambler)\n"));
}

TEST_F(CloneCliPty, ReadAt38400GivesTheRepeatersFile) {
    const std::string image = NewFile("repeater.zcf", true);
    const std::string port = Simulate({"--image", image});
    const std::string out = dir.Path("read.zcf");
    const auto run = Tolvar({"read", "-p", port, "--speed", "38400", "-o", out});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run.err, "Now reading <- TR\nCloning completed.\n"));
    EXPECT_FALSE(Has(run.err, "tolvar: ")); // what went wrong, after a failure only
    EXPECT_EQ(ReadBytes(out), ReadBytes(image));
    EXPECT_TRUE(Has(StopSimulator(), "speed change to 38400"));
}

// The records a write sends are the transfer's own tests; here the options reach it.
TEST_F(CloneCliPty, WriteWithMakerReserveThenVerifyReadsBackTheFile) {
    const std::string source = NewFile("source.zcf", true);
    const std::string target = NewFile("target.zcf", false);
    const std::string port = Simulate({"--image", target, "--save"});
    const auto run = Tolvar({"write", "-p", port, "--maker-reserve", "--yes", "--verify", source});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run.err, "CAUTION ! 'Maker reserve' is activated now."));
    EXPECT_TRUE(Has(run.err, "Clone writing succeeded."));
    EXPECT_TRUE(Has(run.err, "Verified"));
    EXPECT_TRUE(Has(StopSimulator(SIGTERM), "write end: 416 records, accepted"));
    // The repeater saved what it received into its image file.
    EXPECT_EQ(Tolvar({"diff", "--maker-reserve", source, target}).status, 0);
}

TEST_F(CloneCliPty, VerifyListsTheFieldsTheRepeaterDidNotKeep) {
    // A repeater on a pseudo-terminal of this process that turns the first channel to
    // narrow right after accepting a write.
    CSimulatedRepeater repeater;
    repeater.onWritten = [&repeater](const CEepromImage& written) {
        CEepromImage changed;
        changed.CopyFrom(written);
        changed.SetBit(0x020E, 7, 1);
        repeater.SetImage(changed);
    };
    CPtyServer server(repeater);
    std::string error;
    ASSERT_TRUE(server.Open(error)) << error;
    volatile std::sig_atomic_t stop = 0;
    std::thread serving([&] {
        std::string failure;
        server.Serve(stop, failure);
    });
    const std::string source = NewFile("source.zcf", false);
    const auto run = Tolvar({"write", "-p", server.SlavePath(), "--yes", "--verify", source});
    stop = 1;
    serving.join();
    EXPECT_EQ(run.status, 3) << run.err;
    // Channel 1 is not in use, so no sheet shows the field: its path names it.
    EXPECT_TRUE(Has(run.out, "Mch.CH1.WidNar: file \"Wide\", repeater \"Narrow\""));
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
}

TEST_F(CloneCli, MissingPortIs91WithThePortsOwnMessageFirst) {
    const std::string out = dir.Path("never.zcf");
    const auto run = Tolvar({"read", "-o", out}, {{"TOLVAR_PORT", dir.Path("no-such-tty")}});
    EXPECT_EQ(run.status, 91);
    const size_t portBox = run.err.find("not Open");
    const size_t status = run.err.find("Err: Cannot access RS-232C port.");
    EXPECT_NE(portBox, std::string::npos) << run.err;
    EXPECT_LT(portBox, status);
    EXPECT_TRUE(Has(run.err, "Repeater power is ON."));
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(CloneCliPty, InterruptCancelsARead) {
    const std::string port = Simulate({"--pace"});
    const std::string out = dir.Path("never.zcf");
    CChild read({"read", "-p", port, "-o", out}, dir.Path("out"), dir.Path("err"));
    // Records are on their way (at 9600 the whole read takes some 20 s).
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (ReadBytes(dir.Path("simulate.log")).find("read request") == std::string::npos &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(50ms);
    std::this_thread::sleep_for(300ms);
    read.Signal(SIGINT);
    EXPECT_EQ(read.Wait(), 1);
    const std::string err = ReadBytes(dir.Path("err"));
    EXPECT_TRUE(Has(err, "Now reading <- TR"));
    EXPECT_TRUE(Has(err, "Terminated cloning."));
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(CloneCliPty, WriteAsksFirstAndNamesFilePortAndVariant) {
    const std::string port = Simulate({});  // an LMR repeater
    const std::string source = NewFile("pmr.zcf", true);
    // Without a terminal nothing answers the question: nothing is sent.
    const auto refused = Tolvar({"write", "-p", port, source});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(Has(refused.err, "Write to repeater"));
    EXPECT_FALSE(Has(refused.err, "Now writing"));
    // --yes answers it and the question of the other variant.
    const auto run = Tolvar({"write", "-p", port, "--yes", source});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.rfind("tolvar: writing " + source + " (PMR) to the repeater on " + port +
                                "\n",
                            0),
              0u)
        << run.err;
    const std::string log = StopSimulator();
    EXPECT_NE(log.find("write request"), std::string::npos);
    EXPECT_EQ(log.find("write request"), log.rfind("write request")) << log;
}

TEST_F(CloneCli, UnwritableReadOutputAndPartialWriteAreCaughtFirst) {
    const auto start = std::chrono::steady_clock::now();
    const auto read = Tolvar({"read", "-p", "SIM", "-o", dir.Path("no-such-folder/x.zcf")});
    EXPECT_EQ(read.status, 74);
    EXPECT_TRUE(Has(read.err, "does not exist"));
    EXPECT_FALSE(Has(read.err, "Now reading"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);

    const std::string patch = dir.Path("patch.zcf");
    clitest::WriteBytes(patch, "23680100\r\n#\r\n00A001AA\r\n");
    const auto refused = Tolvar({"write", "-p", "SIM", patch});  // no terminal: answered no
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find(patch + " holds 1 of the 6496 bytes of the user area; the other "
                                       "6495 bytes would come from the factory image."),
              std::string::npos)
        << refused.err;
    EXPECT_FALSE(Has(refused.err, "Write to repeater"));
    EXPECT_EQ(Tolvar({"write", "-p", "SIM", "--yes", patch}).status, 0);
}

// The paths of the backups a command names on standard error.
std::vector<std::string> BackupPaths(const std::string& err, const std::string& command) {
    const std::string mark = "tolvar " + command + ": backup: ";
    std::vector<std::string> paths;
    for (size_t at = err.find(mark); at != std::string::npos; at = err.find(mark, at + 1)) {
        const size_t from = at + mark.size();
        paths.push_back(err.substr(from, err.find('\n', from) - from));
    }
    return paths;
}

// A read keeps the image read, a write the image written and, with --verify, the image
// read back; the backup of a read is the file the read saved.
TEST_F(CloneCli, ReadAndWriteKeepBackups) {
    const std::string data = dir.Path("data");
    const std::string folder = data + "/CS-Tolvar/backups/";
    const std::string file = dir.Path("read.zcf");
    const auto read = Tolvar({"read", "-p", "SIM", "-o", file}, {{"XDG_DATA_HOME", data}});
    ASSERT_EQ(read.status, 0) << read.err;
    const auto readBackups = BackupPaths(read.err, "read");
    ASSERT_EQ(readBackups.size(), 1u) << read.err;
    EXPECT_EQ(readBackups[0].rfind(folder, 0), 0u) << readBackups[0];
    EXPECT_TRUE(Has(readBackups[0], "_read_LMR"));
    EXPECT_EQ(ReadBytes(readBackups[0]), ReadBytes(file));

    const std::string elsewhere = dir.Path("elsewhere");
    const auto write = Tolvar({"write", "-p", "SIM", "--yes", "--verify", "--backup-dir",
                               elsewhere, NewFile("pmr.zcf", true)},
                              {{"XDG_DATA_HOME", data}});
    ASSERT_EQ(write.status, 0) << write.err;
    const auto writeBackups = BackupPaths(write.err, "write");
    ASSERT_EQ(writeBackups.size(), 2u) << write.err;
    EXPECT_TRUE(Has(writeBackups[0], elsewhere + "/"));
    EXPECT_TRUE(Has(writeBackups[0], "_write_PMR"));
    EXPECT_TRUE(Has(writeBackups[1], "_read_PMR"));
    EXPECT_EQ(Tolvar({"diff", writeBackups[0], writeBackups[1]}).status, 0);
    size_t kept = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++kept;
    EXPECT_EQ(kept, 1u);
}

// --no-backup keeps none; a folder that cannot take one warns and the read goes on.
TEST_F(CloneCli, BackupsCanBeLeftOutAndNeverFailARead) {
    const std::string data = dir.Path("data");
    const auto none =
        Tolvar({"read", "-p", "SIM", "--no-backup", "-o", dir.Path("a.zcf")}, {{"XDG_DATA_HOME", data}});
    EXPECT_EQ(none.status, 0) << none.err;
    EXPECT_FALSE(Has(none.err, "backup"));
    EXPECT_FALSE(std::filesystem::exists(data));

    clitest::WriteBytes(data, "a file, not a folder");
    const auto warned = Tolvar({"read", "-p", "SIM", "-o", dir.Path("b.zcf")}, {{"XDG_DATA_HOME", data}});
    EXPECT_EQ(warned.status, 0) << warned.err;
    EXPECT_TRUE(Has(warned.err, "tolvar read: warning: no backup was kept in " + data +
                                    "/CS-Tolvar/backups: Not a directory\n"));
    EXPECT_TRUE(std::filesystem::exists(dir.Path("b.zcf")));
}

TEST_F(CloneCli, PortNamesAndVersion) {
    // Every transfer command takes its port through the same option.
    const auto run = Tolvar({"info", "-p", "COM0"});
    EXPECT_EQ(run.status, 64);
    EXPECT_TRUE(Has(run.err, "COM0 is not a port name: use " + PortNameChoices() + "\n"));
    const auto help = Tolvar({"read", "--help"}, {{"TOLVAR_PORT", "/dev/ttyUSB3"}});
    EXPECT_TRUE(Has(help.out, "default: /dev/ttyUSB3 (from TOLVAR_PORT)"));
    const auto version = Tolvar({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("tolvar ", 0), 0u) << version.out;
}

TEST_F(CloneCli, SimulateRefusesBadOptions) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"simulate", "--fault", "bogus"},
          {"simulate", "--fault", "silent=2"}, {"simulate", "--save"},
          {"simulate", "--options", "0xF0"}}) {
        const auto run = Tolvar(args);
        EXPECT_EQ(run.status, 64) << args[1];
        EXPECT_EQ(run.out, "") << args[1];
    }
}

struct SFaultCase {
    const char* name;
    const char* fault;
    const char* command;
    int status;
    const char* text;
    const char* detail;  // the last line after a failure says what happened
};
void PrintTo(const SFaultCase& c, std::ostream* os) { *os << c.name; }

class CloneCliFault : public CloneCliPty, public ::testing::WithParamInterface<SFaultCase> {};

TEST_P(CloneCliFault, EndsWithItsResultAndTexts) {
    const SFaultCase& c = GetParam();
    const std::string port = Simulate({"--fault", c.fault});
    std::vector<std::string> args{c.command, "-p", port};
    if (std::string(c.command) == "read")
        args.insert(args.end(), {"-o", dir.Path("read.zcf")});
    if (std::string(c.command) == "write")
        args.insert(args.end(), {"--yes", NewFile("file.zcf", false)});
    const auto run = Tolvar(args);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_TRUE(Has((run.out + run.err), c.text)) << run.err;
    const std::string lastLine =
        run.err.substr(run.err.rfind('\n', run.err.size() - 2) + 1);
    EXPECT_EQ(lastLine, "tolvar: " + std::string(c.detail) + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("read.zcf")));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CloneCliFault,
    ::testing::Values(
        SFaultCase{"SilentInfo", "silent", "info", 77, "Err: Illegal information.", "no answer from the repeater after the identification request (E0)"},
        SFaultCase{"NoEchoRead", "no-echo", "read", 77, "Err: Cannot read cloning data.", "no echo of the identification request (E0) (check the cable and the port)"},
        SFaultCase{"CorruptEchoWrite", "corrupt-echo", "write", 77, "Err: Cannot write cloning data.", "the echo of the identification request (E0) differs from what was sent"},
        SFaultCase{"BadChecksumRead", "bad-checksum=5", "read", 77, "Err: Cannot read cloning data.", "a checksum error in the record at 0x0040"},
        SFaultCase{"WrongModelInfo", "wrong-model", "info", 85, "The repeater cannot be programmed.", "the repeater sent model code 2369 and revision 0100; this program handles model code 2368, revision 0100"},
        SFaultCase{"WrongRevisionRead", "wrong-revision", "read", 85, "Err: Illegal information.", "the repeater sent model code 2368 and revision 0101; this program handles model code 2368, revision 0100"},
        SFaultCase{"WriteRefused", "write-refused", "write", 77, "Appropriate cloning software", "the repeater refused the write (E6 01)"},
        SFaultCase{"SilentAfterRecordsRead", "silent-after=40", "read", 77, "Err: Cannot read cloning data.", "the repeater stopped sending after 40 records"},
        SFaultCase{"EarlyEndRead", "early-end=40", "read", 77, "Err: Cannot read cloning data.", "the data received does not cover the user area 00A0-19FF"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
