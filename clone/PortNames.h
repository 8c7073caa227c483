// Port names: "COM1".."COM4" stand for device paths the user can change, "SIM" is the
// built-in simulated repeater, anything else is a device path used as it is. On Windows
// every "COMn" is also a port of the system (PortNamesWindows.cpp; PortNamesPosix.cpp
// elsewhere).
#pragma once

#include <array>
#include <string>

inline constexpr const char* kSimulatorPortName = "SIM";
inline constexpr int kComPortCount = 4;

// 1..4 for "COM1".."COM4" (either case, an optional trailing ':'), else 0.
int ComPortNumber(const std::string& name);
bool IsSimulatorPort(const std::string& name);
// n for a "COMn" that names a serial port of the system itself: on Windows COM1..COM256;
// elsewhere there are none (0).
int SystemComNumber(const std::string& name);
// What COM1..COM4 open until the user changes it: /dev/ttyS0../dev/ttyS3, or on Windows
// the COM port of that number.
std::string DefaultComPath(int number);
// The port names a user may give, for messages: "COM1..COM4, SIM, or a device path such
// as /dev/ttyUSB0".
std::string PortNameChoices();

// The device paths behind "COM1".."COM4" (defaults: DefaultComPath). The
// desktop program fills them from its profile; a copy goes with every port opened.
class CPortSettings {
public:
    CPortSettings();
    // Out-of-range numbers are ignored (ComPath returns "").
    void SetComPath(int number, const std::string& path);
    std::string ComPath(int number) const;
    // The device path a port name opens.
    std::string Resolve(const std::string& name) const;

private:
    std::array<std::string, kComPortCount> m_paths;
};
