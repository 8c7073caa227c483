#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "datamodel/nodes/SettingNodes.h"

namespace {

struct STextCase {
    const char* text;
    int expected;
};

std::ostream& operator<<(std::ostream& os, const STextCase& c) {
    return os << '"' << c.text << '"';
}

// The value before each text; a refused text leaves it.
constexpr int kIfBefore = 10000000;

class IfFreqText : public testing::TestWithParam<STextCase> {};

TEST_P(IfFreqText, ParsesOnTheGrid) {
    CTolvarIfFreqNode node;
    node.SetValue(kIfBefore);
    node.SetText(GetParam().text);
    EXPECT_EQ(node.GetValue(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IfFreqText,
    testing::Values(STextCase{"-21.4", -21400000}, STextCase{"21.405", kIfBefore},
                    STextCase{"21.4125", 21412500}, STextCase{"21.41249", kIfBefore},
                    STextCase{" -45.1375", -45137500}, STextCase{"100", 99987500},
                    STextCase{"-100", -99987500}, STextCase{"0", 0}, STextCase{"abc", 0},
                    STextCase{"99999999999", kIfBefore}));

class UsrCtcssText : public testing::TestWithParam<STextCase> {};

TEST_P(UsrCtcssText, ClampsAndQuantises) {
    CTolvarUsrCtcssFreqNode node;
    node.SetText(GetParam().text);
    EXPECT_EQ(node.GetValue(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, UsrCtcssText,
                         testing::Values(STextCase{"50.0", 600}, STextCase{"60", 600},
                                         STextCase{"88.5", 885}, STextCase{"67.0", 670},
                                         STextCase{"298.0", 2981}, STextCase{"299.8", 3000},
                                         STextCase{"400", 3000}, STextCase{"-5", 600}));

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

class BeepText : public testing::TestWithParam<STextCase> {};

TEST_P(BeepText, UsesTheDividerFrequency) {
    CQBeepFreqNode node;
    node.SetText(GetParam().text);
    EXPECT_EQ(node.GetValue(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, BeepText,
                         testing::Values(STextCase{"1000", 1000}, STextCase{"1700", 1714},
                                         STextCase{"5000", 3000}, STextCase{"100", 400},
                                         STextCase{"500", 500}, STextCase{"2900", 2909}));

constexpr int kTempBefore = 20;

class TempText : public testing::TestWithParam<STextCase> {};

TEST_P(TempText, ReadsDecimalDegrees) {
    CTolvarTempNode node;
    node.SetValue(kTempBefore);
    node.SetText(GetParam().text);
    EXPECT_EQ(node.GetValue(), GetParam().expected);
    EXPECT_EQ(node.GetText(), std::to_string(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Texts, TempText,
                         testing::Values(STextCase{"50", 50}, STextCase{"-30", -30},
                                         STextCase{"200", 130}, STextCase{"-40", -30},
                                         STextCase{" 7", 7}, STextCase{"abc", kTempBefore},
                                         STextCase{"99999999999999999999", 130}));

} // namespace
