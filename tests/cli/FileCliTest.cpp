// The data-file commands run as a user runs them: the built program on real files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "CliRunner.h"

namespace fs = std::filesystem;

namespace {

// The arguments of one command line, split at blanks.
clitest::SResult RunTolvar(const std::string& line) {
    std::istringstream words(line);
    std::vector<std::string> args;
    for (std::string word; words >> word;)
        args.push_back(word);
    return clitest::Tolvar(args);
}

std::string Slurp(const std::string& path) { return clitest::ReadBytes(path); }

class FileCli : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return dir.Path(name); }
    clitest::CTempDir dir;
};

} // namespace

// What check says of a file: its variant and how much of the user area a patch holds
// (the reader counts it), or the reader's result and why it refused the file (the
// reasons are the reader's own tests; every command opens its file as check does).
TEST_F(FileCli, CheckSaysWhatTheReaderMadeOfAFile) {
    ASSERT_EQ(RunTolvar("new --pmr -o " + Path("whole.zcf")).status, 0);
    const std::string file = Path("part.zcf"), said = "tolvar: " + file + ": ";
    const std::string tail = " of 6496 bytes of the user area 00A0-19FF; the rest comes from the "
                             "factory image\n";
    struct Case { std::string content; int status; std::string out, err; } cases[] = {
        {Slurp(Path("whole.zcf")), 0, "OK (PMR)\n", ""},
        {"23680100\r\n#\r\n00A001AA\r\n", 0, "OK (LMR)\ncovers 1" + tail, ""},
        {"23680100\n#\n00A001AA\n# note\n00B0-1BB\n", 2, "",
         "FORMAT_ERROR\n" + said + "the file is not a valid data file\n" + said +
             "line 5: a record holds characters other than hex digits\n"},
        {"23680101\r\n#\r\n", 2, "",
         "MISMATCH_REVISION\n" + said + "the file is for another revision\n"},
        {"23680100\n#\n1FFF02AABB\n", 2, "",
         "DATA_OVERFLOW\n" + said + "the file holds data outside the memory\n"},
        {"23690100\r\n#\r\n", 2, "", "MISMATCH_MODEL\n" + said + "the file is for another model\n"},
    };
    for (const auto& c : cases) {
        clitest::WriteBytes(file, c.content);
        const clitest::SResult run = RunTolvar("check " + file);
        EXPECT_EQ(run.status, c.status) << c.content;
        EXPECT_EQ(run.out, c.out) << c.content;
        EXPECT_EQ(run.err, c.err) << c.content;
    }
    const clitest::SResult missing = RunTolvar("check " + Path("missing.zcf"));
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "CANNOT_OPEN_FILE\ntolvar: " + Path("missing.zcf") + ": no such file\n");
}

// What a device does with the output is the file writer's own test; here the exit
// status and the message. Standard output as a file name writes into it.
TEST_F(FileCli, OutputIntoDevices) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no /dev/stdout or /dev/full";
#endif
    ASSERT_EQ(RunTolvar("new -o " + Path("lmr.zcf")).status, 0);
    const clitest::SResult out = RunTolvar("export " + Path("lmr.zcf") + " -o /dev/stdout");
    EXPECT_EQ(out.status, 0) << out.err;
    EXPECT_EQ(out.out, RunTolvar("export " + Path("lmr.zcf")).out);
    if (fs::exists("/dev/full")) {
        for (const std::string& command :
             {std::string("new -o /dev/full"), "export " + Path("lmr.zcf") + " -o /dev/full"}) {
            const clitest::SResult full = RunTolvar(command);
            EXPECT_EQ(full.status, 74) << command;
            EXPECT_NE(full.err.find("/dev/full"), std::string::npos) << full.err;
            EXPECT_NE(full.err.find("No space left on device"), std::string::npos) << full.err;
        }
    }
}

// Outputs are checked before anything is read or changed: even a refused value or a
// missing input gives way to an output that cannot be written.
TEST_F(FileCli, OutputsThatCannotBeWrittenAreRefusedFirst) {
    ASSERT_EQ(RunTolvar("new -o " + Path("lmr.zcf")).status, 0);
    const std::string lmr = Slurp(Path("lmr.zcf"));
    fs::create_directories(Path("folder"));
    const std::string file = Path("lmr.zcf");
    struct Case { std::string command, out, why; } cases[] = {
        {"new", "-o " + Path("no/such/x.zcf"),
         "the folder \"" + Path("no/such") + "\" does not exist"},
        {"new", "-o " + Path("folder"), "it is a folder"},
        {"new", "-o " + Path("lmr.zcf/x.zcf"), "it cannot be written: Not a directory"},
        {"set", file + " Mch.Nope=1 -o " + Path("folder"), "it is a folder"},
        {"import", file + " --from " + Path("missing.json") + " -o " + Path("no/x.zcf"),
         "the folder \"" + Path("no") + "\" does not exist"},
        {"export", Path("missing.zcf") + " -o " + Path("folder"), "it is a folder"},
    };
    for (const auto& c : cases) {
        const std::string target = c.out.substr(c.out.rfind(' ') + 1);
        const clitest::SResult run = RunTolvar(c.command + " " + c.out);
        EXPECT_EQ(run.status, 74) << c.command << " " << c.out;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "tolvar " + c.command + ": " + target + ": " + c.why + "\n");
        EXPECT_EQ(Slurp(file), lmr);
        EXPECT_TRUE(fs::is_directory(Path("folder")));
        EXPECT_FALSE(fs::exists(Path("no")));
    }
    // Without -o, a missing FILE is the reader's to report.
    const clitest::SResult missing = RunTolvar("set " + Path("missing.zcf") + " Mch.PrioA=5");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("no such file"), std::string::npos) << missing.err;
    // A file that may not be written (not for root, who may write anything).
    ::chmod(file.c_str(), 0444);
    if (::access(file.c_str(), W_OK) != 0) {
        const clitest::SResult run = RunTolvar("set " + file + " Mch.PrioA=5");
        EXPECT_EQ(run.status, 74);
        EXPECT_EQ(run.err, "tolvar set: " + file + ": it cannot be written: Permission denied\n");
    }
}

TEST_F(FileCli, DumpShowsTheRequestedAddresses) {
    ASSERT_EQ(RunTolvar("new --pmr -o " + Path("pmr.zcf")).status, 0);
    const clitest::SResult run = RunTolvar("dump " + Path("pmr.zcf") + " --from 0xD0 --to 0xD3");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "00D0  00 10 00 04" + std::string(12 * 3, ' ') + "  |....            |\n");
    const clitest::SResult tail = RunTolvar("dump " + Path("pmr.zcf") + " --from 0x19F0");
    ASSERT_EQ(tail.status, 0);
    EXPECT_NE(tail.out.find("|........VELK Inc|"), std::string::npos) << tail.out;
    const clitest::SResult whole = RunTolvar("dump " + Path("pmr.zcf"));
    EXPECT_EQ(std::count(whole.out.begin(), whole.out.end(), '\n'), 0x1A0);
}

TEST_F(FileCli, UsageErrorsAndHelp) {
    struct Case { std::string args; int status; } cases[] = {
        {"", 64},
        {"frobnicate", 64},
        {"new", 64},                          // -o is required
        {"dump x.zcf --from 0x30 --to 0x10", 64},
        {"dump x.zcf --to 0x2000", 64},
        {"dump x.zcf --from zz", 64},
        {"--help", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunTolvar(c.args).status, c.status) << c.args;
    EXPECT_NE(RunTolvar("new --help").out.find("--pmr"), std::string::npos);
}
