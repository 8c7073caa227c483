// Bytes on their way across the simulated line, each with the moment it has fully
// arrived (10 bits a byte at the line speed when paced) and the speed it was sent at.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

#include "clone/Frame.h"

class CLineQueue {
public:
    using Clock = std::chrono::steady_clock;

    // Queues bytes behind those already on the line.
    void Push(const ByteVec& bytes, uint32_t speed, bool paced, Clock::time_point now);
    // Moves up to max bytes that have arrived by now into out. A listener at another
    // speed than the sender's hears nothing of those bytes (listenSpeed 0 hears all).
    size_t Take(uint8_t* out, size_t max, Clock::time_point now, uint32_t listenSpeed = 0);
    // Bytes that have arrived by now (including those a listener would drop).
    size_t ReadyCount(Clock::time_point now) const;
    // When the next byte arrives; none when the line is idle.
    std::optional<Clock::time_point> NextArrival() const;
    void Clear();

private:
    // One Push: its bytes, how many of them have been taken, and when the first
    // arrives; each further byte of a paced run arrives one byte time later.
    struct SRun {
        ByteVec bytes;
        size_t taken = 0;
        uint32_t speed = 0;
        Clock::time_point first{};
        Clock::duration byteTime{};
        Clock::time_point ArrivalOf(size_t i) const {
            return first + byteTime * static_cast<Clock::rep>(i);
        }
        // How many of its bytes have arrived by now (never fewer than were taken).
        size_t ArrivedBy(Clock::time_point now) const;
    };
    std::deque<SRun> m_runs;
    Clock::time_point m_lineFree{};
};
