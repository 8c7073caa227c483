// Port names: "COM1".."COM4" stand for device paths the user can change, "SIM" is the
// built-in simulated repeater, anything else is a device path used as it is.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "clone/SerialPort.h"

inline constexpr const char* kSimulatorPortName = "SIM";
inline constexpr int kComPortCount = 4;

// Device path behind "COM<n>" (n = 1..4; defaults /dev/ttyS0../dev/ttyS3). Shared by
// the whole program; out-of-range numbers are ignored (Get returns "").
void SetComPortPath(int number, const std::string& path);
std::string GetComPortPath(int number);
// Restores the default paths.
void ResetComPortPaths();

// 1..4 for "COM1".."COM4" (either case, an optional trailing ':'), else 0.
int ComPortNumber(const std::string& name);
bool IsSimulatorPort(const std::string& name);
// The device path a port name opens.
std::string ResolvePortPath(const std::string& name);

// A closed port of the backend the name selects; Open it with the same name.
std::unique_ptr<CSerialPort> CreatePort(const std::string& name);

struct SPortInfo {
    std::string path;   // what to give to CreatePort/Open
    std::string target; // the device it leads to (by-id links), else the path itself
    std::string kind;   // "usb", "acm", "serial", "by-id"
};

// Serial devices of this machine: /dev/serial/by-id links, /dev/ttyUSB*, /dev/ttyACM*
// and the /dev/ttyS* that are real ports. Sorted by path within each kind.
std::vector<SPortInfo> EnumeratePorts();
