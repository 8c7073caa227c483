// The serial devices of this machine, for the port menu and `tolvar ports`. Each
// operating system has its own implementation file.
#pragma once

#include <string>
#include <vector>

struct SPortInfo {
    std::string path;   // the name to open
    std::string target; // the device it leads to (by-id links), else the path itself
    std::string kind;   // "usb", "acm", "serial", "by-id"
};

// Serial devices, grouped by kind and sorted by path within each kind. Never throws.
std::vector<SPortInfo> EnumeratePorts();
