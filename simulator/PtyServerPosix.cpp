#include "PtyServer.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kIdleWaitMs = 200;

std::string SystemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

CPtyServer::~CPtyServer() {
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool CPtyServer::Open(std::string& error) {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) {
        error = SystemError("posix_openpt");
        return false;
    }
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        error = SystemError("grantpt/unlockpt");
        return false;
    }
    const char* name = ::ptsname(m_master);
    if (!name) {
        error = SystemError("ptsname");
        return false;
    }
    m_slavePath = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        error = SystemError(name);
        return false;
    }
    // Raw until a client sets its own mode: no echo by the line discipline, no line editing.
    termios tio{};
    if (::tcgetattr(m_slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slave, TCSANOW, &tio);
    }
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    return true;
}

bool CPtyServer::Serve(const volatile std::sig_atomic_t& stop, std::string& error) {
    using Clock = CSimulatedRepeater::Clock;
    uint8_t buffer[4096];
    while (!stop) {
        auto now = Clock::now();
        CLineQueue& line = m_repeater.Output();
        // Move what has arrived on the simulated line into the send buffer.
        if (const size_t ready = line.ReadyCount(now)) {
            const size_t at = m_unsent.size();
            m_unsent.resize(at + ready);
            m_unsent.resize(at + line.Take(m_unsent.data() + at, ready, now));
        }
        int timeout = kIdleWaitMs;
        if (const auto next = line.NextArrival()) {
            const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - now).count();
            timeout = static_cast<int>(std::clamp<long long>(wait, 0, kIdleWaitMs));
        }
        pollfd p{m_master, static_cast<short>(POLLIN | (m_unsent.empty() ? 0 : POLLOUT)), 0};
        const int result = ::poll(&p, 1, timeout);
        if (result < 0) {
            if (errno == EINTR)
                continue;
            error = SystemError("poll");
            return false;
        }
        if (p.revents & POLLOUT) {
            const ssize_t n = ::write(m_master, m_unsent.data(), m_unsent.size());
            if (n > 0)
                m_unsent.erase(m_unsent.begin(), m_unsent.begin() + n);
        }
        if (p.revents & POLLIN) {
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n > 0)
                m_repeater.Receive(buffer, static_cast<size_t>(n), 0, Clock::now());
        }
    }
    return true;
}
