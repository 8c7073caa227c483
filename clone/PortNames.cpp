#include "PortNames.h"

#include <cctype>

namespace {

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

int ComPortNumber(const std::string& name) {
    std::string text = Upper(name);
    if (!text.empty() && text.back() == ':')
        text.pop_back();
    if (text.size() != 4 || text.rfind("COM", 0) != 0)
        return 0;
    const int n = text[3] - '0';
    return n >= 1 && n <= kComPortCount ? n : 0;
}

bool IsSimulatorPort(const std::string& name) { return Upper(name) == kSimulatorPortName; }

CPortSettings::CPortSettings() {
    for (int n = 1; n <= kComPortCount; ++n)
        m_paths[static_cast<size_t>(n - 1)] = DefaultComPath(n);
}

void CPortSettings::SetComPath(int number, const std::string& path) {
    if (number >= 1 && number <= kComPortCount)
        m_paths[static_cast<size_t>(number - 1)] = path;
}

std::string CPortSettings::ComPath(int number) const {
    if (number < 1 || number > kComPortCount)
        return {};
    return m_paths[static_cast<size_t>(number - 1)];
}

std::string CPortSettings::Resolve(const std::string& name) const {
    const int number = ComPortNumber(name);
    return number ? ComPath(number) : name;
}
