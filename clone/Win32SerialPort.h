// The serial port on Windows: a COM device opened exclusively, raw 8N1 without flow
// control, DTR low and RTS high; reads take what has arrived, waits block in the driver.
#pragma once

#include <cstdint>
#include <string>

#include "clone/PortNames.h"
#include "clone/SerialPort.h"

class CWin32SerialPort : public CSerialPort {
public:
    // settings: where "COM1".."COM4" lead.
    explicit CWin32SerialPort(CPortSettings settings = {}) : m_settings(std::move(settings)) {}
    ~CWin32SerialPort() override;

    bool IsOpen() const override { return m_handle != nullptr; }
    void Close() override;
    bool Write(const uint8_t* data, size_t length) override;
    bool Read(uint8_t* buffer, size_t maxLength, size_t& count) override;
    bool WaitReadable(int timeoutMs) override;
    void Flush() override;

    // The file name CreateFile opens for a port: "COM12" -> "\\.\COM12"; a name that
    // already starts with "\\" is kept.
    static std::string DeviceName(const std::string& path);
    // The message of a failed open: " not Open ", the port and the system's reason; a port
    // in use by another program says so.
    static std::string OpenFailureText(const std::string& path, unsigned long error);
    // The system's text for an error code, without its line end.
    static std::string SystemMessage(unsigned long error);

protected:
    bool OpenPort(const std::string& name, uint32_t speed, uint32_t bufferSize) override;

private:
    enum class EReadMode { Waiting, Immediate, Timed };
    bool SetReadMode(EReadMode mode, int timeoutMs = 0);
    void Fail(const char* text);

    CPortSettings m_settings;
    void* m_handle = nullptr; // HANDLE
    EReadMode m_mode = EReadMode::Waiting;
    int m_modeTimeoutMs = -1;
    // A byte WaitReadable took from the line, given out first by the next Read.
    bool m_hasAhead = false;
    uint8_t m_ahead = 0;
};
