#include "PortFactory.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <linux/serial.h>
#include <mutex>
#include <sys/ioctl.h>
#include <unistd.h>

#include "clone/PosixSerialPort.h"
#include "clone/SimulatorPort.h"

namespace {

std::mutex g_pathMutex;

std::array<std::string, kComPortCount> DefaultPaths() {
    return {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
}

std::array<std::string, kComPortCount>& Paths() {
    static std::array<std::string, kComPortCount> paths = DefaultPaths();
    return paths;
}

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// A /dev/ttyS* node is a real port when the driver reports a UART type (sysfs, or
// TIOCGSERIAL when sysfs does not tell), or when it opens and cannot be asked.
bool IsRealSerial(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    if (std::FILE* f = std::fopen(("/sys/class/tty/" + name + "/type").c_str(), "r")) {
        int type = 0;
        const bool read = std::fscanf(f, "%d", &type) == 1;
        std::fclose(f);
        if (read)
            return type != PORT_UNKNOWN;
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    serial_struct info{};
    const bool real = ::ioctl(fd, TIOCGSERIAL, &info) != 0 || info.type != PORT_UNKNOWN;
    ::close(fd);
    return real;
}

// The entries of a folder; a folder that cannot be read, or stops being readable, has
// no more entries (nothing is thrown).
std::vector<std::filesystem::path> FolderEntries(const char* folder) {
    std::vector<std::filesystem::path> entries;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec))
        entries.push_back(it->path());
    return entries;
}

void AddMatching(std::vector<SPortInfo>& ports, const std::string& prefix, const char* kind,
                 bool checkReal) {
    std::vector<SPortInfo> found;
    for (const auto& entry : FolderEntries("/dev")) {
        const std::string path = entry.string();
        if (path.rfind(prefix, 0) != 0 || path.size() == prefix.size())
            continue;
        if (checkReal && !IsRealSerial(path))
            continue;
        found.push_back({path, path, kind});
    }
    std::sort(found.begin(), found.end(),
              [](const SPortInfo& a, const SPortInfo& b) { return a.path < b.path; });
    ports.insert(ports.end(), found.begin(), found.end());
}

} // namespace

void SetComPortPath(int number, const std::string& path) {
    if (number < 1 || number > kComPortCount)
        return;
    std::lock_guard lock(g_pathMutex);
    Paths()[static_cast<size_t>(number - 1)] = path;
}

std::string GetComPortPath(int number) {
    if (number < 1 || number > kComPortCount)
        return {};
    std::lock_guard lock(g_pathMutex);
    return Paths()[static_cast<size_t>(number - 1)];
}

void ResetComPortPaths() {
    std::lock_guard lock(g_pathMutex);
    Paths() = DefaultPaths();
}

int ComPortNumber(const std::string& name) {
    std::string text = Upper(name);
    if (!text.empty() && text.back() == ':')
        text.pop_back();
    if (text.size() != 4 || text.rfind("COM", 0) != 0)
        return 0;
    const int n = text[3] - '0';
    return n >= 1 && n <= kComPortCount ? n : 0;
}

bool IsSimulatorPort(const std::string& name) {
    return Upper(name) == kSimulatorPortName;
}

std::string ResolvePortPath(const std::string& name) {
    const int number = ComPortNumber(name);
    return number ? GetComPortPath(number) : name;
}

std::unique_ptr<CSerialPort> CreatePort(const std::string& name) {
    if (IsSimulatorPort(name))
        return std::make_unique<CSimulatorPort>();
    return std::make_unique<CPosixSerialPort>();
}

std::vector<SPortInfo> EnumeratePorts() {
    std::vector<SPortInfo> ports;
    std::vector<SPortInfo> byId;
    for (const auto& entry : FolderEntries("/dev/serial/by-id")) {
        std::error_code ignored;
        const auto target = std::filesystem::canonical(entry, ignored);
        byId.push_back({entry.string(), ignored ? entry.string() : target.string(), "by-id"});
    }
    std::sort(byId.begin(), byId.end(),
              [](const SPortInfo& a, const SPortInfo& b) { return a.path < b.path; });
    ports.insert(ports.end(), byId.begin(), byId.end());
    AddMatching(ports, "/dev/ttyUSB", "usb", false);
    AddMatching(ports, "/dev/ttyACM", "acm", false);
    AddMatching(ports, "/dev/ttyS", "serial", true);
    return ports;
}
