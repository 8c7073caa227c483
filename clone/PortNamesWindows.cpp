#include "PortNames.h"

#include <cctype>

namespace {

constexpr int kMaxComNumber = 256;

} // namespace

int SystemComNumber(const std::string& name) {
    std::string text = name;
    if (!text.empty() && text.back() == ':')
        text.pop_back();
    if (text.size() < 4 || text.size() > 6)
        return 0;
    for (size_t i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != "COM"[i])
            return 0;
    if (text[3] == '0')
        return 0;
    int n = 0;
    for (size_t i = 3; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return 0;
        n = n * 10 + (text[i] - '0');
    }
    return n <= kMaxComNumber ? n : 0;
}

std::string DefaultComPath(int number) { return "COM" + std::to_string(number); }

std::string PortNameChoices() { return "COM1..COM256, SIM, or a device path such as \\\\.\\COM5"; }
