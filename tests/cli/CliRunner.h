// Runs the built tolvar program as a user would and captures what it prints.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "support/TempFiles.h"

namespace clitest {

struct SResult {
    int status = -1; // exit status; -1 when the program did not exit normally
    std::string out, err;
};

// The program as a child process: standard input from /dev/null, TOLVAR_PORT unset
// (then env applied), standard output and error into files, or standard output into a
// pipe (for `simulate`, whose first line is its port; not on Windows, which has no
// simulate). Each system has its own implementation file.
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
    // What the program printed as the tests compare it: Windows' CR LF line ends as LF.
    static std::string Text(const std::string& printed);

private:
    long long m_pid = -1;      // POSIX: the child
    int m_out = -1;            // POSIX: the output pipe
    void* m_process = nullptr; // Windows: the child
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
