#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "datamodel/nodes/SettingNodes.h"

namespace {

// A text set on each kind of setting node: the value it gives, or for a refused text
// the value from before.
TEST(SettingNodes, TextsGiveTheFieldsValues) {
    CTolvarIfFreqNode ifFreq;
    CTolvarUsrCtcssFreqNode ctcss;
    CQBeepFreqNode beep;
    CTolvarTempNode temp;
    constexpr int kIf = 10000000, kTemp = 20;
    const struct {
        CNode* node;
        int before;
        const char* text;
        int expected;
    } cases[] = {
        // clang-format off
        // The IF offset: 12.5 kHz steps and their sub-steps, in Hz.
        {&ifFreq, kIf, "-21.4", -21400000},     {&ifFreq, kIf, "21.405", kIf},
        {&ifFreq, kIf, "21.4125", 21412500},    {&ifFreq, kIf, "21.41249", kIf},
        {&ifFreq, kIf, " -45.1375", -45137500}, {&ifFreq, kIf, "100", 99987500},
        {&ifFreq, kIf, "-100", -99987500},      {&ifFreq, kIf, "0", 0},
        {&ifFreq, kIf, "abc", 0},               {&ifFreq, kIf, "99999999999", kIf},
        // The user CTCSS tone, clamped and quantised, in 0.1 Hz.
        {&ctcss, 0, "50.0", 600},   {&ctcss, 0, "60", 600},     {&ctcss, 0, "88.5", 885},
        {&ctcss, 0, "67.0", 670},   {&ctcss, 0, "298.0", 2981}, {&ctcss, 0, "299.8", 3000},
        {&ctcss, 0, "400", 3000},   {&ctcss, 0, "-5", 600},
        // The beep tone: the frequency of its divider.
        {&beep, 0, "1000", 1000},   {&beep, 0, "1700", 1714},   {&beep, 0, "5000", 3000},
        {&beep, 0, "100", 400},     {&beep, 0, "500", 500},     {&beep, 0, "2900", 2909},
        // Temperatures in whole degrees.
        {&temp, kTemp, "50", 50},   {&temp, kTemp, "-30", -30}, {&temp, kTemp, "200", 130},
        {&temp, kTemp, "-40", -30}, {&temp, kTemp, " 7", 7},    {&temp, kTemp, "abc", kTemp},
        {&temp, kTemp, "99999999999999999999", 130},
        // clang-format on
    };
    for (const auto& c : cases) {
        c.node->SetValue(c.before);
        c.node->SetText(c.text);
        EXPECT_EQ(c.node->GetValue(), c.expected)
            << "row " << &c - cases << ": \"" << c.text << '"';
    }
}

// Every tone of the span is stored as the tone of an integer divider, near the tone
// asked for, and typing the stored tone back in keeps it.
TEST(UsrCtcssQuantiser, StoresDividerTonesOverTheSpan) {
    for (int tenths = 600; tenths <= 3000; ++tenths) {
        const int stored = CQUsrCtcssFreqNode::Quantise(tenths);
        const int divider = CQUsrCtcssFreqNode::DividerOf(stored);
        ASSERT_EQ(std::lround(1920000.0 / divider), stored) << tenths;
        ASSERT_GE(stored, 600);
        ASSERT_LE(stored, 3000);
        // One divider step at 300 Hz is about 4.7 tenths of Hz.
        ASSERT_LE(std::abs(stored - tenths), 3) << tenths;
        ASSERT_EQ(CQUsrCtcssFreqNode::Quantise(stored), stored) << tenths;
        ASSERT_TRUE(CQUsrCtcssFreqNode::WindowRealisable(stored)) << tenths;
    }
}

} // namespace
