// The port "SIM": a line to the program's one simulated repeater, whose image lives as
// long as the program. One SIM port can be open at a time.
#pragma once

#include <functional>

#include "clone/SerialPort.h"

class CSimulatedRepeater;

class CSimulatorPort : public CSerialPort {
public:
    ~CSimulatorPort() override;

    bool IsOpen() const override { return m_open; }
    void Close() override;
    bool Write(const uint8_t* data, size_t length) override;
    bool Read(uint8_t* buffer, size_t maxLength, size_t& count) override;
    bool WaitReadable(int timeoutMs) override;
    void Flush() override {}

    // Runs fn on the program's simulated repeater while holding its lock (to set its
    // image, faults or pacing, or to look at it).
    static void WithRepeater(const std::function<void(CSimulatedRepeater&)>& fn);

protected:
    bool OpenPort(const std::string& name, uint32_t speed, uint32_t bufferSize) override;

private:
    bool m_open = false;
};
