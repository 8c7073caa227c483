// Value nodes of the global settings whose texts follow the repeater's hardware:
// the IF offset grid, the user CTCSS tone divider, beep dividers and temperatures.
#pragma once

#include <algorithm>

#include <string>

#include "ValueNodes.h"

// IF offset in Hz, signed, on a 12.5 kHz grid.
class CTolvarIfFreqNode : public CFreqNode {
public:
    explicit CTolvarIfFreqNode(const char* name = nullptr);
    // A text off the 12.5 kHz grid is refused.
    bool TryParse(const std::string& text, int& value) const override;
    std::string Raster() const override;
};

// A tone made by the tone generator, 192000 / w Hz for a 16-bit divider w.
// Values are in tenths of Hz.
class CQUsrCtcssFreqNode : public CFreqNode {
public:
    explicit CQUsrCtcssFreqNode(const char* name = nullptr);
    // Clamped to 60.0 .. 300.0 Hz and the node's range, then quantised.
    bool TryParse(const std::string& text, int& value) const override;
    std::string Raster() const override;

    // round(1,920,000 / tenths), the divider nearest to the tone.
    static int DividerOf(int tenths);
    // round(1,920,000 / w) tenths of Hz; divider 0 stands for 300.0 Hz.
    static int ToneOf(int divider);
    // The value a tone is stored as: the tone of a realisable divider.
    static int Quantise(int tenths);
    // Whether the tone detector's window around the tone can be set.
    static bool WindowRealisable(int tenths);
};

class CTolvarUsrCtcssFreqNode : public CQUsrCtcssFreqNode {
public:
    explicit CTolvarUsrCtcssFreqNode(const char* name = nullptr);
};

// Beep and CW tones in Hz: 96000 / (n + 1) for an 8-bit divider n.
class CQBeepFreqNode : public CFreqNode {
public:
    explicit CQBeepFreqNode(const char* name = nullptr);
    bool TryParse(const std::string& text, int& value) const override;
    std::string Raster() const override;
    void EntryRange(int& low, int& high) const override {
        low = std::max(m_min, m_entryMin);
        high = std::min(m_max, m_entryMax);
    }

    // The hardware limits an entered frequency is clamped to (400 .. 3000 Hz).
    void SetEntryLimits(int minimum, int maximum);
    int EntryMinimum() const { return m_entryMin; }
    int EntryMaximum() const { return m_entryMax; }

    // round(96000 / hz - 1), kept to 0 .. 255.
    static int DividerOf(int hz);
    // round(96000 / (n + 1)).
    static int FrequencyOf(int divider);

private:
    int m_entryMin = 400;
    int m_entryMax = 3000;
};

// Alert temperature in degrees C; its text is the decimal number.
class CTolvarTempNode : public CNumNode {
public:
    explicit CTolvarTempNode(const char* name = nullptr);
    // A decimal integer, clamped to the range; other texts leave the value unchanged.
    CNode* SetText(const std::string& text) override;
    std::string TextOf(int value) const override { return std::to_string(value); }
};
