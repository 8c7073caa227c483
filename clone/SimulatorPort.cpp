#include "SimulatorPort.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <mutex>

#include "clone/PosixSerialPort.h"
#include "simulator/SimulatedRepeater.h"

namespace {

constexpr size_t kMaxRead = 256;

struct SLink {
    std::mutex mutex;
    std::condition_variable arrived;
    CSimulatedRepeater repeater;
    bool portOpen = false;
};

SLink& Link() {
    static SLink link;
    return link;
}

} // namespace

CSimulatorPort::~CSimulatorPort() {
    Close();
}

void CSimulatorPort::WithRepeater(const std::function<void(CSimulatedRepeater&)>& fn) {
    SLink& link = Link();
    std::lock_guard lock(link.mutex);
    fn(link.repeater);
    link.arrived.notify_all();
}

bool CSimulatorPort::OpenPort(const std::string& name, uint32_t, uint32_t) {
    SLink& link = Link();
    std::unique_lock lock(link.mutex);
    if (link.portOpen) {
        lock.unlock();
        ReportError(CPosixSerialPort::OpenFailureText(name, EBUSY), EBUSY);
        return false;
    }
    link.portOpen = true;
    link.repeater.Output().Clear();
    m_open = true;
    return true;
}

void CSimulatorPort::Close() {
    if (!m_open)
        return;
    SLink& link = Link();
    std::lock_guard lock(link.mutex);
    link.repeater.Output().Clear();
    link.portOpen = false;
    m_open = false;
}

bool CSimulatorPort::Write(const uint8_t* data, size_t length) {
    if (!m_open)
        return false;
    SLink& link = Link();
    std::lock_guard lock(link.mutex);
    link.repeater.Receive(data, length, m_speed, CSimulatedRepeater::Clock::now());
    link.arrived.notify_all();
    return true;
}

bool CSimulatorPort::Read(uint8_t* buffer, size_t maxLength, size_t& count) {
    count = 0;
    if (!m_open)
        return false;
    SLink& link = Link();
    std::lock_guard lock(link.mutex);
    CLineQueue& line = link.repeater.Output();
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
    SLink& link = Link();
    std::unique_lock lock(link.mutex);
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    for (;;) {
        const auto now = Clock::now();
        CLineQueue& line = link.repeater.Output();
        if (line.ReadyCount(now) > 0)
            return true;
        if (now >= deadline)
            return false;
        const auto next = line.NextArrival();
        link.arrived.wait_until(lock, next ? std::min(*next, deadline) : deadline);
    }
}
