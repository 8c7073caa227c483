#include "SettingNodes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "TextHelpers.h"

namespace {

constexpr int kIfLimit = 99987500; // Hz
constexpr int kIfGrid = 12500;     // Hz

constexpr double kToneClock = 1920000.0; // generator clock in tenths of Hz
constexpr int kToneMin = 600;            // 60.0 Hz
constexpr int kToneMax = 3000;           // 300.0 Hz
constexpr int kMidDivider = 1280;        // 150.0 Hz

constexpr double kBeepClock = 96000.0; // Hz

} // namespace

CTolvarIfFreqNode::CTolvarIfFreqNode(const char* name) : CFreqNode(name) {
    SetRange(-kIfLimit, -kIfLimit, -kIfLimit, kIfLimit);
    m_scale = 1000000;
}

bool CTolvarIfFreqNode::TryParse(const std::string& text, int& value) const {
    // The plain parse knows no sign: a leading "-" is read as "+" and applied after.
    std::string unsigned_text = text;
    const auto first = unsigned_text.find_first_not_of(" \t");
    const bool negative = first != std::string::npos && unsigned_text[first] == '-';
    if (negative) unsigned_text[first] = '+';
    const int f = ParseScaledText(unsigned_text, m_scale);
    if (f % kIfGrid != 0)
        return false;
    value = negative ? -f : f;
    return true;
}

std::string CTolvarIfFreqNode::Raster() const {
    char step[16];
    std::snprintf(step, sizeof step, "%g", kIfGrid / 1000.0);
    return std::string("in ") + step + " kHz steps";
}

CQUsrCtcssFreqNode::CQUsrCtcssFreqNode(const char* name) : CFreqNode(name) {
    SetRange(kToneMin, kToneMin, kToneMin, kToneMax);
    m_scale = 10;
}

int CQUsrCtcssFreqNode::DividerOf(int tenths) {
    return static_cast<int>(RoundHalfAway(kToneClock / std::max(tenths, 1)));
}

int CQUsrCtcssFreqNode::ToneOf(int divider) {
    if (divider <= 0) return kToneMax;
    return static_cast<int>(RoundHalfAway(kToneClock / divider));
}

// The detector's window is +-0.8 % of the tone from 150 Hz up and +-1.6 % below. It is
// realisable when its coarse setting, the half width in steps of 981,120 x 2.5e-7 Hz
// (rounded), lies in 1..255; the 9-bit fine setting (0..511) trims within one coarse
// step and never limits. Every tone of 60.0..300.0 Hz needs 4..10 coarse steps.
bool CQUsrCtcssFreqNode::WindowRealisable(int tenths) {
    const double hz = tenths / 10.0;
    const double half = hz * (tenths >= 1500 ? 0.008 : 0.016);
    const long long coarse = RoundHalfAway(half / (981120 * 2.5e-7));
    return coarse >= 1 && coarse <= 255;
}

// The stored tone is always the tone of an integer divider: the divider nearest to
// the wanted tone, moved one step at a time toward 150 Hz while its window cannot be set.
int CQUsrCtcssFreqNode::Quantise(int tenths) {
    int divider = DividerOf(tenths);
    while (!WindowRealisable(ToneOf(divider)) && divider != kMidDivider)
        divider += divider < kMidDivider ? 1 : -1;
    return ToneOf(divider);
}

bool CQUsrCtcssFreqNode::TryParse(const std::string& text, int& value) const {
    const int f = Clamp(std::clamp(ParseScaledText(text, m_scale), kToneMin, kToneMax));
    value = Quantise(f);
    return true;
}

std::string CQUsrCtcssFreqNode::Raster() const {
    return "as the tone generator makes it: " + std::to_string(static_cast<int>(kToneClock / 10)) +
           " / w Hz for a whole divider w";
}

CTolvarUsrCtcssFreqNode::CTolvarUsrCtcssFreqNode(const char* name) : CQUsrCtcssFreqNode(name) {}

CQBeepFreqNode::CQBeepFreqNode(const char* name) : CFreqNode(name) {
    SetRange(m_entryMin, m_entryMin, m_entryMin, m_entryMax);
    m_scale = 1;
}

void CQBeepFreqNode::SetEntryLimits(int minimum, int maximum) {
    m_entryMin = minimum;
    m_entryMax = maximum;
}

int CQBeepFreqNode::DividerOf(int hz) {
    const long long n = RoundHalfAway(kBeepClock / std::max(hz, 1) - 1);
    return static_cast<int>(std::clamp(n, 0LL, 255LL));
}

int CQBeepFreqNode::FrequencyOf(int divider) {
    return static_cast<int>(RoundHalfAway(kBeepClock / (std::clamp(divider, 0, 255) + 1)));
}

bool CQBeepFreqNode::TryParse(const std::string& text, int& value) const {
    const int f = std::clamp(ParseScaledText(text, m_scale), m_entryMin, m_entryMax);
    value = FrequencyOf(DividerOf(f));
    return true;
}

std::string CQBeepFreqNode::Raster() const {
    return "as the tone generator makes it: " + std::to_string(static_cast<int>(kBeepClock)) +
           " / (n + 1) Hz for a whole n from 0 to 255";
}

CTolvarTempNode::CTolvarTempNode(const char* name) : CNumNode(name) {
    SetRange(-30, -30, -30, 130);
}

CNode* CTolvarTempNode::SetText(const std::string& text) {
    // Every temperature of the range fits the stored byte 170 - t, so no wrapping applies.
    char* end = nullptr;
    const long t = std::strtol(text.c_str(), &end, 10); // saturates on overflow
    if (end != text.c_str()) StoreValue(static_cast<int>(std::clamp(t, -1000L, 1000L)));
    return this;
}
