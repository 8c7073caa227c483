// Codecs and table helpers shared by the DTMF, 2Tone and 5Tone field tables.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "datamodel/memmap/FieldTable.h"

// The rows with their models set. The rows are copied into a new table (a table
// built from a braced list in place triggered wrong code in optimised builds of
// the static tables).
FieldTable ForModels(std::initializer_list<SFieldDef> rows, unsigned models);
FieldTable ForModels(const FieldTable& table, unsigned models);
// The rows with the named ones taken off the image (kept in the tree only).
FieldTable Unbound(FieldTable table, std::initializer_list<const char*> names);
// A group node: its variants, no binding of its own.
CNode* MakeGroup(CTolvarRadioDataManager& manager, CNode* parent, const char* name,
                 unsigned models);

// Record names: ten bytes of plain text, present when a flag bit is set (as channel
// names).
inline constexpr uint32_t kRecordNameLength = 10;
std::string DecodeFlaggedName(const CEepromImage& image, uint32_t flagAddr, int flagBit,
                              uint32_t textAddr);
// An empty name writes ten spaces and clears the flag; any other sets it.
void EncodeFlaggedName(CEepromImage& image, uint32_t flagAddr, int flagBit, uint32_t textAddr,
                       const std::string& text);

// Timers kept even: clamped to the row's range and rounded up to an even number,
// both ways. Byte at addr.
int EvenTimer(int value, const SFieldDef& def);
void DecodeEvenTimer(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeEvenTimer(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);

// Beep codes in bits bit .. bit - width + 1 at addr: "Null" is code 4, "OFF" .. "PiRo(single)"
// codes 0 .. 3, the repeat beeps 5 .. 7, "Emer" 11 (in a 4-bit field only).
int BeepValue(int code);
int BeepCode(int value, int width);
void DecodeBeep(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeBeep(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);

std::vector<SOption> BeepOptions(bool withEmer);

// Automatic transmit in bits 3..0 at addr: 1100 "MIC", 1010 "ACC", 1001 "REMOTE", else "OFF".
void DecodeAutTx(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeAutTx(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
std::vector<SOption> AutTxOptions();
std::vector<SOption> StunOptions();

// Encoder tone as its 16-bit code, high byte first, at addr.
void DecodeEncTone(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def);
void EncodeEncTone(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def);
// Makes a CQUsrTonEncNode with the row's range, entry limits equal to the range.
CNode* MakeEncTone(CTolvarRadioDataManager& manager, CNode* parent, const SFieldDef& def);
