#include "ChannelNodes.h"

#include <climits>

CTolvarMchFreqNode::CTolvarMchFreqNode(const char* name) : CFreqNode(name) {
    SetRange(0, 0, 0, kMaxHz);
}

bool CTolvarMchFreqNode::ToRaster(long long hz, int& result) {
    // In units of 10 Hz with the part below one kilohertz removed.
    const long long base = hz / 1000 * 100;
    static const int kLowSteps[] = {250, 500, 625}; // below 300 MHz
    static const int kHighSteps[] = {500, 625};
    const bool low = base < 30000000;
    const int* steps = low ? kLowSteps : kHighSteps;
    const int count = low ? 3 : 2;
    for (int s : {0, 25, 50, 75})
        for (int i = 0; i < count; ++i)
            if ((base + s) % steps[i] == 0) {
                const long long fitted = 10 * (base + s);
                result = fitted > INT_MAX ? INT_MAX : static_cast<int>(fitted);
                return true;
            }
    return false;
}

bool CTolvarMchFreqNode::TryParse(const std::string& text, int& value) const {
    int hz = ParseScaledText(text, static_cast<double>(m_scale));
    // The plain parse saturates where the number no longer fits; such a text
    // means the top of the band.
    if (hz < 0 || hz == INT_MAX) hz = kMaxHz;
    return ToRaster(hz, value);
}

std::string CTolvarMchFreqNode::TextOf(int value) const {
    int shown = value;
    if (!TryParse(CFreqNode::TextOf(value), shown))
        shown = value;
    return ScaledText(Clamp(shown));
}
