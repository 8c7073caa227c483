// Codecs of the irregular channel and multiple-tone fields (FieldTable rows with
// EBind::Codec). The base is the channel record, or the multiple-tone entry.
#pragma once

#include "datamodel/memmap/FieldTable.h"

// Channel in use: the first record byte is not 0xFF. Nothing is encoded.
void DecodeChOn(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
// Channel inhibit: bit 7 of the first byte, 0 for a blank record.
void DecodeInhCh(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeInhCh(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// Eight BCD digits of kHz at addr, bit 7 of the first byte left out (and kept).
void DecodeBcdFreq(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeBcdFreq(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// 12-bit tone codes in the 3 bytes at addr: receive first, transmit last.
// aux 1: the receive code knows "Multi".
void DecodeRxTone(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeRxTone(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
void DecodeTxTone(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeTxTone(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// The channel name, present when bit 2 of the byte at addr is set.
void DecodeChName(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeChName(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// A byte (or bit group) through a table: the decode table maps the raw value to
// the field value, the encode table the field value (capped) to the raw value.
// The raw value is assembled from the bit list of the row's aux (see the .cpp).
void DecodeMapped(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeMapped(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// Power: bits 1,0 = 01 is High (1), anything else Low (0); written as 11 or 01.
void DecodeRfPwr(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeRfPwr(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// Automatic reset: value = (1 - bit 1) + 2 * bit 0.
void DecodeAutoReset(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeAutoReset(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// LMR 2Tone channel: the byte, plus the Call, PTT and Mute bits set when it is on.
void Encode2Ton(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
void DecodeCappedByte(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
// "PrioA" (1..32 from the byte + 1) and "Emr" (0 or the byte + 1, with a flag bit).
void DecodePrioA(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodePrioA(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
void DecodeEmr(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeEmr(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);

// The bit lists and value maps of the table-mapped fields.
enum EMappedField : uint32_t {
    MapBasLogInOfL,
    MapBasLogInOfP,
    MapRptLogInOf,
    MapMoni,
    MapScrmOn,
    MapSel,
    MapIdPos,
    MapCount
};
