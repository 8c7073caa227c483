#include <gtest/gtest.h>

#include "SignallingTestSupport.h"

using namespace signalling_test;

namespace {

const std::string kIf = "MakerR.IfFreq", kDtcs = "MakerR.DtcsDec";
constexpr EArea kMakerR = EArea::MakerR;

// The IF offset: a sign bit, then BCD digits of whole kilohertz (12.5 kHz steps
// written without their half kilohertz).
TEST(MakerReservedMap, Decoding) {
    // clang-format off
    CheckDecoding(ModelLMR, {
        {{{0x010, {0x80, 0x02, 0x14, 0x00}}}, kMakerR, 0, kIf, "-21400000"},
        {{{0x010, {0x00, 0x02, 0x14, 0x12}}}, kMakerR, 0, kIf, "21412500", "21.41250"},
        {{{0x010, {0x00, 0x04, 0x51, 0x37}}}, kMakerR, 0, kIf, "45137500"},
        {{{0x010, {0x70, 0x02, 0x14, 0x00}}}, kMakerR, 0, kIf, "21400000"}, // bits 6..4: no field
        {{{0x010, {0x00, 0x02, 0x14, 0x13}}}, kMakerR, 0, kIf, "0"},        // not a sub-step
        {{{0x010, {0x00, 0x0A, 0x14, 0x00}}}, kMakerR, 0, kIf, "0"},        // not BCD
        {{{0x010, {0x0F, 0x02, 0x14, 0x00}}}, kMakerR, 0, kIf, "0"},
        {{{0x010, {0x09, 0x99, 0x99, 0x87}}}, kMakerR, 0, kIf, "99987500"}, // clamped, no wrap
        {{{0x010, {0x89, 0x99, 0x99, 0x87}}}, kMakerR, 0, kIf, "-99987500"},
        // The DTCS decode byte counts from 12 and is clamped.
        {{{0x01E, {0}}}, kMakerR, 0, kDtcs, "12"},  {{{0x01E, {1}}}, kMakerR, 0, kDtcs, "12"},
        {{{0x01E, {5}}}, kMakerR, 0, kDtcs, "16"},  {{{0x01E, {12}}}, kMakerR, 0, kDtcs, "23"},
        {{{0x01E, {0x20}}}, kMakerR, 0, kDtcs, "23"},
    });
    // clang-format on
}

TEST(MakerReservedMap, Encoding) {
    // clang-format off
    CheckEncoding(ModelLMR, {
        {kIf, "-21.4", kMakerR, 0, {0x010, {0x00}}, {0x80, 0x02, 0x14, 0x00}},
        {kIf, "21.4125", kMakerR, 0, {0x010, {0x70}}, {0x70, 0x02, 0x14, 0x12}},
        {kIf, "99.9875", kMakerR, 0, {0x010, {0x00}}, {0x00, 0x09, 0x99, 0x87}},
        {kIf, "-99.9875", kMakerR, 0, {0x010, {0x00}}, {0x80, 0x09, 0x99, 0x87}},
        {kDtcs, "12", kMakerR, 0, {0x01E, {}}, {1}},
        {kDtcs, "16", kMakerR, 0, {0x01E, {}}, {5}},
        {kDtcs, "23", kMakerR, 0, {0x01E, {}}, {12}},
    });
    // clang-format on
}

// Values between the steps are written as whole kilohertz of the nearest step, and
// every step survives a round trip.
TEST(MakerReservedMap, IfOffsetSteps) {
    SDocument doc(ModelLMR);
    CNode& node = doc.Node(kIf);
    for (const auto& [hz, bytes] : {std::pair{6250, Bytes{0x00, 0x00, 0x00, 0x12}},
                                    std::pair{-6000, Bytes{0x00, 0x00, 0x00, 0x00}}}) {
        node.SetValue(hz);
        doc.Radio().EncodeArea(kMakerR, doc.Image());
        EXPECT_EQ(ReadBytes(doc.Image(), 0x010, 4), bytes) << hz;
    }
    // A stride prime to 8 meets every sub-step; both ends are included.
    for (int step = -7999; step <= 7999; step += 19) {
        node.SetValue(step * 12500);
        doc.Radio().EncodeArea(kMakerR, doc.Image());
        node.SetValue(1);
        doc.Radio().DecodeArea(kMakerR, doc.Image());
        ASSERT_EQ(node.GetValue(), step * 12500);
    }
}

} // namespace
