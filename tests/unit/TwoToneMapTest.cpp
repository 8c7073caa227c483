#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SignallingTestSupport.h"

using namespace signalling_test;

namespace {

constexpr uint32_t kWindows2 = 0x018E + 8; // "CH2"
constexpr uint32_t kS3 = 0x07C0 + 9 * 3;   // "CH3" record: S - 4 .. S + 4
constexpr uint32_t kSG = 0x07C0;           // "CHG"

CQ2ToneRxChNode& Channel(SDocument& doc, const char* name) {
    return dynamic_cast<CQ2ToneRxChNode&>(doc.Node(std::string("2ToneCodeCH.RXCodeCH.") + name));
}

TEST(TwoToneWindows, DecodeSetsLimitsAndMiddles) {
    struct {
        int low1, high1, low2, high2; // image words
        int lim[4];                   // limit nodes after clamping
        int tone1, tone2;             // tenths of Hz
    } const cases[] = {
        {970, 1030, 1455, 1545, {970, 1030, 1455, 1545}, 10000, 15000},
        {0, 0xFFFF, 243, 258, {239, 3402, 243, 258}, 18205, 2505},
        {100, 100, 3402, 3402, {239, 239, 3402, 3402}, 2500, 33002}, // tone clamped to its range
    };
    SDocument doc(ModelLMR);
    CQ2ToneRxChNode& ch = Channel(doc, "CH2");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.low1);
        int i = 0;
        for (int w : {c.low1, c.high1, c.low2, c.high2})
            doc.Image().SetWord(kWindows2 + 2 * static_cast<uint32_t>(i++),
                                static_cast<uint16_t>(w), true);
        doc.Radio().DecodeArea(EArea::TwoToneRxCh, doc.Image(), 1);
        EXPECT_EQ(ch.FirstLow()->GetValue(), c.lim[0]);
        EXPECT_EQ(ch.FirstHigh()->GetValue(), c.lim[1]);
        EXPECT_EQ(ch.SecondLow()->GetValue(), c.lim[2]);
        EXPECT_EQ(ch.SecondHigh()->GetValue(), c.lim[3]);
        EXPECT_EQ(ch.FindChild("1stFreq")->GetValue(), c.tone1);
        EXPECT_EQ(ch.FindChild("2ndFreq")->GetValue(), c.tone2);
        EXPECT_EQ(ch.FirstTone(), ch.FindChild("1stFreq")); // the tree child is attached
    }
}

TEST(TwoToneWindows, EditedToneEncodesItsRecomputedWindow) {
    SDocument doc(ModelLMR);
    CQ2ToneRxChNode& ch = Channel(doc, "CH2");
    ch.FindChild("1stFreq")->SetText("1000.0");
    ch.FindChild("2ndFreq")->SetText("1234.5");
    ch.RecalcLimits();
    EXPECT_EQ(ch.FindChild("2ndFreq")->GetText(), "1235.00000");
    doc.Radio().EncodeArea(EArea::TwoToneRxCh, doc.Image(), 1);
    EXPECT_EQ(ReadBytes(doc.Image(), kWindows2, 8),
              Bytes({0x03, 0xCA, 0x04, 0x06, 0x04, 0xAE, 0x04, 0xF8})); // 970 1030 1198 1272
}

TEST(TwoToneRecord, FieldsDecode) {
    struct {
        Bytes record; // S - 4 .. S + 4
        int group, ans, beep, stun, autTx;
    } const cases[] = {
        {{0x01, 0, 0, 0, 0x00, 0xFF, 0x05, 0x18, 0x0C}, 1, 1, 5, 2, 1}, // Stun 11 capped at 2
        {{0x02, 0, 0, 0, 0x00, 0xFE, 0x04, 0x10, 0x0A}, 0, 0, 0, 2, 2},
        {{0x00, 0, 0, 0, 0x00, 0x00, 0x00, 0x08, 0x09}, 0, 0, 1, 1, 3},
        {{0xFF, 0, 0, 0, 0x00, 0x01, 0xFB, 0xE7, 0xFF}, 0, 0, 4, 0, 0}, // AutTx 1111 is "OFF"
    };
    SDocument doc(ModelLMR);
    CNode& ch = doc.Node("2ToneCodeCH.RXCodeCH.CH3");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record[0]);
        Put(doc.Image(), kS3 - 4, c.record);
        doc.Radio().DecodeArea(EArea::TwoToneRxCh, doc.Image(), 2);
        EXPECT_EQ(ch.FindChild("Group")->GetValue(), c.group);
        EXPECT_EQ(ch.FindChild("ANS")->GetValue(), c.ans);
        EXPECT_EQ(ch.FindChild("Beep")->GetValue(), c.beep);
        EXPECT_EQ(ch.FindChild("Stun")->GetValue(), c.stun);
        EXPECT_EQ(ch.FindChild("AutTx")->GetValue(), c.autTx);
    }
}

TEST(TwoToneRecord, FieldsEncode) {
    struct {
        uint8_t groupByte; // before
        int group, ans, beep, autTx, stun;
        Bytes expected; // S - 4, S + 1, S + 2, S + 3, S + 4
    } const cases[] = {
        // "1st" keeps a byte that is not 1; beep 8 has no 3-bit code and is written "Null"
        {0x02, 0, 1, 8, 0, 2, {0x02, 0xFF, 0xFC, 0xF3, 0xF0}},
        {0x01, 0, 0, 0, 1, 0, {0x00, 0x00, 0xFC, 0xE3, 0xFC}}, // "1st" clears a 1
        {0x00, 1, 0, 7, 3, 1, {0x01, 0x00, 0xFF, 0xEB, 0xF9}},
    };
    SDocument doc(ModelLMR);
    CNode& ch = doc.Node("2ToneCodeCH.RXCodeCH.CH3");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.groupByte);
        Put(doc.Image(), kS3 - 4, {c.groupByte, 0, 0, 0, 0, 0x55, 0xFF, 0xE7, 0xFF});
        ch.FindChild("Group")->SetValue(c.group);
        ch.FindChild("ANS")->SetValue(c.ans);
        ch.FindChild("Beep")->SetValue(c.beep);
        ch.FindChild("AutTx")->SetValue(c.autTx);
        ch.FindChild("Stun")->SetValue(c.stun);
        ch.FindChild("Text")->SetText("");
        doc.Radio().EncodeArea(EArea::TwoToneRxCh, doc.Image(), 2);
        const CEepromImage& im = doc.Image();
        EXPECT_EQ(Bytes({im.GetByte(kS3 - 4), im.GetByte(kS3 + 1), im.GetByte(kS3 + 2),
                         im.GetByte(kS3 + 3), im.GetByte(kS3 + 4)}),
                  c.expected);
    }
}

TEST(TwoToneGroupChannel, HasARecordAndANameButNoTones) {
    SDocument doc(ModelLMR);
    CQ2ToneRxChNode& chg = Channel(doc, "CHG");
    CTolvarRadioDataManager& radio = doc.Radio();
    EXPECT_FALSE(radio.GetNodeInfo(chg.FindChild("1stFreq")).bound);
    EXPECT_FALSE(radio.GetNodeInfo(chg.FirstLow()).bound);
    EXPECT_TRUE(radio.GetNodeInfo(chg.FindChild("Group")).bound);
    EXPECT_TRUE(radio.GetNodeInfo(Channel(doc, "CH1").FirstLow()).bound);
    EXPECT_EQ(radio.GetNodeInfo(chg.FindChild("ANS")).models, unsigned{kModelsLMR});

    Put(doc.Image(), kSG - 4, {0x01, 0, 0, 0, 0, 0xFF, 0, 0x04, 0});
    Put(doc.Image(), 0x1750, {'G', 'r', 'o', 'u', 'p', ' ', ' ', ' ', ' ', ' '});
    chg.FindChild("1stFreq")->SetValue(12345);
    const Bytes windows = ReadBytes(doc.Image(), 0x018E, 0x1C9 - 0x18E + 1);
    radio.DecodeArea(EArea::TwoToneRxCh, doc.Image(), 3);
    EXPECT_EQ(chg.FindChild("Group")->GetValue(), 1);
    EXPECT_EQ(chg.FindChild("ANS")->GetValue(), 1);
    EXPECT_EQ(chg.FindChild("Text")->GetText(), "Group");
    EXPECT_EQ(chg.FindChild("1stFreq")->GetValue(), 12345);
    radio.EncodeArea(EArea::TwoToneRxCh, doc.Image(), 3);
    EXPECT_EQ(ReadBytes(doc.Image(), 0x018E, 0x1C9 - 0x18E + 1), windows);
}

TEST(TwoToneTxCode, TonesTypeAndPeriods) {
    struct {
        Bytes code;
        int hz;
    } const tones[] = {
        {{0x1A, 0x0B}, 1042}, {{0xFF, 0xFF}, 3300}, {{0x00, 0x10}, 250}, {{0x06, 0x40}, 250}};
    SDocument doc(ModelLMR);
    CNode& tx = doc.Node("2ToneCodeCH.TXCode");
    for (const auto& t : tones) {
        SCOPED_TRACE(t.hz);
        Put(doc.Image(), 0x0172, t.code);
        doc.Radio().DecodeArea(EArea::TwoToneTxCode, doc.Image());
        EXPECT_EQ(tx.FindChild("2ndTonFreq")->GetValue(), t.hz);
    }
    tx.FindChild("1stTonFreq")->SetText("1041.7");
    tx.FindChild("2ndTonFreq")->SetText("9999");
    tx.FindChild("2ndTonPeriod")->SetValue(0x33);
    doc.Radio().EncodeArea(EArea::TwoToneTxCode, doc.Image());
    EXPECT_EQ(ReadBytes(doc.Image(), 0x0170, 4), Bytes({0x1A, 0x0D, 0x52, 0x80})); // 6669, 21120
    EXPECT_EQ(doc.Image().GetByte(0x01CA), 0x33);

    // "Group" is a low nibble of F; only a change of type touches the nibble.
    struct {
        uint8_t before;
        int decoded, set;
        uint8_t after;
    } const types[] = {
        {0x3F, 1, 1, 0x3F}, {0x3F, 1, 0, 0x30}, {0x0E, 0, 0, 0x0E}, {0x0E, 0, 1, 0x0F}};
    for (const auto& t : types) {
        SCOPED_TRACE(t.before);
        doc.Image().SetByte(0x0700, t.before);
        doc.Radio().DecodeArea(EArea::TwoToneTxCode, doc.Image());
        EXPECT_EQ(tx.FindChild("CodeType")->GetValue(), t.decoded);
        tx.FindChild("CodeType")->SetValue(t.set);
        doc.Radio().EncodeArea(EArea::TwoToneTxCode, doc.Image());
        EXPECT_EQ(doc.Image().GetByte(0x0700), t.after);
    }
}

TEST(TwoToneCommon, NoToneTimerIsEvenWithinTwoToThirty) {
    struct {
        uint8_t byte;
        int value;
    } const cases[] = {{7, 8}, {0, 2}, {2, 2}, {29, 30}, {31, 30}, {0xFF, 30}};
    SDocument doc(ModelLMR);
    CNode& timer = doc.Node("2ToneCodeCH.RxCodeCom.NoTonTim");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.byte);
        doc.Image().SetByte(0x01D3, c.byte);
        doc.Radio().DecodeArea(EArea::TwoToneCommon, doc.Image());
        EXPECT_EQ(timer.GetValue(), c.value);
    }
    timer.SetValue(13);
    doc.Radio().EncodeArea(EArea::TwoToneCommon, doc.Image());
    EXPECT_EQ(doc.Image().GetByte(0x01D3), 14);
}

TEST(TwoToneFactory, StableThroughRoundTripAndNormalise) {
    FactoryIsStable(ModelLMR);
    // The factory windows are those the tones give.
    SDocument doc(ModelLMR);
    const Bytes windows = ReadBytes(doc.Image(), 0x018E, 24);
    for (const char* name : {"CH1", "CH2", "CH3"})
        Channel(doc, name).RecalcLimits();
    doc.Radio().EncodeArea(EArea::TwoToneRxCh, doc.Image());
    EXPECT_EQ(ReadBytes(doc.Image(), 0x018E, 24), windows);
}

TEST(TwoToneRandomImages, DecodeEncodeIsIdempotent) {
    RandomRoundTrip(ModelLMR, 20240611u, 100);
}

} // namespace
