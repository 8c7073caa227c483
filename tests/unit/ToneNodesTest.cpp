#include <gtest/gtest.h>

#include "datamodel/nodes/ToneNodes.h"

namespace {

TEST(ToneNodes, EncoderTextIsClampedAndQuantised) {
    struct {
        int minimum, maximum;
        const char* text;
        int hz;
    } const cases[] = {{250, 3300, "1000", 1000}, {250, 3300, " 1234.6", 1235},
                       {250, 3300, "5000", 3300}, {250, 3300, "100", 250},
                       {250, 3300, "-7", 250},    {250, 3300, "rubbish", 250},
                       {400, 3000, "399", 400},   {400, 3000, "3000.4", 3000}};
    for (const auto& c : cases) {
        CQUsrTonEncNode node("Enc", c.minimum, c.maximum);
        node.SetText(c.text);
        EXPECT_EQ(node.GetValue(), c.hz) << c.text;
    }
    CQUsrTonDecNode limit("1stFreqLo", 239, 3402);
    for (const auto& [text, hz] : {std::pair{"238", 239}, {"1001.4", 1001}, {"99999", 3402}}) {
        limit.SetText(text);
        EXPECT_EQ(limit.GetValue(), hz) << text;
    }
}

TEST(ToneNodes, EncoderCodesAreSixPointFourPerHz) {
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
    } const codes[] = {{3, 0}, {16, 3}, {6407, 1001}, {6410, 1002}, {0xFFFF, 10240}};
    for (const auto& c : codes)
        EXPECT_EQ(CQUsrTonEncNode::CodeToHz(c.code), c.hz) << c.code;
}

TEST(ToneNodes, DecodeWindowSearch) {
    // 1234.5 Hz: middles 1234.0 and 1235.0 are equally near; the later shift wins.
    struct {
        int tenths, low, high;
    } const cases[] = {{2500, 243, 258},    {10000, 970, 1030},  {15000, 1455, 1545},
                       {12345, 1198, 1272}, {33000, 3201, 3399}, {33002, 3201, 3399},
                       {1000, 243, 258}};
    for (const auto& c : cases) {
        int low = 0, high = 0;
        CQ2ToneRxChNode::ToneWindow(c.tenths, low, high);
        EXPECT_EQ(low, c.low) << c.tenths;
        EXPECT_EQ(high, c.high) << c.tenths;
    }
}

TEST(ToneNodes, KeptNodesHaveTheirOwnerAsParentAndNoRow) {
    CQ2ToneRxChNode channel("CH1");
    CQ5TonUsrTonNode user("0");
    const std::pair<const CNode*, const CNode*> kept[] = {{channel.FirstLow(), &channel},
                                                          {channel.SecondHigh(), &channel},
                                                          {channel.FirstTone(), &channel},
                                                          {user.Enc(), &user},
                                                          {user.DecH(), &user}};
    for (const auto& [node, owner] : kept) {
        EXPECT_EQ(node->GetParent(), owner) << node->GetName();
        EXPECT_EQ(node->GetRow(), -1) << node->GetName();
    }
}

} // namespace
