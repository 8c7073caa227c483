#include <gtest/gtest.h>

#include "SignallingTestSupport.h"

using namespace signalling_test;

namespace {

constexpr uint32_t kWindows2 = 0x018E + 8; // "CH2"
constexpr uint32_t kS3 = 0x07C0 + 9 * 3;   // "CH3" record: S - 4 .. S + 4
constexpr uint32_t kSG = 0x07C0;           // "CHG"
const std::string kCh2 = "2ToneCodeCH.RXCodeCH.CH2.", kCh3 = "2ToneCodeCH.RXCodeCH.CH3.",
                  kChG = "2ToneCodeCH.RXCodeCH.CHG.", kTx = "2ToneCodeCH.TXCode.";

CQ2ToneRxChNode& Channel(SDocument& doc, const std::string& name) {
    return dynamic_cast<CQ2ToneRxChNode&>(doc.Node("2ToneCodeCH.RXCodeCH." + name));
}

TEST(TwoToneMap, Decoding) {
    const EArea rx = EArea::TwoToneRxCh, tx = EArea::TwoToneTxCode;
    // clang-format off
    CheckDecoding(ModelLMR, {
        // Windows 970..1030 and 1455..1545 Hz: the tones are their middles, in 0.1 Hz.
        {{{kWindows2, {0x03, 0xCA, 0x04, 0x06, 0x05, 0xAF, 0x06, 0x09}}}, rx, 1, kCh2 + "1stFreq", "10000"},
        {{}, rx, 1, kCh2 + "2ndFreq", "15000"},
        {{{kWindows2, {0x00, 0x00, 0xFF, 0xFF}}}, rx, 1, kCh2 + "1stFreq", "18205"}, // 239..3402
        {{{kWindows2 + 4, {0x00, 0x64, 0x00, 0x64}}}, rx, 1, kCh2 + "2ndFreq", "2500"},
        {{{kS3 - 4, {0x01}}, {kS3 + 1, {0xFF, 0x05, 0x18, 0x0C}}}, rx, 2, kCh3 + "Group", "1"},
        {{}, rx, 2, kCh3 + "ANS", "1"}, {{}, rx, 2, kCh3 + "Beep", "5"},
        {{}, rx, 2, kCh3 + "Stun", "2"},   // 11 capped
        {{}, rx, 2, kCh3 + "AutTx", "1"},  // 1100 "MIC"
        {{{kS3 - 4, {0x02}}, {kS3 + 1, {0xFE, 0x04, 0x10, 0x0A}}}, rx, 2, kCh3 + "Group", "0"},
        {{}, rx, 2, kCh3 + "ANS", "0"},
        {{}, rx, 2, kCh3 + "Beep", "0"},   // code 4 "Null"
        {{}, rx, 2, kCh3 + "AutTx", "2"},  // 1010 "ACC"
        {{{kS3 + 2, {0xF8}}, {kS3 + 3, {0x08}}, {kS3 + 4, {0x09}}}, rx, 2, kCh3 + "Beep", "1"},
        {{}, rx, 2, kCh3 + "Stun", "1"},
        {{}, rx, 2, kCh3 + "AutTx", "3"},  // 1001 "REMOTE"
        {{{kS3 + 4, {0xFF}}}, rx, 2, kCh3 + "AutTx", "0"},
        {{{kSG - 4, {0x01}}, {kSG + 1, {0xFF}}}, rx, 3, kChG + "Group", "1"},
        {{}, rx, 3, kChG + "ANS", "1"},
        {{{0x1750, {'G', 'r', 'o', 'u', 'p', ' ', ' ', ' ', ' ', ' '}}, {kSG + 3, {0x04}}}, rx, 3,
         kChG + "Text", "Group"},
        {{{0x0172, {0x1A, 0x0B}}}, tx, 0, kTx + "2ndTonFreq", "1042"},  // code 6667
        {{{0x0172, {0xFF, 0xFF}}}, tx, 0, kTx + "2ndTonFreq", "3300"},
        {{{0x0172, {0x00, 0x10}}}, tx, 0, kTx + "2ndTonFreq", "250"},
        {{{0x0700, {0x3F}}}, tx, 0, kTx + "CodeType", "1"},
        {{{0x0700, {0x0E}}}, tx, 0, kTx + "CodeType", "0"},
        {{{0x01D3, {7}}}, EArea::TwoToneCommon, 0, "2ToneCodeCH.RxCodeCom.NoTonTim", "8"},
        {{{0x01D3, {0}}}, EArea::TwoToneCommon, 0, "2ToneCodeCH.RxCodeCom.NoTonTim", "2"},
        {{{0x01D3, {31}}}, EArea::TwoToneCommon, 0, "2ToneCodeCH.RxCodeCom.NoTonTim", "30"},
    });
    // clang-format on
}

TEST(TwoToneMap, Encoding) {
    const EArea rx = EArea::TwoToneRxCh, tx = EArea::TwoToneTxCode;
    // clang-format off
    CheckEncoding(ModelLMR, {
        // "1st" keeps a group byte that is not 1 and clears a 1.
        {kCh3 + "Group", "0", rx, 2, {kS3 - 4, {0x02}}, {0x02}},
        {kCh3 + "Group", "0", rx, 2, {kS3 - 4, {0x01}}, {0x00}},
        {kCh3 + "Group", "1", rx, 2, {kS3 - 4, {0x00}}, {0x01}},
        {kCh3 + "ANS", "1", rx, 2, {kS3 + 1, {0x55}}, {0xFF}},
        {kCh3 + "ANS", "0", rx, 2, {kS3 + 1, {0x55}}, {0x00}},
        {kCh3 + "Beep", "8", rx, 2, {kS3 + 2, {0xFF}}, {0xFC}},  // no 3-bit "Emer": "Null"
        {kCh3 + "Beep", "7", rx, 2, {kS3 + 2, {0xF8}}, {0xFF}},
        {kCh3 + "Stun", "2", rx, 2, {kS3 + 3, {0xE7}}, {0xF3}},  // and no name
        {kCh3 + "AutTx", "1", rx, 2, {kS3 + 4, {0xF0}}, {0xFC}},
        {kCh3 + "AutTx", "0", rx, 2, {kS3 + 4, {0xFF}}, {0xF0}},
        {kTx + "1stTonFreq", "1041.7", tx, 0, {0x0170, {}}, {0x1A, 0x0D}},  // 1042 Hz, 6669
        {kTx + "2ndTonFreq", "9999", tx, 0, {0x0172, {}}, {0x52, 0x80}},    // 3300 Hz
        {kTx + "2ndTonPeriod", "51", tx, 0, {0x01CA, {}}, {0x33}},
        // Only a change of type touches the low nibble.
        {kTx + "CodeType", "0", tx, 0, {0x0700, {0x3F}}, {0x30}},
        {kTx + "CodeType", "0", tx, 0, {0x0700, {0x0E}}, {0x0E}},
        {kTx + "CodeType", "1", tx, 0, {0x0700, {0x0E}}, {0x0F}},
        {"2ToneCodeCH.RxCodeCom.NoTonTim", "13", EArea::TwoToneCommon, 0, {0x01D3, {}}, {14}},
    });
    // clang-format on
}

TEST(TwoToneMap, EditedToneEncodesItsRecomputedWindow) {
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

TEST(TwoToneMap, GroupChannelTonesAreNotBound) {
    SDocument doc(ModelLMR);
    CQ2ToneRxChNode& chg = Channel(doc, "CHG");
    CTolvarRadioDataManager& radio = doc.Radio();
    EXPECT_FALSE(radio.GetNodeInfo(chg.FindChild("1stFreq")).bound);
    EXPECT_FALSE(radio.GetNodeInfo(chg.FirstLow()).bound);
    EXPECT_TRUE(radio.GetNodeInfo(Channel(doc, "CH1").FirstLow()).bound);
    EXPECT_EQ(radio.GetNodeInfo(chg.FindChild("ANS")).models, unsigned{kModelsLMR});

    chg.FindChild("1stFreq")->SetValue(12345);
    const Bytes windows = ReadBytes(doc.Image(), 0x018E, 60);
    radio.DecodeArea(EArea::TwoToneRxCh, doc.Image(), 3);
    EXPECT_EQ(chg.FindChild("1stFreq")->GetValue(), 12345);
    radio.EncodeArea(EArea::TwoToneRxCh, doc.Image(), 3);
    EXPECT_EQ(ReadBytes(doc.Image(), 0x018E, 60), windows);
}

TEST(TwoToneMap, FactoryWindowsFollowTheTones) {
    SDocument doc(ModelLMR);
    const Bytes windows = ReadBytes(doc.Image(), 0x018E, 24);
    for (const char* name : {"CH1", "CH2", "CH3"})
        Channel(doc, name).RecalcLimits();
    doc.Radio().EncodeArea(EArea::TwoToneRxCh, doc.Image());
    EXPECT_EQ(ReadBytes(doc.Image(), 0x018E, 24), windows);
}

} // namespace
