// Describing fields once: a table row gives a node's name, class, range, option
// texts and image binding. Building, decoding, encoding and export walk the rows.
#pragma once

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "datamodel/EepromImage.h"
#include "datamodel/memmap/RadioDataManager.h"

class CNode;
class INumberCodes;
struct SCharset;
struct SFieldDef;

struct SOption {
    const char* text;
    int value;
};

enum class EKind : uint8_t { Num, Bit, String, Custom };

// How a field sits in the image. Addresses are relative to the base address the
// table is decoded at (0 for global settings, the record start for records).
enum class EBind : uint8_t {
    None,   // in the tree only
    Byte,   // byte at addr
    Bits,   // bits bit .. bit - width + 1 of the byte at addr, as an unsigned number
    WordBE, // 16-bit word at addr, high byte first
    Codec,  // the row's own decode and encode functions
};

using FieldDecode = void (*)(CNode& node, const CEepromImage& image, uint32_t base,
                             const SFieldDef& def);
using FieldEncode = void (*)(const CNode& node, CEepromImage& image, uint32_t base,
                             const SFieldDef& def);
using NodeFactory = CNode* (*)(CTolvarRadioDataManager& manager, CNode* parent,
                               const SFieldDef& def);

struct SFieldDef {
    const char* name;
    EKind kind = EKind::Num;
    int value = 0, def = 0, min = 0, max = 255;
    std::vector<SOption> options = {};
    EBind bind = EBind::None;
    uint32_t addr = 0;
    int bit = 7;           // Bits: the highest bit of the group
    int width = 1;         // Bits: the number of bits
    int cap = INT_MAX;     // decoded values above cap become cap; encoding writes at most cap
    FieldDecode decode = nullptr;
    FieldEncode encode = nullptr;
    unsigned models = kModelsBoth;  // the variants the field means something for
    NodeFactory factory = nullptr;  // EKind::Custom: makes the node
    uint32_t aux = 0;               // free for a codec (a second address, a length)
    const INumberCodes* codes = nullptr; // Num: texts beside the options (tone codes)
    // String: what the image keeps, at most length characters (exactly, when fixed)
    // of the set. The codecs of fixed-length texts write length bytes.
    uint32_t length = 0;
    const SCharset* charset = nullptr;
    bool fixed = false;
};

// A text field of length characters at most (exactly, when fixed) of the set.
inline SFieldDef TextRow(const char* name, uint32_t length, const SCharset& charset,
                         bool fixed = false) {
    return {.name = name, .kind = EKind::String, .length = length, .charset = &charset,
            .fixed = fixed};
}

using FieldTable = std::vector<SFieldDef>;

// Options "first" .. for values from .. to as decimal texts ("1" .. "32").
std::vector<SOption> NumberOptions(int from, int to, std::vector<SOption> before = {});

CNode* BuildField(CTolvarRadioDataManager& manager, CNode& parent, const SFieldDef& def);
void BuildFields(CTolvarRadioDataManager& manager, CNode& parent, const FieldTable& table);

// Rows bound to the image only; rows of the other variant are decoded too.
void DecodeField(CNode& node, const SFieldDef& def, const CEepromImage& image, uint32_t base);
void EncodeField(const CNode& node, const SFieldDef& def, CEepromImage& image, uint32_t base);
void DecodeFields(CNode& parent, const FieldTable& table, const CEepromImage& image,
                  uint32_t base = 0);
// Encodes the rows meant for the model.
void EncodeFields(const CNode& parent, const FieldTable& table, CEepromImage& image, int model,
                  uint32_t base = 0);

// Bit-group helpers for codecs.
int GetBits(const CEepromImage& image, uint32_t addr, int highBit, int width);
void SetBits(CEepromImage& image, uint32_t addr, int highBit, int width, int value);
