// Hexadecimal digits, as the data files and the clone frames write them.
#pragma once

#include <string>

// The value of a hexadecimal digit (either case); -1 for any other character.
inline int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// value as exactly digits upper-case hexadecimal digits (the low ones).
inline std::string HexText(unsigned value, int digits) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text(static_cast<size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        text[static_cast<size_t>(i)] = kDigits[value & 0xF];
    return text;
}
