#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SignallingTestSupport.h"

using namespace signalling_test;

namespace {

constexpr uint32_t kS8 = 0x07C0 + 9 * 8;   // receive "CH8": S - 4 .. S + 4
constexpr uint32_t kS1 = 0x07C0 + 9;       // receive "CH1"
constexpr uint32_t kSG = 0x07C0;           // receive "CHG"
constexpr uint32_t kR32 = 0x0700 + 6 * 31; // transmit "CH32"

TEST(FiveToneCodes, ReceiveCodeDecodesWithPlusMarks) {
    struct {
        Bytes digits;
        uint8_t marks;
        std::string text;
    } const cases[] = {
        {{0x12, 0x34, 0x5F, 0xFF}, 0x00, "12345"},
        {{0x10, 0x34, 0x5F, 0xFF}, 0x40, "1+345"},
        {{0x01, 0x2E, 0x3F, 0xFF}, 0x80, "+12E3"},
        {{0xFF, 0xFF, 0xFF, 0xFF}, 0xFF, ""},        // marks past the code do not count
        {{0x12, 0x34, 0x56, 0x78}, 0x03, "123456+"}, // seven digits at most; bit 0 is no digit
        {{0xAB, 0xCD, 0xEF, 0x12}, 0x00, "ABCDE"},
    };
    SDocument doc(ModelPMR);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Put(doc.Image(), kS8 - 4, c.digits);
        doc.Image().SetByte(kS8, c.marks);
        doc.Radio().DecodeArea(EArea::FiveToneRxCh, doc.Image(), 7);
        EXPECT_EQ(doc.Node("5ToneCodeCH.RXCodeCH.CH8.RxCode").GetText(), c.text);
    }
}

TEST(FiveToneCodes, ReceiveCodeEncodes) {
    struct {
        const char* text;
        Bytes digits;
        uint8_t marks;
    } const cases[] = {
        {"1+345", {0x10, 0x34, 0x5F, 0xFF}, 0x41}, // bit 0 of the mark byte is kept
        {"+", {0x0F, 0xFF, 0xFF, 0xFF}, 0x81},     {"12345678", {0x12, 0x34, 0x56, 0x7F}, 0x01},
        {"a b", {0xAB, 0xFF, 0xFF, 0xFF}, 0x01},   {"", {0xFF, 0xFF, 0xFF, 0xFF}, 0x01},
    };
    SDocument doc(ModelPMR);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Put(doc.Image(), kS8 - 4, {0x00, 0x00, 0x00, 0x00, 0xFF});
        doc.Node("5ToneCodeCH.RXCodeCH.CH8.RxCode").SetText(c.text);
        doc.Radio().EncodeArea(EArea::FiveToneRxCh, doc.Image(), 7);
        EXPECT_EQ(ReadBytes(doc.Image(), kS8 - 4, 4), c.digits);
        EXPECT_EQ(doc.Image().GetByte(kS8), c.marks);
    }
}

TEST(FiveToneCodes, TransmitCodeHasNoMarks) {
    SDocument doc(ModelPMR);
    Put(doc.Image(), kR32, {0x12, 0x34, 0x56, 0x78, 0xFF, 0xFF});
    doc.Radio().DecodeArea(EArea::FiveToneTxCh, doc.Image(), 31);
    CNode& ch = doc.Node("5ToneCodeCH.TXCodeCH.CH32");
    EXPECT_EQ(ch.FindChild("TxCode")->GetText(), "1234567");
    ch.FindChild("TxCode")->SetText("9+E");
    doc.Radio().EncodeArea(EArea::FiveToneTxCh, doc.Image(), 31);
    EXPECT_EQ(ReadBytes(doc.Image(), kR32, 6),
              Bytes({0x90, 0xEF, 0xFF, 0xFF, 0xFF, 0xDF})); // empty name
}

TEST(FiveToneReceive, RecordFieldsDecode) {
    struct {
        uint8_t abcByte, s2, s3, s4;
        int abc, audMode, beep, stun, idDec, emrCanc, rpt, autTx;
    } const cases[] = {
        {0x20, 0xC5, 0x58, 0xBC, 32, 2, 5, 2, 1, 1, 2, 1}, // AudMode, Stun, Rpt capped at 2
        {0x21, 0x44, 0x08, 0x1A, 0, 1, 0, 1, 0, 0, 1, 2},
        {0x80, 0x80, 0x10, 0x29, 128, 2, 1, 2, 0, 0, 2, 3},
        {0xFF, 0x03, 0x00, 0x0F, 255, 0, 4, 0, 0, 0, 0, 0},
        {0x7F, 0x07, 0x00, 0x00, 0, 0, 7, 0, 0, 0, 0, 0},
    };
    SDocument doc(ModelPMR);
    CNode& ch = doc.Node("5ToneCodeCH.RXCodeCH.CH8");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.abcByte);
        Put(doc.Image(), kS8 + 1, {c.abcByte, c.s2, c.s3, c.s4});
        doc.Radio().DecodeArea(EArea::FiveToneRxCh, doc.Image(), 7);
        EXPECT_EQ(ch.FindChild("ABC")->GetValue(), c.abc);
        EXPECT_EQ(ch.FindChild("AudMode")->GetValue(), c.audMode);
        EXPECT_EQ(ch.FindChild("Beep")->GetValue(), c.beep);
        EXPECT_EQ(ch.FindChild("Stun")->GetValue(), c.stun);
        EXPECT_EQ(ch.FindChild("IdDec")->GetValue(), c.idDec);
        EXPECT_EQ(ch.FindChild("EmrCanc")->GetValue(), c.emrCanc);
        EXPECT_EQ(ch.FindChild("Rpt")->GetValue(), c.rpt);
        EXPECT_EQ(ch.FindChild("AutTx")->GetValue(), c.autTx);
    }
    EXPECT_EQ(ch.FindChild("ABC")->GetText(), "OFF");
    doc.Image().SetByte(kS8 + 1, 0x80);
    doc.Radio().DecodeArea(EArea::FiveToneRxCh, doc.Image(), 7);
    EXPECT_EQ(ch.FindChild("ABC")->GetText(), "STN");
}

TEST(FiveToneReceive, NameIsHiddenWhileDecodingIds) {
    SDocument doc(ModelPMR);
    CNode& ch = doc.Node("5ToneCodeCH.RXCodeCH.CH1");
    const Bytes name = {'B', 'a', 's', 'e', ' ', ' ', ' ', ' ', ' ', ' '};
    Put(doc.Image(), 0x1750 + 10, name);
    doc.Image().SetByte(kS1 + 3, 0x44); // ID decoding on, name present
    doc.Radio().DecodeArea(EArea::FiveToneRxCh, doc.Image(), 0);
    EXPECT_EQ(ch.FindChild("Text")->GetText(), "");
    doc.Radio().EncodeArea(EArea::FiveToneRxCh, doc.Image(), 0);
    EXPECT_EQ(ReadBytes(doc.Image(), 0x1750 + 10, 10), name); // kept while IDs are decoded
    EXPECT_EQ(doc.Image().GetByte(kS1 + 3), 0x44);

    ch.FindChild("IdDec")->SetValue(0);
    doc.Radio().EncodeArea(EArea::FiveToneRxCh, doc.Image(), 0);
    EXPECT_EQ(doc.Image().GetByte(kS1 + 3), 0x00); // an empty name clears the flag
    ch.FindChild("Text")->SetText("Hub");
    doc.Radio().EncodeArea(EArea::FiveToneRxCh, doc.Image(), 0);
    doc.Radio().DecodeArea(EArea::FiveToneRxCh, doc.Image(), 0);
    EXPECT_EQ(ch.FindChild("Text")->GetText(), "Hub");
}

TEST(FiveToneReceive, GroupChannelHasNoCodeAndNoAbc) {
    SDocument doc(ModelPMR);
    CNode& chg = doc.Node("5ToneCodeCH.RXCodeCH.CHG");
    EXPECT_FALSE(doc.Radio().GetNodeInfo(chg.FindChild("RxCode")).bound);
    EXPECT_FALSE(doc.Radio().GetNodeInfo(chg.FindChild("ABC")).bound);
    EXPECT_TRUE(doc.Radio().GetNodeInfo(chg.FindChild("Beep")).bound);
    EXPECT_TRUE(doc.Radio().GetNodeInfo(&doc.Node("5ToneCodeCH.RXCodeCH.CH1.RxCode")).bound);

    // Its first four bytes belong to the last transmit channel.
    const Bytes shared = {0x12, 0x34, 0x56, 0x78, 0x9A}; // S - 4 .. S
    Put(doc.Image(), kSG - 4, shared);
    doc.Image().SetByte(kSG + 1, 0x05);
    doc.Radio().DecodeArea(EArea::FiveToneRxCh, doc.Image(), 8);
    EXPECT_EQ(chg.FindChild("RxCode")->GetText(), "");
    EXPECT_EQ(chg.FindChild("ABC")->GetValue(), 0);
    chg.FindChild("ABC")->SetValue(7);
    chg.FindChild("RxCode")->SetText("123");
    doc.Radio().EncodeArea(EArea::FiveToneRxCh, doc.Image(), 8);
    EXPECT_EQ(ReadBytes(doc.Image(), kSG - 4, 5), shared);
    EXPECT_EQ(doc.Image().GetByte(kSG + 1), 0x05);
}

TEST(FiveToneTransmit, RecordBits) {
    SDocument doc(ModelPMR);
    CNode& ch = doc.Node("5ToneCodeCH.TXCodeCH.CH32");
    Put(doc.Image(), kR32 + 4, {0xA5, 0xA0});
    Put(doc.Image(), 0x1610 + 310, {'U', 'n', 'i', 't', ' ', '3', '2', ' ', ' ', ' '});
    doc.Radio().DecodeArea(EArea::FiveToneTxCh, doc.Image(), 31);
    const int digits[] = {1, 0, 1, 0, 0, 1, 0};
    for (int d = 1; d <= 7; ++d)
        EXPECT_EQ(ch.FindChild("InpDigit" + std::to_string(d))->GetValue(), digits[d - 1]) << d;
    EXPECT_EQ(ch.FindChild("InpDigit1")->GetText(), "1");
    EXPECT_EQ(ch.FindChild("InpDigit2")->GetText(), "_");
    EXPECT_EQ(ch.FindChild("UpDate")->GetValue(), 1);
    EXPECT_EQ(ch.FindChild("ABCDec")->GetValue(), 1);
    EXPECT_EQ(ch.FindChild("ABCAud")->GetValue(), 0);
    EXPECT_EQ(ch.FindChild("Text")->GetText(), "Unit 32");
    EXPECT_EQ(ch.FindChild("Sel")->GetValue(), 1); // stored 0: "ON"

    ch.FindChild("Sel")->SetValue(0);
    ch.FindChild("ABCAud")->SetValue(1);
    ch.FindChild("Text")->SetText("");
    doc.Radio().EncodeArea(EArea::FiveToneTxCh, doc.Image(), 31);
    EXPECT_EQ(doc.Image().GetByte(kR32 + 5), 0xD0); // ABCDec, ABCAud, no name, Sel "OFF"
    EXPECT_EQ(doc.Image().GetByte(kR32 + 4), 0xA5);
}

TEST(FiveToneFormats, ToneLengthTimerAndPeriod) {
    struct {
        uint8_t byte;
        int value;
    } const lengths[] = {{0, 11}, {1, 11}, {2, 22}, {92, 1006}, {255, 2789}};
    SDocument doc(ModelPMR);
    CNode& eia = doc.Node("5ToneCodeCH.Format.EIA");
    for (const auto& l : lengths) {
        SCOPED_TRACE(l.byte);
        doc.Image().SetByte(0x01DC + 8, l.byte);
        doc.Radio().DecodeArea(EArea::FiveToneFormat, doc.Image(), 8);
        EXPECT_EQ(eia.FindChild("TonLen")->GetValue(), l.value);
    }
    struct {
        int value;
        uint8_t byte;
    } const encoded[] = {{11, 1}, {22, 2}, {1000, 91}, {1006, 92}, {2789, 255}};
    for (const auto& e : encoded) {
        SCOPED_TRACE(e.value);
        eia.FindChild("TonLen")->SetValue(e.value);
        doc.Radio().EncodeArea(EArea::FiveToneFormat, doc.Image(), 8);
        EXPECT_EQ(doc.Image().GetByte(0x01DC + 8), e.byte);
    }
    Put(doc.Image(), 0x01CA + 8, {0x21});
    Put(doc.Image(), 0x01D3 + 8, {0x07});
    doc.Radio().DecodeArea(EArea::FiveToneFormat, doc.Image(), 8);
    EXPECT_EQ(eia.FindChild("TonPeriod")->GetValue(), 0x21);
    EXPECT_EQ(eia.FindChild("NoTonTim")->GetValue(), 8);

    // "DTMF" has its period at 0x01E5 and fixed timer and length.
    CNode& dtmf = doc.Node("5ToneCodeCH.Format.DTMF");
    Put(doc.Image(), 0x01E5, {0x44});
    doc.Radio().DecodeArea(EArea::FiveToneFormat, doc.Image(), 9);
    EXPECT_EQ(dtmf.FindChild("TonPeriod")->GetValue(), 0x44);
    EXPECT_EQ(dtmf.FindChild("NoTonTim")->GetValue(), 2);
    EXPECT_EQ(dtmf.FindChild("TonLen")->GetValue(), 11);
    EXPECT_FALSE(doc.Radio().GetNodeInfo(dtmf.FindChild("TonLen")).bound);
    EXPECT_TRUE(doc.Radio().GetNodeInfo(eia.FindChild("TonLen")).bound);
}

TEST(FiveToneUserTones, FifteenTonesAtTheirAddresses) {
    struct {
        int tone;
        uint32_t enc, dec;
    } const tones[] = {{0, 0x0170, 0x018E}, {7, 0x017E, 0x01AA}, {14, 0x018C, 0x01C6}};
    SDocument doc(ModelPMR);
    for (const auto& t : tones) {
        SCOPED_TRACE(t.tone);
        const std::string path = "5ToneCodeCH.UsrTon." + std::to_string(t.tone);
        auto& group = dynamic_cast<CQ5TonUsrTonNode&>(doc.Node(path));
        Put(doc.Image(), t.enc, {0x1A, 0x0B});             // 1042 Hz
        Put(doc.Image(), t.dec, {0x00, 0x10, 0x0F, 0xFF}); // 16 and 4095 Hz
        doc.Radio().DecodeArea(EArea::FiveToneUsrTon, doc.Image(), t.tone);
        EXPECT_EQ(doc.Node(path + ".Enc").GetValue(), 1042);
        EXPECT_EQ(doc.Node(path + ".DecL").GetValue(), 400);
        EXPECT_EQ(doc.Node(path + ".DecH").GetValue(), 3000);
        EXPECT_EQ(group.Enc(), &doc.Node(path + ".Enc"));
        EXPECT_EQ(group.DecH(), &doc.Node(path + ".DecH"));

        doc.Node(path + ".Enc").SetText("2400");
        doc.Node(path + ".DecL").SetText("2328");
        doc.Radio().EncodeArea(EArea::FiveToneUsrTon, doc.Image(), t.tone);
        EXPECT_EQ(ReadBytes(doc.Image(), t.enc, 2), Bytes({0x3C, 0x00})); // 15360
        EXPECT_EQ(ReadBytes(doc.Image(), t.dec, 4), Bytes({0x09, 0x18, 0x0B, 0xB8}));
    }
}

TEST(FiveToneCommon, DigitsAndSpecialTones) {
    SDocument doc(ModelPMR);
    Put(doc.Image(), 0x00BB, {0x82, 0xF8, 0x20, 0x0E, 0x0F});
    doc.Radio().DecodeArea(EArea::FiveToneRxCommon, doc.Image());
    doc.Radio().DecodeArea(EArea::FiveToneTxCommon, doc.Image());
    for (int d = 1; d <= 7; ++d) {
        EXPECT_EQ(doc.Node("5ToneCodeCH.RxCodeCom.CompDigit" + std::to_string(d)).GetValue(),
                  d <= 5 ? 1 : 0)
            << d;
        EXPECT_EQ(doc.Node("5ToneCodeCH.TxCodeCom.DspDigit" + std::to_string(d)).GetValue(),
                  d == 1 || d == 7 ? 1 : 0)
            << d;
    }
    EXPECT_EQ(doc.Node("5ToneCodeCH.TxCodeCom.SpcTonGrp").GetText(), "E"); // at most 14
    EXPECT_EQ(doc.Node("5ToneCodeCH.TxCodeCom.SpcTonLnk2").GetText(), "F");
    EXPECT_FALSE(doc.Radio().GetNodeInfo(&doc.Node("5ToneCodeCH.TxCodeCom.SpcTonStr")).bound);

    doc.Node("5ToneCodeCH.TxCodeCom.SpcTonGrp").SetText("F");
    doc.Node("5ToneCodeCH.TxCodeCom.SpcTonRep").SetText("b");
    doc.Node("5ToneCodeCH.TxCodeCom.SpcTonLnk2").SetText("");
    doc.Node("5ToneCodeCH.TxCodeCom.PTTCallInA").SetValue(1);
    doc.Radio().EncodeArea(EArea::FiveToneTxCommon, doc.Image());
    EXPECT_EQ(ReadBytes(doc.Image(), 0x00BD, 3), Bytes({0x0E, 0x0B, 0x00}));
    EXPECT_EQ(doc.Image().GetBit(0x00D3, 6), 1);
}

TEST(FiveToneFactory, StableThroughRoundTripAndNormalise) {
    FactoryIsStable(ModelPMR);
}

TEST(FiveToneRandomImages, DecodeEncodeIsIdempotent) {
    RandomRoundTrip(ModelPMR, 7031u, 100);
}

} // namespace
