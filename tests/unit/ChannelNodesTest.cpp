#include <gtest/gtest.h>

#include <string>

#include "datamodel/nodes/ChannelNodes.h"

TEST(MchFreqNode, SetTextKeepsTheRaster) {
    const struct {
        const char* text;
        int before; // value before the text is set
        int after;
        bool valid; // what SetFreqText reports
    } cases[] = {
        // clang-format off
        {"145.125", 0, 145125000, true},              // 2.5 kHz
        {"145.13125", 0, 145131250, true},            // 6.25 kHz, found at +250 Hz
        {"145.1234", 150000000, 150000000, true},     // refused: value kept
        {"445.0125", 0, 445012500, true},             // 6.25 kHz at +500 Hz
        {"150.0025", 0, 150002500, true},             // 2.5 kHz below 300 MHz ...
        {"450.0025", 440000000, 440000000, true},     // ... but not above
        {"299.9975", 0, 299997500, true},
        {"300.0025", 1, 1, true},                     // 300 MHz already counts as above
        {"145.1251", 0, 145125000, true},             // below 1 kHz is dropped
        {" \t145.125", 0, 145125000, true},
        {"-1", 5000, 0, true},                        // negative and unreadable read as 0
        {"abc", 5000, 0, true},
        {"1000", 0, 799995000, false},                // on the raster, above the range
        {"99999", 0, 799995000, true},                // too large for 32 bits: the top
        // clang-format on
    };
    for (const auto& c : cases) {
        CTolvarMchFreqNode node("FreqRx");
        node.SetValue(c.before);
        EXPECT_EQ(node.SetFreqText(c.text), c.valid) << c.text;
        EXPECT_EQ(node.GetValue(), c.after) << c.text;
    }
}

TEST(MchFreqNode, TextIsAlwaysARasterFrequency) {
    const std::pair<int, const char*> cases[] = {
        {145125000, "145.12500"},
        {145131000, "145.13125"}, // whole kHz from the image: the raster part comes back
        {445012000, "445.01250"},
        {300001000, "300.00100"}, // off the raster: shown as it is
        {0, "0.00000"},
        {799995000, "799.99500"},
    };
    for (const auto& [value, text] : cases) {
        CTolvarMchFreqNode node;
        node.SetValue(value);
        EXPECT_EQ(node.GetText(), text) << value;
        EXPECT_EQ(node.GetValue(), value); // showing changes nothing
    }
    CTolvarMchFreqNode node;
    node.SetValue(900000000);
    EXPECT_EQ(node.GetValue(), 799995000);
}
