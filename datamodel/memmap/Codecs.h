// Small conversions shared by the field tables of several areas.
#pragma once

#include <cstdint>
#include <string>

#include "datamodel/EepromImage.h"

// Fixed-length texts (names, comments): bytes outside 0x20..0x7D read as spaces and
// trailing blanks are removed. Encoding replaces such characters by spaces, pads
// with spaces and writes exactly length bytes.
std::string DecodeText(const CEepromImage& image, uint32_t addr, uint32_t length);
void EncodeText(CEepromImage& image, uint32_t addr, uint32_t length, const std::string& text);

// Nibble n of the bytes starting at addr: even n the high nibble, odd n the low one.
int GetNibble(const CEepromImage& image, uint32_t addr, int n);
// Values above 15 become 15; negative values clear the nibble.
void SetNibble(CEepromImage& image, uint32_t addr, int n, int value);
// count nibbles from addr, each mapped through the 16-character table.
std::string NibblesToText(const CEepromImage& image, uint32_t addr, int count,
                          const char* table);

// Digit tables of the signalling codes.
inline constexpr const char* kDtmfDigits = "0123456789ABCD*#";
inline constexpr const char* kHexDigits = "0123456789ABCDEF";

// A fixed 4-digit code in 2 bytes (system codes, passwords): "*" counts as E and
// "#" as F, blanks are dropped, the first four characters are taken as hexadecimal
// digits (any other character counts as 0) and missing digits are 0.
void EncodeCode4(CEepromImage& image, uint32_t addr, const std::string& text);
std::string DecodeCode4(const CEepromImage& image, uint32_t addr, const char* table);

// The value of a hexadecimal digit character, 0 for any other character.
int HexDigitValue(char c);
