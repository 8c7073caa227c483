// The frequency node of memory channels: values on the channel raster.
#pragma once

#include "datamodel/nodes/ValueNodes.h"

class CTolvarMchFreqNode : public CFreqNode {
public:
    static constexpr int kMaxHz = 799995000;

    explicit CTolvarMchFreqNode(const char* name = nullptr);
    // Moves the text onto the raster (2.5, 5 or 6.25 kHz below 300 MHz; 5 or
    // 6.25 kHz above), trying the sub-kilohertz parts 0, 250, 500 and 750 Hz in
    // this order; false when it fits no step.
    bool TryParse(const std::string& text, int& value) const override;
    // The value formatted, parsed onto the raster again and formatted once more,
    // so the text shown is always a raster frequency.
    std::string TextOf(int value) const override;
    // "on the channel raster: 2.5, 5 or 6.25 kHz steps below 300 MHz, ...".
    std::string Raster() const override;

    // Rasters a frequency in Hz; false when it fits no step.
    static bool ToRaster(long long hz, int& result);
};
