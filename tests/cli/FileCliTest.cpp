// The data-file commands run as a user runs them: the built program on real files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

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

TEST_F(FileCli, NewWritesLoadableFactoryFiles) {
    ASSERT_EQ(RunTolvar("new -o " + Path("lmr.zcf")).status, 0);
    ASSERT_EQ(RunTolvar("new --pmr -o " + Path("pmr.zcf")).status, 0);
    const std::string lmr = Slurp(Path("lmr.zcf")), pmr = Slurp(Path("pmr.zcf"));
    EXPECT_EQ(lmr.substr(0, 10), "23680100\r\n");
    EXPECT_NE(lmr, pmr);
    for (const char* name : {"lmr.zcf", "pmr.zcf"}) {
        const clitest::SResult check = RunTolvar(std::string("check ") + Path(name));
        EXPECT_EQ(check.status, 0);
        EXPECT_EQ(check.out, "OK\n");
    }
    // Saving the same image again gives the same bytes.
    ASSERT_EQ(RunTolvar("new -o " + Path("again.zcf")).status, 0);
    EXPECT_EQ(Slurp(Path("again.zcf")), lmr);
}

TEST_F(FileCli, CheckReportsTheReadersResult) {
    struct Case { const char* content; const char* result; } cases[] = {
        {"23690100\r\n#\r\n", "MISMATCH_MODEL"},
        {"23680101\r\n#\r\n", "MISMATCH_REVISION"},
        {"hello\n", "FORMAT_ERROR"},
        {"23680100\n#\n1FFF02AABB\n", "DATA_OVERFLOW"},
    };
    for (const auto& c : cases) {
        clitest::WriteBytes(Path("bad.zcf"), c.content);
        const clitest::SResult run = RunTolvar("check " + Path("bad.zcf"));
        EXPECT_EQ(run.status, 2) << c.content;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.result);
    }
    const clitest::SResult missing = RunTolvar("check " + Path("missing.zcf"));
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("CANNOT_OPEN_FILE"), std::string::npos);
    EXPECT_NE(missing.err.find("No such file"), std::string::npos);
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
        {"new --help", 0},
        {"check --help", 0},
        {"dump --help", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunTolvar(c.args).status, c.status) << c.args;
    EXPECT_NE(RunTolvar("new --help").out.find("--pmr"), std::string::npos);
}

TEST_F(FileCli, NewIntoAnUnwritablePlaceFails) {
    const clitest::SResult run = RunTolvar("new -o " + Path("no/such/dir/x.zcf"));
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find("CANNOT_OPEN_FILE"), std::string::npos);
    EXPECT_FALSE(fs::exists(Path("no")));
}
