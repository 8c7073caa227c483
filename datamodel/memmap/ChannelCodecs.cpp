#include "ChannelCodecs.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "datamodel/memmap/ChannelMap.h"
#include "datamodel/memmap/Codecs.h"
#include "datamodel/memmap/ToneCodes.h"
#include "datamodel/nodes/NodeValue.h"
#include "datamodel/nodes/ValueNodes.h"

namespace {

struct SBit {
    uint32_t offset; // from the record start
    int bit;
};

// A field spread over single bits: the bits form a raw index, most significant
// first; decode maps the index to the value, encode the value to the index.
struct SMapped {
    std::vector<SBit> bits;
    std::vector<int> decode;
    std::vector<int> encode;
};

// clang-format off
const SMapped kMapped[MapCount] = {
    // BasLogInOfL: bits 7..4 of +0x0C
    {{{0x0C, 7}, {0x0C, 6}, {0x0C, 5}, {0x0C, 4}},
     {0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 3},
     {0x0, 0xC, 0x3, 0xF}},
    // BasLogInOfP
    {{{0x0C, 7}, {0x0C, 6}, {0x0C, 5}, {0x0C, 4}},
     {0, 3, 5, 4, 3, 0, 0, 0, 2, 0, 7, 0, 1, 0, 8, 6},
     {0x0, 0xC, 0x8, 0x4, 0x3, 0x2, 0xF, 0xA, 0xE}},
    // RptLogInOf: bits 0, 2, 3 of +0x16
    {{{0x16, 0}, {0x16, 2}, {0x16, 3}},
     {0, 1, 2, 3, 4, 4, 4, 4},
     {0, 1, 2, 3, 4}},
    // Moni: +0x0B bit 6, +0x0C bit 3, +0x0D bits 4 and 5
    {{{0x0B, 6}, {0x0C, 3}, {0x0D, 4}, {0x0D, 5}},
     {0, 1, 2, 5, 0, 0, 3, 6, 0, 0, 0, 0, 0, 0, 4, 7},
     {0x0, 0x1, 0x2, 0x6, 0xE, 0x3, 0x7, 0xF}},
    // ScrmOn: value = 2 * bit 5 + bit 6 of +0x0E
    {{{0x0E, 5}, {0x0E, 6}}, {0, 1, 2, 2}, {0, 1, 2}},
    // Sel: value = 2 * bit 6 + bit 7 of +0x0D
    {{{0x0D, 6}, {0x0D, 7}}, {0, 1, 2, 2}, {0, 1, 2}},
    // IdPos: bits 7, 6 of +0x11: 01 BTM, 11 TOP, else OFF
    {{{0x11, 7}, {0x11, 6}}, {0, 1, 0, 2}, {0, 1, 3}},
};
// clang-format on

int Rx12(const CEepromImage& image, uint32_t addr) {
    return image.GetByte(addr) << 4 | image.GetByte(addr + 1) >> 4;
}
int Tx12(const CEepromImage& image, uint32_t addr) {
    return (image.GetByte(addr + 1) & 0x0F) << 8 | image.GetByte(addr + 2);
}

int CapOf(const SFieldDef& def, int value) {
    return std::clamp(value, 0, def.cap);
}

// Channel number of a record base; the name area runs parallel to the records.
uint32_t NameAddrOf(uint32_t base) {
    return kChannelNameBase + kChannelNameSize * ((base - kChannelRecordBase) / kChannelRecordSize);
}

} // namespace

void DecodeChOn(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef&) {
    node.SetValue(image.GetByte(base) != 0xFF ? 1 : 0);
}

void DecodeInhCh(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef&) {
    const uint8_t b = image.GetByte(base);
    node.SetValue(b == 0xFF ? 0 : b >> 7);
}

void EncodeInhCh(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef&) {
    image.SetBit(base, 7, node.GetValue() != 0);
}

void DecodeBcdFreq(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    long long khz = 0;
    for (uint32_t i = 0; i < 4; ++i) {
        const int b = image.GetByte(base + def.addr + i) & (i == 0 ? 0x7F : 0xFF);
        const int high = b >> 4, low = b & 0x0F;
        if (high > 9 || low > 9) {
            node.SetValue(0);
            return;
        }
        khz = khz * 100 + high * 10 + low;
    }
    // Exact in 64 bits, then clamped by the node; nothing wraps.
    node.SetValue(static_cast<int>(std::min<long long>(khz * 1000, INT_MAX)));
}

void EncodeBcdFreq(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    int khz = std::max(node.GetValue(), 0) / 1000;
    uint8_t bytes[4];
    for (int i = 3; i >= 0; --i) {
        const int pair = khz % 100;
        khz /= 100;
        bytes[i] = static_cast<uint8_t>((pair / 10) << 4 | pair % 10);
    }
    const uint32_t addr = base + def.addr;
    bytes[0] = static_cast<uint8_t>((bytes[0] & 0x7F) | (image.GetByte(addr) & 0x80));
    image.Write(addr, bytes, 4);
}

void DecodeRxTone(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue(DecodeToneCode(Rx12(image, base + def.addr), def.aux != 0));
}

void EncodeRxTone(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const uint32_t addr = base + def.addr;
    const int code = EncodeToneCode(node.GetValue(), def.aux != 0);
    image.SetByte(addr, static_cast<uint8_t>(code >> 4));
    image.SetByte(addr + 1,
                  static_cast<uint8_t>((code & 0x0F) << 4 | (image.GetByte(addr + 1) & 0x0F)));
}

void DecodeTxTone(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue(DecodeToneCode(Tx12(image, base + def.addr), false));
}

void EncodeTxTone(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const uint32_t addr = base + def.addr;
    const int code = EncodeToneCode(node.GetValue(), false);
    image.SetByte(addr + 1, static_cast<uint8_t>((image.GetByte(addr + 1) & 0xF0) | code >> 8));
    image.SetByte(addr + 2, static_cast<uint8_t>(code & 0xFF));
}

void DecodeChName(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const bool present = image.GetBit(base + def.addr, def.bit) != 0;
    node.SetText(present ? DecodeText(image, NameAddrOf(base), kChannelNameSize) : "");
}

void EncodeChName(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    std::string text = node.GetText();
    text.erase(text.find_last_not_of(" \t\r\n") + 1);
    EncodeText(image, NameAddrOf(base), kChannelNameSize, text);
    image.SetBit(base + def.addr, def.bit, !text.empty());
}

void DecodeMapped(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const SMapped& map = kMapped[def.aux];
    size_t index = 0;
    for (const SBit& b : map.bits)
        index = index << 1 | static_cast<size_t>(image.GetBit(base + b.offset, b.bit));
    node.SetValue(CapOf(def, map.decode[index]));
}

void EncodeMapped(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const SMapped& map = kMapped[def.aux];
    const int last = static_cast<int>(map.encode.size()) - 1;
    const int raw = map.encode[static_cast<size_t>(std::clamp(node.GetValue(), 0, last))];
    const int count = static_cast<int>(map.bits.size());
    for (int i = 0; i < count; ++i) {
        const SBit& b = map.bits[static_cast<size_t>(i)];
        image.SetBit(base + b.offset, b.bit, raw >> (count - 1 - i) & 1);
    }
}

void DecodeRfPwr(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue(GetBits(image, base + def.addr, 1, 2) == 1 ? 1 : 0);
}

void EncodeRfPwr(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    SetBits(image, base + def.addr, 1, 2, node.GetValue() > 0 ? 0x1 : 0x3);
}

void DecodeAutoReset(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const uint32_t addr = base + def.addr;
    node.SetValue(CapOf(def, (1 - image.GetBit(addr, 1)) + 2 * image.GetBit(addr, 0)));
}

void EncodeAutoReset(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const uint32_t addr = base + def.addr;
    const int value = CapOf(def, node.GetValue());
    image.SetBit(addr, 0, value >= 2);
    image.SetBit(addr, 1, value % 2 == 0);
}

void DecodeCappedByte(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue(CapOf(def, image.GetByte(base + def.addr)));
}

void Encode2Ton(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const int value = CapOf(def, node.GetValue());
    image.SetByte(base + def.addr, static_cast<uint8_t>(value));
    const int on = value != 0;
    image.SetBit(base + 0x0D, 3, on); // Call
    image.SetBit(base + 0x0D, 2, on); // PTT
    image.SetBit(base + 0x0C, 0, on); // Mute
}

void DecodePrioA(CNode& node, const CEepromImage& image, uint32_t, const SFieldDef& def) {
    node.SetValue(std::min<int>(image.GetByte(def.addr), 31) + 1);
}

void EncodePrioA(const CNode& node, CEepromImage& image, uint32_t, const SFieldDef& def) {
    image.SetByte(def.addr, static_cast<uint8_t>(std::clamp(node.GetValue(), 1, 32) - 1));
}

// "Emr": byte at addr, flag bit 5 of the byte at aux.
void DecodeEmr(CNode& node, const CEepromImage& image, uint32_t, const SFieldDef& def) {
    node.SetValue(image.GetBit(def.aux, 5) ? image.GetByte(def.addr) + 1 : 0);
}

void EncodeEmr(const CNode& node, CEepromImage& image, uint32_t, const SFieldDef& def) {
    const int value = std::clamp(node.GetValue(), 0, 32);
    image.SetBit(def.aux, 5, value != 0);
    image.SetByte(def.addr, static_cast<uint8_t>(value == 0 ? 0 : value - 1));
}
