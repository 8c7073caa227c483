#include "Codecs.h"

#include "datamodel/Hex.h"

std::string DecodeText(const CEepromImage& image, uint32_t addr, uint32_t length) {
    std::string text;
    for (uint32_t i = 0; i < length; ++i) {
        const uint8_t b = image.GetByte(addr + i);
        text += kPlainText.Takes(static_cast<char>(b)) ? static_cast<char>(b) : ' ';
    }
    const auto end = text.find_last_not_of(' ');
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}

void EncodeText(CEepromImage& image, uint32_t addr, uint32_t length, const std::string& text) {
    for (uint32_t i = 0; i < length; ++i) {
        const char c = i < text.size() ? text[i] : ' ';
        image.SetByte(addr + i, static_cast<uint8_t>(kPlainText.Takes(c) ? c : ' '));
    }
}

int GetNibble(const CEepromImage& image, uint32_t addr, int n) {
    const uint8_t b = image.GetByte(addr + static_cast<uint32_t>(n / 2));
    return n % 2 == 0 ? b >> 4 : b & 0x0F;
}

void SetNibble(CEepromImage& image, uint32_t addr, int n, int value) {
    const uint32_t at = addr + static_cast<uint32_t>(n / 2);
    const int v = value < 0 ? 0 : (value > 15 ? 15 : value);
    const uint8_t b = image.GetByte(at);
    image.SetByte(at, static_cast<uint8_t>(n % 2 == 0 ? (b & 0x0F) | (v << 4) : (b & 0xF0) | v));
}

std::string NibblesToText(const CEepromImage& image, uint32_t addr, int count,
                          const char* table) {
    std::string text;
    for (int n = 0; n < count; ++n)
        text += table[GetNibble(image, addr, n)];
    return text;
}

int HexDigitValue(char c) {
    const int value = HexDigit(c);
    return value < 0 ? 0 : value;
}

void EncodeCode4(CEepromImage& image, uint32_t addr, const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (c == ' ' || c == '\t')
            continue;
        digits += c == '*' ? 'E' : (c == '#' ? 'F' : c);
    }
    for (int n = 0; n < static_cast<int>(kCode4Digits); ++n)
        SetNibble(image, addr, n,
                  n < static_cast<int>(digits.size())
                      ? HexDigitValue(digits[static_cast<size_t>(n)])
                      : 0);
}

std::string DecodeCode4(const CEepromImage& image, uint32_t addr, const char* table) {
    return NibblesToText(image, addr, static_cast<int>(kCode4Digits), table);
}
