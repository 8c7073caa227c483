#include "support/LinePeer.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

CLinePeer::CLinePeer() {
    m_fd = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_fd < 0 || ::grantpt(m_fd) != 0 || ::unlockpt(m_fd) != 0 || !::ptsname(m_fd))
        m_missing = "no pseudo-terminal";
    else
        m_port = ::ptsname(m_fd);
}

CLinePeer::~CLinePeer() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool CLinePeer::Send(const std::vector<uint8_t>& bytes) {
    return ::write(m_fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::vector<uint8_t> CLinePeer::Receive(size_t expected, int timeoutMs) {
    std::vector<uint8_t> got;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got.size() < expected && std::chrono::steady_clock::now() < deadline) {
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, 100) > 0 && (p.revents & POLLIN)) {
            uint8_t buf[512];
            const ssize_t n = ::read(m_fd, buf, sizeof buf);
            if (n > 0)
                got.insert(got.end(), buf, buf + n);
        }
    }
    return got;
}

std::string CLinePeer::MissingPort() { return "/dev/tolvar-no-such-port"; }
std::string CLinePeer::NotAPort() { return "/dev/null"; }
bool CLinePeer::RefusesSecondOpen() { return true; }
