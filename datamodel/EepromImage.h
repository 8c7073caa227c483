// A byte image of the repeater's memory with forgiving access rules:
// reads outside give 0xFF / 0xFFFF / bit 1, writes outside are ignored.
#pragma once

#include <cstdint>
#include <vector>

class CEepromImage {
public:
    explicit CEepromImage(uint32_t size = 65536) : m_data(size, 0) {}

    uint32_t GetSize() const { return static_cast<uint32_t>(m_data.size()); }
    void Resize(uint32_t n) { m_data.assign(n, 0); }
    bool InRange(uint32_t addr) const { return addr < m_data.size(); }
    uint8_t GetByte(uint32_t addr) const { return InRange(addr) ? m_data[addr] : 0xFF; }
    void SetByte(uint32_t addr, uint8_t b) {
        if (InRange(addr))
            m_data[addr] = b;
    }
    bool Read(uint32_t addr, uint8_t* dst, uint32_t n) const;
    bool Write(uint32_t addr, const uint8_t* src, uint32_t n);
    uint16_t GetWord(uint32_t addr, bool bigEndian) const;
    void SetWord(uint32_t addr, uint16_t w, bool bigEndian);
    int GetBit(uint32_t addr, int bit) const;
    void SetBit(uint32_t addr, int bit, int v);
    void CopyFrom(const CEepromImage& other) { m_data = other.m_data; }

    const std::vector<uint8_t>& Bytes() const { return m_data; }
    bool operator==(const CEepromImage& other) const = default;

private:
    // Both ends of [addr, addr + n - 1] inside, without wrapping.
    bool SpanInRange(uint32_t addr, uint32_t n) const {
        return n > 0 && InRange(addr) && n - 1 < m_data.size() - addr;
    }
    std::vector<uint8_t> m_data;
};
