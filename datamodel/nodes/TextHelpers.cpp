#include "TextHelpers.h"

#include <cmath>
#include <cstdio>
#include <limits>

bool KeepChars(std::string& text, const std::string& allowed) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text)
        if (allowed.find(c) != std::string::npos)
            kept += c;
    const bool removed = kept.size() != text.size();
    text = std::move(kept);
    return removed;
}

bool KeepPrintable(std::string& text) {
    static const std::string printable = [] {
        std::string s;
        for (char c = ' '; c <= '~'; ++c)
            s += c;
        return s;
    }();
    return KeepChars(text, printable);
}

bool KeepNumeric(std::string& text) { return KeepChars(text, "0123456789."); }

bool LimitText(std::string& text, int maximum) {
    if (KeepPrintable(text))
        return true;
    static const std::string escapes = "%ABCDEFGHIJKLMNOP";
    std::string out;
    int count = 0;
    for (size_t i = 0; i < text.size();) {
        const bool pair = text[i] == '%' && i + 1 < text.size() &&
                          escapes.find(text[i + 1]) != std::string::npos;
        if (count + 1 > maximum) {
            text = out;
            return true;
        }
        out.append(text, i, pair ? 2 : 1);
        i += pair ? 2 : 1;
        ++count;
    }
    return false;
}

std::string FormatDecimals(std::string text, int decimals) {
    KeepNumeric(text);
    auto point = text.find('.');
    if (point == std::string::npos) {
        point = text.size();
        text += ".000000000000000000000";
    }
    if (decimals < 1)
        return text.substr(0, point);
    return text.substr(0, point + 1 + static_cast<size_t>(decimals));
}

long long RoundHalfAway(double x) { return static_cast<long long>(std::llround(x)); }

int ParseScaled(const std::string& text, int scale) {
    double number = 0;
    if (std::sscanf(text.c_str(), "%lf", &number) != 1 || !std::isfinite(number))
        number = 0;
    double tenfold = std::round(number * 10.0 * scale);
    const double lo = std::numeric_limits<int>::min();
    const double hi = std::numeric_limits<int>::max();
    tenfold = tenfold < lo ? lo : (tenfold > hi ? hi : tenfold);
    return static_cast<int>(static_cast<long long>(tenfold) / 10);
}

std::string CharacterAt(const std::string& text, size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead == ' ')
        return "a space";
    // The length of the sequence the byte starts; 0 for a byte that starts none.
    const size_t length = lead < 0x80   ? 1
                          : lead < 0xC0 ? 0
                          : lead < 0xE0 ? 2
                          : lead < 0xF0 ? 3
                          : lead < 0xF8 ? 4
                                        : 0;
    bool valid = length > 0 && i + length <= text.size();
    for (size_t k = 1; valid && k < length; ++k)
        valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    if (valid && lead >= 0x20 && lead != 0x7F)
        return text.substr(i, length);
    char hex[16];
    std::snprintf(hex, sizeof hex, "the byte 0x%02X", lead);
    return hex;
}
