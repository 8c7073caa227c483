#include <gtest/gtest.h>

#include "SignallingTestSupport.h"

using namespace signalling_test;

namespace {

constexpr uint32_t kS8 = 0x07C0 + 9 * 8;   // receive "CH8": S - 4 .. S + 4
constexpr uint32_t kS1 = 0x07C0 + 9;       // receive "CH1"
constexpr uint32_t kSG = 0x07C0;           // receive "CHG"
constexpr uint32_t kR32 = 0x0700 + 6 * 31; // transmit "CH32"
const std::string kRx8 = "5ToneCodeCH.RXCodeCH.CH8.", kRx1 = "5ToneCodeCH.RXCodeCH.CH1.",
                  kTx32 = "5ToneCodeCH.TXCodeCH.CH32.", kEia = "5ToneCodeCH.Format.EIA.",
                  kTxCom = "5ToneCodeCH.TxCodeCom.", kTone = "5ToneCodeCH.UsrTon.";

TEST(FiveToneMap, Decoding) {
    const EArea rx = EArea::FiveToneRxCh, tx = EArea::FiveToneTxCh, fmt = EArea::FiveToneFormat,
                tones = EArea::FiveToneUsrTon, com = EArea::FiveToneTxCommon;
    const Bytes name = {'U', 'n', 'i', 't', ' ', '3', '2', ' ', ' ', ' '};
    // clang-format off
    CheckDecoding(ModelPMR, {
        {{{kS8 - 4, {0x12, 0x34, 0x5F, 0xFF, 0x00}}}, rx, 7, kRx8 + "RxCode", "12345"},
        {{{kS8 - 4, {0x10, 0x34, 0x5F, 0xFF, 0x40}}}, rx, 7, kRx8 + "RxCode", "1+345"},
        {{{kS8 - 4, {0x01, 0x2E, 0x3F, 0xFF, 0x80}}}, rx, 7, kRx8 + "RxCode", "+12E3"},
        {{{kS8 - 4, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}}, rx, 7, kRx8 + "RxCode", ""},
        {{{kS8 - 4, {0x12, 0x34, 0x56, 0x78, 0x03}}}, rx, 7, kRx8 + "RxCode", "123456+"},
        {{{kS8 - 4, {0xAB, 0xCD, 0xEF, 0x12, 0x00}}}, rx, 7, kRx8 + "RxCode", "ABCDE"},
        {{{kS8 + 1, {0x20, 0xC5, 0x58, 0xBC}}}, rx, 7, kRx8 + "ABC", "32"},
        {{}, rx, 7, kRx8 + "AudMode", "2"},  // 11, 11 and 11 capped at 2
        {{}, rx, 7, kRx8 + "Stun", "2"}, {{}, rx, 7, kRx8 + "Rpt", "2"},
        {{}, rx, 7, kRx8 + "Beep", "5"}, {{}, rx, 7, kRx8 + "IdDec", "1"},
        {{}, rx, 7, kRx8 + "EmrCanc", "1"}, {{}, rx, 7, kRx8 + "AutTx", "1"},
        {{{kS8 + 1, {0x21, 0x44, 0x08, 0x1A}}}, rx, 7, kRx8 + "ABC", "0"},
        {{}, rx, 7, kRx8 + "AudMode", "1"}, {{}, rx, 7, kRx8 + "AutTx", "2"},
        {{{kS8 + 1, {0x80, 0x80, 0x10, 0x29}}}, rx, 7, kRx8 + "ABC", "128"},
        {{}, rx, 7, kRx8 + "Beep", "1"}, {{}, rx, 7, kRx8 + "AutTx", "3"},
        {{{kS8 + 1, {0xFF}}}, rx, 7, kRx8 + "ABC", "255"},
        // The name counts only while IDs are not decoded.
        {{{0x1750 + 10, name}, {kS1 + 3, {0x44}}}, rx, 0, kRx1 + "Text", ""},
        {{{kS1 + 3, {0x04}}}, rx, 0, kRx1 + "Text", "Unit 32"},
        // The group channel has no code and no ABC.
        {{{kSG - 4, {0x12, 0x34, 0x56, 0x78, 0x00, 0x05}}}, rx, 8, "5ToneCodeCH.RXCodeCH.CHG.RxCode", ""},
        {{}, rx, 8, "5ToneCodeCH.RXCodeCH.CHG.ABC", "0"},
        {{{kR32, {0x12, 0x34, 0x56, 0x78, 0xA5, 0xA0}}, {0x1610 + 310, name}}, tx, 31, kTx32 + "TxCode", "1234567"},
        {{}, tx, 31, kTx32 + "InpDigit1", "1"}, {{}, tx, 31, kTx32 + "InpDigit6", "1"},
        {{}, tx, 31, kTx32 + "UpDate", "1"}, {{}, tx, 31, kTx32 + "ABCDec", "1"},
        {{}, tx, 31, kTx32 + "ABCAud", "0"}, {{}, tx, 31, kTx32 + "Text", "Unit 32"},
        {{}, tx, 31, kTx32 + "Sel", "1"},    // stored 0: "ON"
        {{{0x01E4, {0}}}, fmt, 8, kEia + "TonLen", "11"},
        {{{0x01E4, {2}}}, fmt, 8, kEia + "TonLen", "22"},
        {{{0x01E4, {92}}}, fmt, 8, kEia + "TonLen", "1006"},
        {{{0x01E4, {255}}}, fmt, 8, kEia + "TonLen", "2789"},
        {{{0x01D2, {0x21}}}, fmt, 8, kEia + "TonPeriod", "33"},
        {{{0x01DB, {7}}}, fmt, 8, kEia + "NoTonTim", "8"},
        {{{0x01E5, {0x44}}}, fmt, 9, "5ToneCodeCH.Format.DTMF.TonPeriod", "68"},
        {{}, fmt, 9, "5ToneCodeCH.Format.DTMF.TonLen", "11"},
        {{{0x0170, {0x1A, 0x0B}}, {0x018E, {0x00, 0x10, 0x0F, 0xFF}}}, tones, 0, kTone + "0.Enc", "1042"},
        {{}, tones, 0, kTone + "0.DecL", "400"}, {{}, tones, 0, kTone + "0.DecH", "3000"},
        {{{0x018C, {0x1A, 0x0B}}, {0x01C6, {0x09, 0x18, 0x0B, 0xB8}}}, tones, 14, kTone + "14.Enc", "1042"},
        {{}, tones, 14, kTone + "14.DecL", "2328"},
        {{{0x00BB, {0x82, 0xF8, 0x20, 0x0E, 0x0F}}}, com, 0, kTxCom + "DspDigit1", "1"},
        {{}, com, 0, kTxCom + "DspDigit7", "1"},
        {{}, com, 0, kTxCom + "SpcTonGrp", "E"},  // at most 14
        {{}, com, 0, kTxCom + "SpcTonLnk2", "F"},
        {{}, EArea::FiveToneRxCommon, 0, "5ToneCodeCH.RxCodeCom.CompDigit5", "1"},
    });
    // clang-format on
}

TEST(FiveToneMap, Encoding) {
    const EArea rx = EArea::FiveToneRxCh, fmt = EArea::FiveToneFormat;
    const Bytes marked = {0x00, 0x00, 0x00, 0x00, 0xFF};
    // clang-format off
    CheckEncoding(ModelPMR, {
        // Digits as hex, "+" as 0 with its mark, F after the code; mark bit 0 is kept.
        {kRx8 + "RxCode", "1+345", rx, 7, {kS8 - 4, marked}, {0x10, 0x34, 0x5F, 0xFF, 0x41}},
        {kRx8 + "RxCode", "+", rx, 7, {kS8 - 4, marked}, {0x0F, 0xFF, 0xFF, 0xFF, 0x81}},
        {kRx8 + "RxCode", "12345678", rx, 7, {kS8 - 4, marked}, {0x12, 0x34, 0x56, 0x7F, 0x01}},
        {kRx8 + "RxCode", "a b", rx, 7, {kS8 - 4, marked}, {0xAB, 0xFF, 0xFF, 0xFF, 0x01}},
        {kRx8 + "RxCode", "", rx, 7, {kS8 - 4, marked}, {0xFF, 0xFF, 0xFF, 0xFF, 0x01}},
        {kRx8 + "ABC", "128", rx, 7, {kS8 + 1, {}}, {0x80}},
        {kRx8 + "ABC", "33", rx, 7, {kS8 + 1, {}}, {0x00}},
        {kTx32 + "TxCode", "9+E", EArea::FiveToneTxCh, 31, {kR32, {}}, {0x90, 0xEF, 0xFF, 0xFF}},
        {kTx32 + "Sel", "0", EArea::FiveToneTxCh, 31, {kR32 + 5, {0xA0}}, {0x10}},
        {kEia + "TonLen", "11", fmt, 8, {0x01E4, {}}, {1}},
        {kEia + "TonLen", "1000", fmt, 8, {0x01E4, {}}, {91}},
        {kEia + "TonLen", "1006", fmt, 8, {0x01E4, {}}, {92}},
        {kEia + "TonLen", "2789", fmt, 8, {0x01E4, {}}, {255}},
        // "DTMF" writes its period only, not into the "USER" length after the timers.
        {"5ToneCodeCH.Format.DTMF.NoTonTim", "30", fmt, 9, {0x01DC, {0x05}}, {0x05}},
        {kTone + "14.Enc", "2400", EArea::FiveToneUsrTon, 14, {0x018C, {}}, {0x3C, 0x00}},
        {kTone + "14.DecL", "2328", EArea::FiveToneUsrTon, 14, {0x01C6, {}}, {0x09, 0x18}},
        {kTxCom + "SpcTonGrp", "F", EArea::FiveToneTxCommon, 0, {0x00BD, {}}, {0x0E}},
        {kTxCom + "SpcTonRep", "b", EArea::FiveToneTxCommon, 0, {0x00BE, {}}, {0x0B}},
        {kTxCom + "PTTCallInA", "1", EArea::FiveToneTxCommon, 0, {0x00D3, {0x00}}, {0x40}},
    });
    // clang-format on
}

TEST(FiveToneMap, NameIsKeptWhileDecodingIds) {
    SDocument doc(ModelPMR);
    const Bytes name = {'B', 'a', 's', 'e', ' ', ' ', ' ', ' ', ' ', ' '};
    Put(doc.Image(), {0x1750 + 10, name});
    doc.Image().SetByte(kS1 + 3, 0x44); // ID decoding on, name present
    doc.Radio().DecodeArea(EArea::FiveToneRxCh, doc.Image(), 0);
    doc.Radio().EncodeArea(EArea::FiveToneRxCh, doc.Image(), 0);
    EXPECT_EQ(ReadBytes(doc.Image(), 0x1750 + 10, 10), name);
    EXPECT_EQ(doc.Image().GetByte(kS1 + 3), 0x44);

    doc.Node(kRx1 + "IdDec").SetValue(0);
    doc.Radio().EncodeArea(EArea::FiveToneRxCh, doc.Image(), 0);
    EXPECT_EQ(doc.Image().GetByte(kS1 + 3), 0x00); // the empty name clears the flag
}

TEST(FiveToneMap, GroupChannelLeavesTheSharedBytes) {
    SDocument doc(ModelPMR);
    CTolvarRadioDataManager& radio = doc.Radio();
    const std::string chg = "5ToneCodeCH.RXCodeCH.CHG.";
    EXPECT_FALSE(radio.GetNodeInfo(&doc.Node(chg + "RxCode")).bound);
    EXPECT_FALSE(radio.GetNodeInfo(&doc.Node(chg + "ABC")).bound);
    EXPECT_TRUE(radio.GetNodeInfo(&doc.Node(kRx1 + "RxCode")).bound);
    EXPECT_FALSE(radio.GetNodeInfo(&doc.Node(kTxCom + "SpcTonStr")).bound);
    EXPECT_EQ(radio.GetNodeInfo(&doc.Node(chg + "Beep")).models, unsigned{kModelsPMR});

    // Its first four bytes belong to the last transmit channel.
    const Bytes shared = {0x12, 0x34, 0x56, 0x78, 0x9A, 0x05};
    Put(doc.Image(), {kSG - 4, shared});
    doc.Node(chg + "ABC").SetValue(7);
    doc.Node(chg + "RxCode").SetText("123");
    radio.EncodeArea(EArea::FiveToneRxCh, doc.Image(), 8);
    EXPECT_EQ(ReadBytes(doc.Image(), kSG - 4, 6), shared);
}

} // namespace
