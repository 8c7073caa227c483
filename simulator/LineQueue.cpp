#include "LineQueue.h"

#include <algorithm>

void CLineQueue::Push(const ByteVec& bytes, uint32_t speed, bool paced, Clock::time_point now) {
    if (bytes.empty())
        return;
    const Clock::time_point start = std::max(now, m_lineFree);
    const auto byteTime = paced ? std::chrono::duration_cast<Clock::duration>(
                                      std::chrono::nanoseconds(10'000'000'000) /
                                      std::max<uint32_t>(speed, 1))
                                : Clock::duration::zero();
    SRun run{bytes, 0, speed, start + byteTime, byteTime};
    m_lineFree = run.ArrivalOf(bytes.size() - 1);
    m_runs.push_back(std::move(run));
}

size_t CLineQueue::SRun::ArrivedBy(Clock::time_point now) const {
    if (now < first)
        return taken;
    if (byteTime.count() <= 0 || now == Clock::time_point::max())
        return bytes.size();
    // Byte i arrives at first + i * byteTime.
    const auto since = static_cast<uint64_t>((now - first) / byteTime);
    return std::max(taken, static_cast<size_t>(std::min<uint64_t>(since + 1, bytes.size())));
}

size_t CLineQueue::Take(uint8_t* out, size_t max, Clock::time_point now, uint32_t listenSpeed) {
    size_t n = 0;
    while (n < max && !m_runs.empty()) {
        SRun& run = m_runs.front();
        // Bytes of this run that have arrived by now; those a listener hears are
        // limited to what out still holds, the others are dropped as they come.
        const bool heard = listenSpeed == 0 || run.speed == listenSpeed;
        const size_t room = heard ? max - n : run.bytes.size();
        const size_t end = std::min(run.taken + room, run.ArrivedBy(now));
        if (heard)
            n = std::copy(run.bytes.begin() + static_cast<std::ptrdiff_t>(run.taken),
                          run.bytes.begin() + static_cast<std::ptrdiff_t>(end), out + n) - out;
        run.taken = end;
        if (run.taken < run.bytes.size())
            break;
        m_runs.pop_front();
    }
    return n;
}

size_t CLineQueue::ReadyCount(Clock::time_point now) const {
    size_t n = 0;
    for (const SRun& run : m_runs) {
        const size_t arrived = run.ArrivedBy(now);
        n += arrived - run.taken;
        if (arrived < run.bytes.size())
            break;
    }
    return n;
}

std::optional<CLineQueue::Clock::time_point> CLineQueue::NextArrival() const {
    if (m_runs.empty())
        return std::nullopt;
    const SRun& run = m_runs.front();
    return run.ArrivalOf(run.taken);
}

void CLineQueue::Clear() {
    m_runs.clear();
}
