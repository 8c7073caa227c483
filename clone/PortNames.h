// Port names: "COM1".."COM4" stand for device paths the user can change, "SIM" is the
// built-in simulated repeater, anything else is a device path used as it is.
#pragma once

#include <array>
#include <string>

inline constexpr const char* kSimulatorPortName = "SIM";
inline constexpr int kComPortCount = 4;

// 1..4 for "COM1".."COM4" (either case, an optional trailing ':'), else 0.
int ComPortNumber(const std::string& name);
bool IsSimulatorPort(const std::string& name);

// The device paths behind "COM1".."COM4" (defaults /dev/ttyS0../dev/ttyS3). The
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
