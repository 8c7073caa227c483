// Runs the built tolvar program as a user would and captures what it prints.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <sys/types.h>

#include "support/TempFiles.h"

namespace clitest {

struct SResult {
    int status = -1; // exit status; -1 when the program did not exit normally
    std::string out, err;
};

// The program as a child process: standard input from /dev/null, TOLVAR_PORT unset
// (then env applied), standard output and error into files, or standard output into a
// pipe (for `simulate`, whose first line is its port).
class CChild {
public:
    CChild(const std::vector<std::string>& args, const std::string& outPath,
           const std::string& errPath, bool pipeOut = false,
           const std::vector<std::pair<std::string, std::string>>& env = {});
    ~CChild();
    CChild(const CChild&) = delete;
    CChild& operator=(const CChild&) = delete;

    // The first line on the output pipe; "" when none comes within 5 s.
    std::string FirstLine();
    void Signal(int signal);
    // Waits for the exit; the exit status, -1 when it did not exit normally.
    int Wait();

private:
    pid_t m_pid = -1;
    int m_out = -1;
    bool m_done = false;
};

// The program with these arguments (and environment), no shell in between.
// XDG_DATA_HOME is a folder removed afterwards unless env sets it.
SResult Tolvar(const std::vector<std::string>& args,
               const std::vector<std::pair<std::string, std::string>>& env = {});

// The lines of what it printed, without their ends.
std::vector<std::string> Lines(const std::string& text);

using testfiles::CTempDir;
using testfiles::ReadBytes;
using testfiles::WriteBytes;

} // namespace clitest
