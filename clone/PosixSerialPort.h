// The serial port on a POSIX terminal device (termios): raw 8N1, claimed exclusively,
// DTR low and RTS high, non-blocking reads of what has arrived.
#pragma once

#include "clone/PortNames.h"
#include "clone/SerialPort.h"

class CPosixSerialPort : public CSerialPort {
public:
    // settings: where "COM1".."COM4" lead.
    explicit CPosixSerialPort(CPortSettings settings = {}) : m_settings(std::move(settings)) {}
    ~CPosixSerialPort() override;

    bool IsOpen() const override { return m_fd >= 0; }
    void Close() override;
    bool Write(const uint8_t* data, size_t length) override;
    bool Read(uint8_t* buffer, size_t maxLength, size_t& count) override;
    bool WaitReadable(int timeoutMs) override;
    void Flush() override;

    // The message of a failed open: " not Open ", the system's reason and, for a
    // permission failure, how to get access.
    static std::string OpenFailureText(const std::string& path, int error);

protected:
    bool OpenPort(const std::string& name, uint32_t speed, uint32_t bufferSize) override;

private:
    CPortSettings m_settings;
    int m_fd = -1;
};
