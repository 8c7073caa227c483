#include "SimulatorPort.h"

#include <algorithm>
#include <cerrno>

#include "clone/PortFactory.h"

namespace {

constexpr size_t kMaxRead = 256;

} // namespace

CSimulatorPort::~CSimulatorPort() {
    Close();
}

void CSimulatorLink::WithRepeater(const std::function<void(CSimulatedRepeater&)>& fn) {
    std::lock_guard lock(m_mutex);
    fn(m_repeater);
    m_arrived.notify_all();
}

bool CSimulatorPort::OpenPort(const std::string& name, uint32_t, uint32_t) {
    CSimulatorLink& link = m_link;
    std::unique_lock lock(link.m_mutex);
    if (link.m_portOpen) {
        lock.unlock();
        ReportError(PortInUseText(name), EBUSY);
        return false;
    }
    link.m_portOpen = true;
    link.m_repeater.Output().Clear();
    m_open = true;
    return true;
}

void CSimulatorPort::Close() {
    if (!m_open)
        return;
    CSimulatorLink& link = m_link;
    std::lock_guard lock(link.m_mutex);
    link.m_repeater.Output().Clear();
    link.m_portOpen = false;
    m_open = false;
}

bool CSimulatorPort::Write(const uint8_t* data, size_t length) {
    if (!m_open)
        return false;
    CSimulatorLink& link = m_link;
    std::lock_guard lock(link.m_mutex);
    link.m_repeater.Receive(data, length, m_speed, CSimulatedRepeater::Clock::now());
    link.m_arrived.notify_all();
    return true;
}

bool CSimulatorPort::Read(uint8_t* buffer, size_t maxLength, size_t& count) {
    count = 0;
    if (!m_open)
        return false;
    CSimulatorLink& link = m_link;
    std::lock_guard lock(link.m_mutex);
    CLineQueue& line = link.m_repeater.Output();
    const auto now = CSimulatedRepeater::Clock::now();
    const size_t n = std::min({maxLength, line.ReadyCount(now), kMaxRead});
    if (n == 0)
        return false;
    count = line.Take(buffer, n, now, m_speed);
    return count > 0;
}

bool CSimulatorPort::WaitReadable(int timeoutMs) {
    if (!m_open)
        return false;
    using Clock = CSimulatedRepeater::Clock;
    CSimulatorLink& link = m_link;
    std::unique_lock lock(link.m_mutex);
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    for (;;) {
        const auto now = Clock::now();
        CLineQueue& line = link.m_repeater.Output();
        if (line.ReadyCount(now) > 0)
            return true;
        if (now >= deadline)
            return false;
        const auto next = line.NextArrival();
        link.m_arrived.wait_until(lock, next ? std::min(*next, deadline) : deadline);
    }
}
