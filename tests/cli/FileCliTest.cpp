// The data-file commands run as a user runs them: the built program on real files.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct SRun {
    int status;
    std::string out, err;
};

SRun RunTolvar(const std::string& args) {
    const fs::path errFile = fs::temp_directory_path() / ("tolvar-err-" + std::to_string(::getpid()));
    const std::string command = std::string(TOLVAR_BIN) + " " + args + " 2>" + errFile.string();
    SRun run{-1, {}, {}};
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buf{};
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0)
        run.out.append(buf.data(), n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    std::stringstream s;
    s << err.rdbuf();
    run.err = s.str();
    fs::remove(errFile);
    return run;
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class FileCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tolvar-cli-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    fs::path dir;
};

} // namespace

TEST_F(FileCli, NewWritesLoadableFactoryFiles) {
    ASSERT_EQ(RunTolvar("new -o " + Path("lmr.zcf")).status, 0);
    ASSERT_EQ(RunTolvar("new --pmr -o " + Path("pmr.zcf")).status, 0);
    const std::string lmr = Slurp(Path("lmr.zcf")), pmr = Slurp(Path("pmr.zcf"));
    EXPECT_EQ(lmr.substr(0, 10), "23680100\r\n");
    EXPECT_NE(lmr, pmr);
    for (const char* name : {"lmr.zcf", "pmr.zcf"}) {
        const SRun check = RunTolvar(std::string("check ") + Path(name));
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
        std::ofstream(Path("bad.zcf"), std::ios::binary) << c.content;
        const SRun run = RunTolvar("check " + Path("bad.zcf"));
        EXPECT_EQ(run.status, 2) << c.content;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.result);
    }
    const SRun missing = RunTolvar("check " + Path("missing.zcf"));
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("CANNOT_OPEN_FILE"), std::string::npos);
    EXPECT_NE(missing.err.find("No such file"), std::string::npos);
}

TEST_F(FileCli, DumpShowsTheRequestedAddresses) {
    ASSERT_EQ(RunTolvar("new --pmr -o " + Path("pmr.zcf")).status, 0);
    const SRun run = RunTolvar("dump " + Path("pmr.zcf") + " --from 0xD0 --to 0xD3");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "00D0  00 10 00 04" + std::string(12 * 3, ' ') + "  |....            |\n");
    const SRun tail = RunTolvar("dump " + Path("pmr.zcf") + " --from 0x19F0");
    ASSERT_EQ(tail.status, 0);
    EXPECT_NE(tail.out.find("|........VELK Inc|"), std::string::npos) << tail.out;
    const SRun whole = RunTolvar("dump " + Path("pmr.zcf"));
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
    const SRun run = RunTolvar("new -o " + Path("no/such/dir/x.zcf"));
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find("CANNOT_OPEN_FILE"), std::string::npos);
    EXPECT_FALSE(fs::exists(Path("no")));
}
