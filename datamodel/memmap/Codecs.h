// Small conversions shared by the field tables of several areas.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "datamodel/EepromImage.h"
#include "datamodel/nodes/ValueNodes.h"

// The characters of plain texts (names, comments, the opening text): 0x20 .. 0x7D,
// every printable ASCII character but "~".
inline constexpr auto kPlainChars = [] {
    std::array<char, 0x7D - 0x20 + 1> chars{};
    for (size_t i = 0; i < chars.size(); ++i)
        chars[i] = static_cast<char>(0x20 + i);
    return chars;
}();
inline constexpr SCharset kPlainText{"A-Z a-z 0-9, space and the ASCII signs except ~",
                                     {kPlainChars.data(), kPlainChars.size()}};

// Fixed-length texts (names, comments): bytes outside the plain characters read as
// spaces and trailing blanks are removed. Encoding replaces such characters by
// spaces, pads with spaces and writes exactly length bytes.
std::string DecodeText(const CEepromImage& image, uint32_t addr, uint32_t length);
void EncodeText(CEepromImage& image, uint32_t addr, uint32_t length, const std::string& text);

// Nibble n of the bytes starting at addr: even n the high nibble, odd n the low one.
int GetNibble(const CEepromImage& image, uint32_t addr, int n);
// Values above 15 become 15; negative values clear the nibble.
void SetNibble(CEepromImage& image, uint32_t addr, int n, int value);
// count nibbles from addr, each mapped through the 16-character table.
std::string NibblesToText(const CEepromImage& image, uint32_t addr, int count,
                          const char* table);

// Digit tables of the signalling codes: the digit of each nibble value.
inline constexpr const char* kDtmfDigits = "0123456789ABCD*#";
inline constexpr const char* kHexDigits = "0123456789ABCDEF";
// The codes' texts hold exactly these digits; the encoders read "*" and "#" as E and
// F and other characters as hexadecimal digits, so they do not come back as typed.
inline constexpr SCharset kDtmfText{"0-9 A-D * #", kDtmfDigits};
inline constexpr SCharset kHexText{"0-9 A-F", kHexDigits};

inline constexpr uint32_t kCode4Digits = 4;
// A fixed 4-digit code in 2 bytes (system codes, passwords): "*" counts as E and
// "#" as F, blanks are dropped, the first four characters are taken as hexadecimal
// digits (any other character counts as 0) and missing digits are 0.
void EncodeCode4(CEepromImage& image, uint32_t addr, const std::string& text);
std::string DecodeCode4(const CEepromImage& image, uint32_t addr, const char* table);

// The value of a hexadecimal digit character, 0 for any other character.
int HexDigitValue(char c);
