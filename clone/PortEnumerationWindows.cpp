#include "PortEnumeration.h"

#include <algorithm>
#include <windows.h>
#include <setupapi.h>

#include "clone/PortNames.h"
#include "datafile/Utf16.h"

namespace {

// The COM port device interface class.
const GUID kComPortInterface = {
    0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};

std::string RegistryText(HKEY key, const wchar_t* name) {
    wchar_t value[256] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    return Utf8FromWide(value);
}

std::string DeviceProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
    wchar_t value[512] = {};
    if (!SetupDiGetDeviceRegistryPropertyW(set, &device, property, nullptr,
                                           reinterpret_cast<BYTE*>(value),
                                           sizeof value - sizeof(wchar_t), nullptr))
        return {};
    return Utf8FromWide(value); // the first string of a list
}

bool HasPort(const std::vector<SPortInfo>& ports, const std::string& name) {
    return std::any_of(ports.begin(), ports.end(),
                       [&](const SPortInfo& port) { return port.path == name; });
}

// The ports of the COM port interface class, with their names and whether USB.
void AddInterfacePorts(std::vector<SPortInfo>& ports) {
    const HDEVINFO set = SetupDiGetClassDevsW(&kComPortInterface, nullptr, nullptr,
                                              DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE)
        return;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &device); ++i) {
        const HKEY key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE)
            continue;
        const std::string name = RegistryText(key, L"PortName");
        RegCloseKey(key);
        if (!SystemComNumber(name) || HasPort(ports, name))
            continue;
        const std::string hardware = DeviceProperty(set, device, SPDRP_HARDWAREID);
        const bool usb = hardware.rfind("USB\\", 0) == 0 || hardware.rfind("FTDIBUS\\", 0) == 0;
        ports.push_back({name, name, usb ? "usb" : "serial",
                         DeviceProperty(set, device, SPDRP_FRIENDLYNAME)});
    }
    SetupDiDestroyDeviceInfoList(set);
}

// The SERIALCOMM key: every serial port a driver has named, listed or not.
void AddRegistryPorts(std::vector<SPortInfo>& ports) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return;
    for (DWORD i = 0;; ++i) {
        wchar_t device[256] = {};
        wchar_t value[256] = {};
        DWORD deviceLength = 255, size = sizeof value - sizeof(wchar_t), type = 0;
        if (RegEnumValueW(key, i, device, &deviceLength, nullptr, &type,
                          reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS)
            break;
        const std::string name = Utf8FromWide(value);
        if (type == REG_SZ && SystemComNumber(name) && !HasPort(ports, name))
            ports.push_back({name, name, "serial", Utf8FromWide(device)});
    }
    RegCloseKey(key);
}

} // namespace

std::vector<SPortInfo> EnumeratePorts() {
    std::vector<SPortInfo> ports;
    AddInterfacePorts(ports);
    AddRegistryPorts(ports);
    std::sort(ports.begin(), ports.end(), [](const SPortInfo& a, const SPortInfo& b) {
        return SystemComNumber(a.path) < SystemComNumber(b.path);
    });
    return ports;
}
