// The far end of a serial line for the port tests, one implementation per system: the
// master side of a pseudo-terminal, or on Windows a second COM port wired to the one under
// test (TOLVAR_TEST_LINE="COM7,COM8": the port under test, then the far end; under Wine
// both lead to a linked pair of pseudo-terminals).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "clone/PortNames.h"
#include "clone/SerialPort.h"

class CLinePeer {
public:
    CLinePeer();
    ~CLinePeer();
    CLinePeer(const CLinePeer&) = delete;
    CLinePeer& operator=(const CLinePeer&) = delete;

    // Empty when the line is there, else why it is not.
    const std::string& Missing() const { return m_missing; }
    // What the port under test opens.
    const std::string& PortName() const { return m_port; }
    bool Send(const std::vector<uint8_t>& bytes);
    // What came from the port under test, until expected bytes or timeoutMs.
    std::vector<uint8_t> Receive(size_t expected, int timeoutMs);

    // A port name that opens nothing, and a device that is no serial port.
    static std::string MissingPort();
    static std::string NotAPort();
    // Whether the system refuses a second open of an open port (Wine does not).
    static bool RefusesSecondOpen();

private:
    std::string m_port;
    std::string m_missing;
    int m_fd = -1;             // POSIX: the master side
    void* m_handle = nullptr;  // Windows: the far end
};
