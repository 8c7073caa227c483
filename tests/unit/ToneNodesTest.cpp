#include <gtest/gtest.h>

#include "datamodel/nodes/ToneNodes.h"

namespace {

struct SToneText {
    int minimum, maximum;
    const char* text;
    int expected;
};

class EncoderText : public ::testing::TestWithParam<SToneText> {};

TEST_P(EncoderText, ClampsAndQuantises) {
    const SToneText& c = GetParam();
    CQUsrTonEncNode node("Enc", c.minimum, c.maximum);
    node.SetText(c.text);
    EXPECT_EQ(node.GetValue(), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Tones, EncoderText,
    ::testing::Values(SToneText{250, 3300, "1000", 1000}, SToneText{250, 3300, " 1234.6", 1235},
                      SToneText{250, 3300, "5000", 3300}, SToneText{250, 3300, "100", 250},
                      SToneText{250, 3300, "-7", 250}, SToneText{250, 3300, "rubbish", 250},
                      SToneText{400, 3000, "399", 400}, SToneText{400, 3000, "3000.4", 3000}));

TEST(EncoderCode, FollowsTheSixPointFourRaster) {
    struct {
        int hz, code;
    } const pairs[] = {{250, 1600}, {1000, 6400}, {1001, 6406}, {1981, 12678}, {3300, 21120}};
    for (const auto& p : pairs) {
        EXPECT_EQ(CQUsrTonEncNode::HzToCode(p.hz), p.code) << p.hz;
        EXPECT_EQ(CQUsrTonEncNode::CodeToHz(p.code), p.hz) << p.code;
    }
    // Codes off the raster give the nearest whole Hz, halves away from zero.
    struct {
        int code, hz;
    } const codes[] = {{1, 0}, {3, 0}, {16, 3}, {6407, 1001}, {6410, 1002}, {0xFFFF, 10240}};
    for (const auto& c : codes)
        EXPECT_EQ(CQUsrTonEncNode::CodeToHz(c.code), c.hz) << c.code;
}

TEST(DecoderText, ClampsToEntryLimitsWithoutQuantising) {
    CQUsrTonDecNode limit("1stFreqLo", 239, 3402);
    limit.SetText("238");
    EXPECT_EQ(limit.GetValue(), 239);
    limit.SetText("1001.4");
    EXPECT_EQ(limit.GetValue(), 1001);
    limit.SetText("99999");
    EXPECT_EQ(limit.GetValue(), 3402);
    limit.SetWord(0x0102);
    EXPECT_EQ(limit.GetWord(), 0x0102);
    limit.SetWord(0xFFFF); // clamped to the range
    EXPECT_EQ(limit.GetWord(), 3402);
}

struct SWindow {
    int tenths, low, high;
};

class ToneWindow : public ::testing::TestWithParam<SWindow> {};

TEST_P(ToneWindow, IsTheLastShiftBeforeTheMiddleMovesAway) {
    const SWindow& w = GetParam();
    int low = 0, high = 0;
    CQ2ToneRxChNode::ToneWindow(w.tenths, low, high);
    EXPECT_EQ(low, w.low) << w.tenths;
    EXPECT_EQ(high, w.high) << w.tenths;
}

// 1234.5 Hz: middles 1234.0 and 1235.0 are equally near; the later shift wins.
INSTANTIATE_TEST_SUITE_P(Tones, ToneWindow,
                         ::testing::Values(SWindow{2500, 243, 258}, SWindow{10000, 970, 1030},
                                           SWindow{15000, 1455, 1545}, SWindow{12345, 1198, 1272},
                                           SWindow{33000, 3201, 3399}, SWindow{33002, 3201, 3399},
                                           SWindow{1000, 243, 258}));

TEST(TwoToneChannel, RecalcLimitsMovesWindowsAndTones) {
    CQ2ToneRxChNode channel("CH1");
    // Placeholders until tone nodes are attached.
    channel.RecalcLimits();
    EXPECT_EQ(channel.FirstLow()->GetValue(), 243);
    EXPECT_EQ(channel.FirstHigh()->GetValue(), 258);
    EXPECT_EQ(channel.FirstTone()->GetValue(), 2505);

    CFreqNode first("1stFreq"), second("2ndFreq");
    for (CFreqNode* tone : {&first, &second}) {
        tone->SetScale(10);
        tone->SetRange(2500, 2500, 2500, 33002);
    }
    channel.AttachFirstTone(&first);
    channel.AttachSecondTone(&second);
    first.SetValue(12345);
    second.SetValue(33002);
    channel.RecalcLimits();
    EXPECT_EQ(channel.FirstLow()->GetValue(), 1198);
    EXPECT_EQ(channel.FirstHigh()->GetValue(), 1272);
    EXPECT_EQ(first.GetValue(), 12350);
    EXPECT_EQ(channel.SecondLow()->GetValue(), 3201);
    EXPECT_EQ(channel.SecondHigh()->GetValue(), 3399);
    EXPECT_EQ(second.GetValue(), 33000);

    channel.AttachFirstTone(nullptr);
    EXPECT_NE(channel.FirstTone(), &first);
    EXPECT_EQ(channel.SecondTone(), &second);
}

TEST(FiveToneUserTone, OwnSubNodesUntilAttached) {
    CQ5TonUsrTonNode tone("3");
    ASSERT_NE(tone.Enc(), nullptr);
    EXPECT_EQ(tone.Enc()->GetName(), "Enc");
    EXPECT_EQ(tone.DecH()->Maximum(), 3000);
    CQUsrTonEncNode enc("Enc");
    CQUsrTonDecNode low("DecL");
    tone.AttachEnc(&enc);
    tone.AttachDecL(&low);
    EXPECT_EQ(tone.Enc(), &enc);
    EXPECT_EQ(tone.DecL(), &low);
    EXPECT_NE(tone.DecH(), nullptr);
}

} // namespace
