// The serial devices of this machine, for the port menu and `tolvar ports`. Each
// operating system has its own implementation file.
#pragma once

#include <string>
#include <vector>

struct SPortInfo {
    std::string path;   // the name to open
    std::string target; // the device it leads to (by-id links), else the path itself
    std::string kind;   // "usb", "acm", "serial", "by-id"
    std::string description; // Windows: the device's name, "USB Serial Port (COM5)"
};

// Serial devices, grouped by kind and sorted by path within each kind; on Windows the COM
// ports in number order (SetupAPI's COM port interface class, then the SERIALCOMM
// registry key for ports it does not list). Never throws.
std::vector<SPortInfo> EnumeratePorts();
