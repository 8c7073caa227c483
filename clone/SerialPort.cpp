#include "SerialPort.h"

#include <chrono>
#include <thread>

#include "clone/TransferMonitor.h"

bool CSerialPort::Open(const std::string& name, uint32_t speed, uint32_t bufferSize) {
    if (IsOpen())
        return true;
    m_name = name.substr(0, 255);
    m_speed = speed;
    if (!OpenPort(m_name, speed, bufferSize)) {
        Close();
        return false;
    }
    m_bufferSize = bufferSize;
    return true;
}

void CSerialPort::ReportError(const std::string& text, int) {
    if (m_monitor)
        m_monitor->PortError(text);
}

uint64_t CSteadyClock::NowMs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void CSteadyClock::SleepMs(int milliseconds) {
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
