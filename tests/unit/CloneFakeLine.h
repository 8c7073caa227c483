// The far end of a cloning cable for the engine's tests: a test clock, a port whose
// bytes arrive at given moments, and a scripted reaction to every frame the PC sends.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "clone/Frame.h"
#include "clone/SerialPort.h"

inline ByteVec Bytes(const std::string& text) { return ByteVec(text.begin(), text.end()); }

// The model code and revision of this program's repeater, as frames carry them.
inline const ByteVec kModelRevision{0x23, 0x68, 0x01, 0x00};

// An identification answer with size information bytes of fill.
inline ByteVec Info(size_t size, uint8_t fill = 0x41) {
    ByteVec payload = kModelRevision;
    payload.insert(payload.end(), size, fill);
    return payload;
}

// The payload of a data record of 16 bytes at addr, each byte = value.
inline ByteVec Record(uint16_t addr, uint8_t value = 0x5A) {
    const ByteVec data(16, value);
    ByteVec payload;
    EncodeRecordPayload(FormatRecordLine(addr, data.data(), data.size()), payload);
    return payload;
}

// The frame bodies in a stream of bytes.
inline std::vector<ByteVec> FramesIn(const ByteVec& stream) {
    CFrameReceiver receiver;
    std::vector<ByteVec> frames;
    for (uint8_t b : stream)
        if (receiver.Feed(b))
            frames.push_back(receiver.Frame());
    return frames;
}

class CTestClock : public IClock {
public:
    uint64_t now = 1'000'000;
    uint64_t NowMs() override { return now; }
    void SleepMs(int ms) override { now += static_cast<uint64_t>(std::max(ms, 0)); }
};

struct SFakeLine {
    struct SPending {
        uint64_t at;
        uint8_t byte;
    };
    CTestClock clock;
    std::deque<SPending> toPc;
    std::vector<ByteVec> writes;  // every Write of the PC, raw
    std::vector<ByteVec> bodies;  // the frame bodies in them
    std::function<void(SFakeLine&, const ByteVec& body)> react;
    bool openFails = false;
    std::vector<uint32_t> openSpeeds;

    // Bytes that arrive delayMs from now.
    void Send(const ByteVec& bytes, uint64_t delayMs = 0) {
        for (uint8_t b : bytes)
            toPc.push_back({clock.now + delayMs, b});
    }
    void Echo(const ByteVec& body) { Send(BuildFrame(body)); }
    void Answer(uint8_t command, const ByteVec& payload, uint64_t delayMs = 0) {
        Send(BuildFrame(kAddrPc, kAddrRepeater, command, payload), delayMs);
    }
};

class CFakePort : public CSerialPort {
public:
    explicit CFakePort(SFakeLine& line) : m_line(line) {}
    bool IsOpen() const override { return m_open; }
    void Close() override { m_open = false; }
    bool Write(const uint8_t* data, size_t length) override {
        m_line.writes.emplace_back(data, data + length);
        for (size_t i = 0; i < length; ++i)
            if (m_receiver.Feed(data[i])) {
                m_line.bodies.push_back(m_receiver.Frame());
                if (m_line.react)
                    m_line.react(m_line, m_receiver.Frame());
            }
        return true;
    }
    bool Read(uint8_t* buffer, size_t maxLength, size_t& count) override {
        count = 0;
        while (count < std::min<size_t>(maxLength, 256) && !m_line.toPc.empty() &&
               m_line.toPc.front().at <= m_line.clock.now) {
            buffer[count++] = m_line.toPc.front().byte;
            m_line.toPc.pop_front();
        }
        return count > 0;
    }
    bool WaitReadable(int timeoutMs) override {
        const uint64_t until = m_line.clock.now + static_cast<uint64_t>(std::max(timeoutMs, 0));
        if (!m_line.toPc.empty() && m_line.toPc.front().at <= until) {
            m_line.clock.now = std::max(m_line.clock.now, m_line.toPc.front().at);
            return true;
        }
        m_line.clock.now = until;
        return false;
    }
    void Flush() override {}

protected:
    bool OpenPort(const std::string&, uint32_t speed, uint32_t) override {
        if (m_line.openFails) {
            ReportError(" not Open ", 2);
            return false;
        }
        m_line.openSpeeds.push_back(speed);
        m_open = true;
        return true;
    }

private:
    SFakeLine& m_line;
    CFrameReceiver m_receiver;
    bool m_open = false;
};
