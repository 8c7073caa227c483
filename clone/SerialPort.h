// The thin port the clone transfer engine talks through. Backends: a POSIX serial
// device, the in-process simulator link, and the fakes of the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class ITransferMonitor;

class CSerialPort {
public:
    virtual ~CSerialPort() = default;

    uint32_t GetBufferSize() const { return m_bufferSize; }
    const std::string& GetName() const { return m_name; }
    uint32_t GetSpeed() const { return m_speed; }
    // Already open: true, nothing changes. Otherwise OpenPort; on failure Close.
    bool Open(const std::string& name, uint32_t speed, uint32_t bufferSize);
    virtual bool IsOpen() const = 0;
    virtual void Close() = 0;
    // Writes the whole buffer.
    virtual bool Write(const uint8_t* data, size_t length) = 0;
    // Reads what has arrived (at most 256 bytes), without waiting; false when nothing.
    virtual bool Read(uint8_t* buffer, size_t maxLength, size_t& count) = 0;
    // Waits up to timeoutMs for input; true when some is waiting. Never spins.
    virtual bool WaitReadable(int timeoutMs) = 0;
    virtual void Flush() = 0;

    // Where port failures are reported; none: not shown.
    void SetMonitor(ITransferMonitor* monitor) { m_monitor = monitor; }

protected:
    // The platform sequence; reports its own failures through ReportError.
    virtual bool OpenPort(const std::string& name, uint32_t speed, uint32_t bufferSize) = 0;
    virtual void ReportError(const std::string& text, int code);

    std::string m_name = "COM1:";
    uint32_t m_speed = 9600;
    uint32_t m_bufferSize = 0;
    ITransferMonitor* m_monitor = nullptr;
};

// Time and sleeps of the transfer engine, so tests of time-outs run fast.
class IClock {
public:
    virtual ~IClock() = default;
    virtual uint64_t NowMs() = 0;
    virtual void SleepMs(int milliseconds) = 0;
};

class CSteadyClock : public IClock {
public:
    uint64_t NowMs() override;
    void SleepMs(int milliseconds) override;
};
