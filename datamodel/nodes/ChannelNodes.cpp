#include "ChannelNodes.h"

#include <climits>
#include <cstdio>
#include <iterator>

namespace {

// Steps in units of 10 Hz, below and from the split.
constexpr int kLowSteps[] = {250, 500, 625};
constexpr int kHighSteps[] = {500, 625};
constexpr long long kSplit = 30000000; // 300 MHz

std::string StepList(const int* steps, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        char step[16];
        std::snprintf(step, sizeof step, "%g", steps[i] / 100.0);
        text += (i == 0 ? "" : i + 1 == count ? " or " : ", ") + std::string(step);
    }
    return text + " kHz steps";
}

} // namespace

CTolvarMchFreqNode::CTolvarMchFreqNode(const char* name) : CFreqNode(name) {
    SetRange(0, 0, 0, kMaxHz);
}

bool CTolvarMchFreqNode::ToRaster(long long hz, int& result) {
    // In units of 10 Hz with the part below one kilohertz removed.
    const long long base = hz / 1000 * 100;
    const bool low = base < kSplit;
    const int* steps = low ? kLowSteps : kHighSteps;
    const size_t count = low ? std::size(kLowSteps) : std::size(kHighSteps);
    for (int s : {0, 25, 50, 75})
        for (size_t i = 0; i < count; ++i)
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

std::string CTolvarMchFreqNode::Raster() const {
    return "on the channel raster: " + StepList(kLowSteps, std::size(kLowSteps)) + " below " +
           std::to_string(kSplit / 100000) + " MHz, " +
           StepList(kHighSteps, std::size(kHighSteps)) + " above";
}
