#include "EepromImage.h"

#include <algorithm>

bool CEepromImage::Read(uint32_t addr, uint8_t* dst, uint32_t n) const {
    if (!SpanInRange(addr, n))
        return false;
    std::copy_n(m_data.begin() + addr, n, dst);
    return true;
}

bool CEepromImage::Write(uint32_t addr, const uint8_t* src, uint32_t n) {
    if (!SpanInRange(addr, n))
        return false;
    std::copy_n(src, n, m_data.begin() + addr);
    return true;
}

uint16_t CEepromImage::GetWord(uint32_t addr, bool bigEndian) const {
    if (!SpanInRange(addr, 2))
        return 0xFFFF;
    const uint16_t a = m_data[addr], b = m_data[addr + 1];
    return static_cast<uint16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
}

void CEepromImage::SetWord(uint32_t addr, uint16_t w, bool bigEndian) {
    if (!SpanInRange(addr, 2))
        return;
    const uint8_t hi = static_cast<uint8_t>(w >> 8), lo = static_cast<uint8_t>(w & 0xFF);
    m_data[addr] = bigEndian ? hi : lo;
    m_data[addr + 1] = bigEndian ? lo : hi;
}

int CEepromImage::GetBit(uint32_t addr, int bit) const {
    if (!InRange(addr) || bit < 0 || bit > 7)
        return 1;
    return (m_data[addr] >> bit) & 1;
}

void CEepromImage::SetBit(uint32_t addr, int bit, int v) {
    if (!InRange(addr) || bit < 0 || bit > 7)
        return;
    if (v)
        m_data[addr] = static_cast<uint8_t>(m_data[addr] | (1u << bit));
    else
        m_data[addr] = static_cast<uint8_t>(m_data[addr] & ~(1u << bit));
}
