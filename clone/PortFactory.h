// Makes the port a clone run opens: "SIM" through the hook its owner installs (the
// simulator sits above this layer), any other name as a serial device.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "clone/PortNames.h"
#include "clone/SerialPort.h"

using PortMaker = std::function<std::unique_ptr<CSerialPort>(const std::string& name)>;

// A closed serial port of this operating system (termios, or Win32 on Windows).
std::unique_ptr<CSerialPort> MakeSystemSerialPort(const CPortSettings& settings);
// The message of a port that another user holds, as this system's port gives it.
std::string PortInUseText(const std::string& name);

class CPortFactory {
public:
    virtual ~CPortFactory() = default;

    void SetSettings(const CPortSettings& settings);
    CPortSettings Settings() const;
    void SetSimulatorMaker(PortMaker maker);

    // A closed port of the backend the name selects (open it with the same name);
    // null for "SIM" when no simulator is attached. Safe on any thread.
    std::unique_ptr<CSerialPort> Create(const std::string& name) const;
    // A maker for the transfer engine that asks this factory (which must outlive it).
    PortMaker Maker() const;

private:
    mutable std::mutex m_mutex;
    CPortSettings m_settings;
    PortMaker m_simulator;
};
