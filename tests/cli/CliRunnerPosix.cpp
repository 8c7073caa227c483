#include "CliRunner.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace clitest {

CChild::CChild(const std::vector<std::string>& args, const std::string& outPath,
               const std::string& errPath, bool pipeOut,
               const std::vector<std::pair<std::string, std::string>>& env) {
    int pipeFds[2] = {-1, -1};
    if (pipeOut && ::pipe(pipeFds) != 0)
        return;
    m_pid = ::fork();
    if (m_pid == 0) {
        const int in = ::open("/dev/null", O_RDONLY);
        const int out = pipeOut ? pipeFds[1]
                                : ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(in, STDIN_FILENO);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::unsetenv("TOLVAR_PORT");
        for (const auto& [name, value] : env)
            ::setenv(name.c_str(), value.c_str(), 1);
        std::vector<std::string> all{TOLVAR_BIN};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& arg : all)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        ::execv(TOLVAR_BIN, argv.data());
        ::_exit(127);
    }
    if (pipeOut) {
        ::close(pipeFds[1]);
        m_out = pipeFds[0];
    }
}

CChild::~CChild() {
    if (m_pid > 0 && !m_done) {
        ::kill(static_cast<pid_t>(m_pid), SIGKILL);
        Wait();
    }
    if (m_out >= 0)
        ::close(m_out);
}

std::string CChild::FirstLine() {
    using namespace std::chrono_literals;
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd p{m_out, POLLIN, 0};
        char c;
        if (::poll(&p, 1, 100) <= 0)
            continue;
        if (::read(m_out, &c, 1) != 1 || c == '\n')
            break;
        line += c;
    }
    return line;
}

void CChild::Signal(int signal) { ::kill(static_cast<pid_t>(m_pid), signal); }

std::string CChild::Text(const std::string& printed) { return printed; }

int CChild::Wait() {
    int status = 0;
    while (::waitpid(static_cast<pid_t>(m_pid), &status, 0) < 0 && errno == EINTR) {
    }
    m_done = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace clitest
