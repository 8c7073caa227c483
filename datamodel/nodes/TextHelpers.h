// Small text filters and number formatting shared by the editors.
#pragma once

#include <cstddef>
#include <string>

bool KeepChars(std::string& text, const std::string& allowed);
bool KeepPrintable(std::string& text);
bool KeepNumeric(std::string& text);
// True when the text was filtered or cut; "%" plus one of "%A".."P" counts as one character.
bool LimitText(std::string& text, int maximum);
std::string FormatDecimals(std::string text, int decimals);
int ParseScaled(const std::string& text, int scale);
// Round half away from zero.
long long RoundHalfAway(double x);
// The character at byte i of a UTF-8 text, for messages: its whole UTF-8 sequence,
// "a space", or "the byte 0x09" for a control byte or one that starts no character.
std::string CharacterAt(const std::string& text, size_t i);
