// Linux: /dev/serial/by-id links, /dev/ttyUSB*, /dev/ttyACM* and the /dev/ttyS* that
// are real ports (sysfs, or TIOCGSERIAL where sysfs does not tell).
#include "PortEnumeration.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

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
