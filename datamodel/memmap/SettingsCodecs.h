// Rows, codecs and node factories of the global settings tables. A codec serves
// the fields whose image form is not a plain byte, bit or word; it reads def.addr
// (and def.aux where noted) of its table row.
#pragma once

#include "datamodel/memmap/FieldTable.h"
#include "datamodel/nodes/NodeValue.h"
#include "datamodel/nodes/ValueNodes.h"

#include <utility>
#include <vector>

// Makes a node of class T and gives it the row's range and default.
template <class T>
CNode* MakeSettingNode(CTolvarRadioDataManager& manager, CNode* parent, const SFieldDef& def) {
    T* node = manager.Make<T>(parent, def.name);
    node->SetRange(def.value, def.def, def.min, def.max);
    for (const SOption& option : def.options)
        node->AddOption(option.value, option.text);
    return node;
}

namespace settings {

// The CW identification's characters; the encoder drops every other one.
inline constexpr SCharset kCwText{"A-Z 0-9, space and . , : ? ' - ( ) = / + \" *",
                                  " ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,:?'-()=/+\"*"};

inline const std::vector<SOption> kOffOn = {{"OFF", 0}, {"ON", 1}};
inline const std::vector<SOption> kInhibitEnable = {{"Inhibit", 0}, {"Enable", 1}};

// A byte holding the value; values above max read as max.
inline SFieldDef ByteRow(const char* name, uint32_t addr, int max = 255) {
    return {.name = name, .max = max, .bind = EBind::Byte, .addr = addr, .cap = max};
}
// A 16-bit word, high byte first.
inline SFieldDef WordRow(const char* name, uint32_t addr, int max) {
    return {.name = name, .max = max, .bind = EBind::WordBE, .addr = addr, .cap = max};
}
inline SFieldDef BitRow(const char* name, uint32_t addr, int bit, std::vector<SOption> options = {},
                        int def = 0) {
    return {.name = name,
            .kind = EKind::Bit,
            .value = def,
            .def = def,
            .max = 1,
            .options = std::move(options),
            .bind = EBind::Bits,
            .addr = addr,
            .bit = bit};
}
// A field of the tree without a place in the image.
inline SFieldDef UnboundRow(const char* name, EKind kind, std::vector<SOption> options = {},
                            unsigned models = kModelsBoth) {
    return {.name = name,
            .kind = kind,
            .max = kind == EKind::Bit ? 1 : 255,
            .options = std::move(options),
            .models = models};
}
// A node of class T with the given value, default and range.
template <class T> SFieldDef NodeRow(const char* name, int def, int minimum, int maximum) {
    return {.name = name,
            .kind = EKind::Custom,
            .value = def,
            .def = def,
            .min = minimum,
            .max = maximum,
            .factory = &MakeSettingNode<T>};
}
// A field converted by its own codec.
inline SFieldDef CodecRow(SFieldDef row, uint32_t addr, FieldDecode decode, FieldEncode encode,
                          uint32_t aux = 0) {
    row.bind = EBind::Codec;
    row.addr = addr;
    row.decode = decode;
    row.encode = encode;
    row.aux = aux;
    return row;
}

// Builds a group named name under parent from the table and registers its
// conversions as the area.
void BuildSettingsGroup(CTolvarRadioDataManager& manager, CNode& parent, const char* name,
                        const FieldTable& table, EArea area);

// def.length bytes of text (comments).
void DecodeFixedText(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeFixedText(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// The opening text: def.length bytes, shown when bit 5 of 0x0D4 is set; encoding sets
// that bit when the text is not empty.
void DecodeOpeningText(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeOpeningText(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// Four hexadecimal digits in two bytes (user password).
void DecodeHexCode4(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
// Four DTMF digits in two bytes (alert telephone code).
void DecodeDtmfCode4(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeCode4(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// Scrambler group 1..4 in bits 1,0.
void DecodeScrmGrp(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeScrmGrp(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// Synchronous capture: bits 7,6 both set mean "Continuous".
void DecodeSyncCap(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeSyncCap(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// CW identification: up to def.length characters of the CW set, ended by 0xFF.
void DecodeCwText(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeCwText(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// Temperature t stored as the byte 170 - t.
void DecodeTemp(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeTemp(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// User CTCSS tone as its 16-bit generator divider, high byte first.
void DecodeUsrCtcss(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeUsrCtcss(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// Beep and CW tones as their 8-bit divider.
void DecodeBeep(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeBeep(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// IF offset: sign bit and seven BCD digits of kHz in four bytes.
void DecodeIfOffset(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeIfOffset(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// DTCS decode setting: byte 1..12 shown as 12..23.
void DecodeDtcsDec(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeDtcsDec(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// Front key function code, accepted only when the image's variant offers it.
void DecodeKeyCode(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeKeyCode(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);

// Whether the front key function code exists in the variant (0 LMR, 1 PMR).
bool KeyCodeAllowed(int code, int model);

} // namespace settings
