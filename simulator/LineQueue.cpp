#include "LineQueue.h"

#include <algorithm>

void CLineQueue::Push(const ByteVec& bytes, uint32_t speed, bool paced, Clock::time_point now) {
    Clock::time_point at = std::max(now, m_lineFree);
    const auto byteTime = std::chrono::duration_cast<Clock::duration>(
        std::chrono::nanoseconds(10'000'000'000) / std::max<uint32_t>(speed, 1));
    for (uint8_t b : bytes) {
        if (paced)
            at += byteTime;
        m_bytes.push_back({b, speed, at});
    }
    m_lineFree = at;
}

size_t CLineQueue::Take(uint8_t* out, size_t max, Clock::time_point now, uint32_t listenSpeed) {
    size_t n = 0;
    while (n < max && !m_bytes.empty() && m_bytes.front().arrival <= now) {
        const SByte b = m_bytes.front();
        m_bytes.pop_front();
        if (listenSpeed == 0 || b.speed == listenSpeed)
            out[n++] = b.value;
    }
    return n;
}

size_t CLineQueue::ReadyCount(Clock::time_point now) const {
    size_t n = 0;
    for (const SByte& b : m_bytes) {
        if (b.arrival > now)
            break;
        ++n;
    }
    return n;
}

std::optional<CLineQueue::Clock::time_point> CLineQueue::NextArrival() const {
    if (m_bytes.empty())
        return std::nullopt;
    return m_bytes.front().arrival;
}

void CLineQueue::Clear() {
    m_bytes.clear();
}
