// Continuous tones: the tone values the nodes hold, their texts, and the 12-bit
// codes the image stores.
//
// Tone values: 0..50 index the CTCSS list, 51 is the user CTCSS frequency ("USER"),
// 1000 is "OFF", 2000 + n and 3000 + n are the DTCS code n (three octal digits read
// as a decimal number) with normal and inverted polarity, 4000 is "Multi" (receive
// only: the channel uses its multiple-tone set).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "datamodel/memmap/FieldTable.h"
#include "datamodel/nodes/ValueNodes.h"

inline constexpr int kToneCtcssCount = 51;
inline constexpr int kToneUser = 51;
inline constexpr int kToneOff = 1000;
inline constexpr int kToneDtcsNormal = 2000;
inline constexpr int kToneDtcsInverted = 3000;
inline constexpr int kToneMulti = 4000;
inline constexpr int kToneMax = 5000;

// The option texts of a tone node: the CTCSS list, "USER", "OFF" and, for a
// receive tone that may use the multiple-tone set, "Multi".
const std::vector<SOption>& ToneOptions(bool withMulti);

// 12-bit code to tone value. multi: the code is a channel's receive code, where
// mode 0 with bit 8 set means "Multi".
int DecodeToneCode(int code, bool multi);
// Tone value to 12-bit code; values that are no tone encode as "OFF".
int EncodeToneCode(int value, bool multi);

// A value a tone node is meant to hold: a list index, "OFF", a DTCS code of three
// octal digits, or "Multi" when withMulti is set.
bool IsToneValue(int value, bool withMulti);

// Display text of a tone value: the option text, "%03dN" / "%03di" for a DTCS
// code, or empty for a value that is none of these.
std::string ToneText(int value, bool withMulti);
// The reverse, for typed and imported texts: an option text (case ignored), a
// CTCSS tone as a number of Hz with or without decimals ("100", "67", "88.5"), a
// DTCS value as a number (2000..2777, 3000..3777, octal digits only), or a code of
// three octal digits and "N" or "I" in either case ("023N", "754i"). Three digits
// alone never name a DTCS code. Leading and trailing blanks are ignored. Anything
// else gives no value.
std::optional<int> ParseToneText(const std::string& text, bool withMulti);

// ParseToneText and ToneText for the tone nodes, which take DTCS codes beside
// their options.
const INumberCodes& ToneCodeTexts(bool withMulti);
