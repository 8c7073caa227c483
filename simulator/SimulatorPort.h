// The port "SIM": a line to a simulated repeater held by a link object. Whoever owns
// the link (a program, a test) decides how long the repeater and its image live; two
// links are two repeaters. One port can be open on a link at a time.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

#include "clone/SerialPort.h"
#include "simulator/SimulatedRepeater.h"

class CSimulatorLink {
public:
    // Runs fn on the repeater while holding its lock (to set its image, faults or
    // pacing, or to look at it). Any thread.
    void WithRepeater(const std::function<void(CSimulatedRepeater&)>& fn);

private:
    friend class CSimulatorPort;
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    CSimulatedRepeater m_repeater;
    bool m_portOpen = false;
};

class CSimulatorPort : public CSerialPort {
public:
    // The link must outlive the port.
    explicit CSimulatorPort(CSimulatorLink& link) : m_link(link) {}
    ~CSimulatorPort() override;

    bool IsOpen() const override { return m_open; }
    void Close() override;
    bool Write(const uint8_t* data, size_t length) override;
    bool Read(uint8_t* buffer, size_t maxLength, size_t& count) override;
    bool WaitReadable(int timeoutMs) override;
    void Flush() override {}

protected:
    bool OpenPort(const std::string& name, uint32_t speed, uint32_t bufferSize) override;

private:
    CSimulatorLink& m_link;
    bool m_open = false;
};
