#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SignallingTestSupport.h"

using namespace signalling_test;

namespace {

constexpr uint32_t kTx20 = 0x0900 + 13 * 19; // last transmit record
constexpr uint32_t kRx20 = 0x0A60 + 16 * 19; // last receive record
constexpr uint32_t kRxName20 = 0x1890 + 10 * 19;

TEST(DtmfCodes, DecodeCountAndDigits) {
    struct {
        Bytes digits;
        uint8_t count;
        std::string text;
    } const cases[] = {
        {{0x12, 0x3E, 0xF0}, 4, "123*"},
        {{0x12, 0x3E, 0xF0}, 5, "123*#"},
        {{0x12, 0x3E, 0xF0}, 0, ""},
        {Bytes(12, 0xAB), 0xFF, "ABABABABABABABABABABABAB"},
        {Bytes(12, 0xCD), 25, "CDCDCDCDCDCDCDCDCDCDCDCD"},
    };
    SDocument doc(ModelLMR);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        for (uint32_t record : {kTx20, kRx20}) {
            Put(doc.Image(), record, c.digits);
            doc.Image().SetByte(record + 12, c.count);
        }
        doc.Radio().DecodeArea(EArea::DtmfTxCodeCh, doc.Image(), 19);
        doc.Radio().DecodeArea(EArea::DtmfRxCodeCh, doc.Image(), 19);
        EXPECT_EQ(doc.Node("DtmfCodeCH.TxCodeCH.CH20.Code").GetText(), c.text);
        EXPECT_EQ(doc.Node("DtmfCodeCH.RxCodeCH.CH20.Code").GetText(), c.text);
    }
}

TEST(DtmfCodes, EncodeWritesOnlyTheDigitBytes) {
    struct {
        std::string text;
        Bytes digits; // the bytes after them keep 0x77
        uint8_t count;
    } const cases[] = {
        {"12345", {0x12, 0x34, 0x50}, 5}, // odd: last low nibble 0
        {"1 2*#", {0x12, 0xEF}, 4},       // blanks dropped, * and # as E and F
        {"abcd", {0xAB, 0xCD}, 4},
        {"G9", {0x09}, 2},                 // not a hex digit: 0
        {"123456789012345678901234567890", // only the first 24
         {0x12, 0x34, 0x56, 0x78, 0x90, 0x12, 0x34, 0x56, 0x78, 0x90, 0x12, 0x34},
         24},
        {"", {}, 0},
    };
    SDocument doc(ModelLMR);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Put(doc.Image(), kTx20, Bytes(12, 0x77));
        doc.Node("DtmfCodeCH.TxCodeCH.CH20.Code").SetText(c.text);
        doc.Radio().EncodeArea(EArea::DtmfTxCodeCh, doc.Image(), 19);
        Bytes expected = c.digits;
        expected.resize(12, 0x77);
        EXPECT_EQ(ReadBytes(doc.Image(), kTx20, 12), expected);
        EXPECT_EQ(doc.Image().GetByte(kTx20 + 12), c.count);
    }
}

TEST(DtmfReceive, FlagsDecodeAndEncode) {
    struct {
        uint8_t flags;
        int lcd, beep, spMute, codeMr;
    } const cases[] = {
        {0x8B, 1, 8, 0, 0}, // beep code 11: "Emer"
        {0x09, 0, 0, 0, 0}, // beep code 9: "Null"
        {0x34, 0, 0, 1, 1}, // code 4: "Null"
        {0x00, 0, 1, 0, 0}, // code 0: "OFF"
        {0x03, 0, 4, 0, 0}, {0x07, 0, 7, 0, 0},
    };
    SDocument doc(ModelLMR);
    CNode& channel = doc.Node("DtmfCodeCH.RxCodeCH.CH20");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        doc.Image().SetByte(kRx20 + 13, c.flags);
        doc.Radio().DecodeArea(EArea::DtmfRxCodeCh, doc.Image(), 19);
        EXPECT_EQ(channel.FindChild("Lcd")->GetValue(), c.lcd);
        EXPECT_EQ(channel.FindChild("Beep")->GetValue(), c.beep);
        EXPECT_EQ(channel.FindChild("SpMute")->GetValue(), c.spMute);
        EXPECT_EQ(channel.FindChild("CodeMr")->GetValue(), c.codeMr);
    }
    // Encoding writes the codes of the beep table; a code 9 becomes "Null" (4).
    struct {
        int beep;
        uint8_t code;
    } const beeps[] = {{0, 4}, {1, 0}, {4, 3}, {5, 5}, {8, 11}, {9, 4}};
    for (const auto& b : beeps) {
        SCOPED_TRACE(b.beep);
        channel.FindChild("Beep")->SetValue(b.beep);
        doc.Radio().EncodeArea(EArea::DtmfRxCodeCh, doc.Image(), 19);
        EXPECT_EQ(doc.Image().GetByte(kRx20 + 13) & 0x0F, b.code);
    }
}

TEST(DtmfReceive, NamePresentByFlag) {
    SDocument doc(ModelLMR);
    CNode& text = doc.Node("DtmfCodeCH.RxCodeCH.CH20.Text");
    Put(doc.Image(), kRxName20, {'C', 'a', 'l', 'l', ' ', '2', 0x01, ' ', ' ', ' '});
    doc.Image().SetByte(kRx20 + 13, 0x40);
    doc.Radio().DecodeArea(EArea::DtmfRxCodeCh, doc.Image(), 19);
    EXPECT_EQ(text.GetText(), "Call 2");
    doc.Image().SetByte(kRx20 + 13, 0x00);
    doc.Radio().DecodeArea(EArea::DtmfRxCodeCh, doc.Image(), 19);
    EXPECT_EQ(text.GetText(), "");

    text.SetText("Gate\x7F");
    doc.Radio().EncodeArea(EArea::DtmfRxCodeCh, doc.Image(), 19);
    EXPECT_EQ(doc.Image().GetBit(kRx20 + 13, 6), 1);
    EXPECT_EQ(ReadBytes(doc.Image(), kRxName20, 10),
              Bytes({'G', 'a', 't', 'e', ' ', ' ', ' ', ' ', ' ', ' '}));
    text.SetText("   ");
    doc.Radio().EncodeArea(EArea::DtmfRxCodeCh, doc.Image(), 19);
    EXPECT_EQ(doc.Image().GetBit(kRx20 + 13, 6), 0);
    EXPECT_EQ(ReadBytes(doc.Image(), kRxName20, 10), Bytes(10, ' '));
}

TEST(DtmfSystemCodes, FourDigitsBothWays) {
    SDocument doc(ModelLMR);
    // Transmit "CH6" at 0x0C0A, receive "CH20" at 0x0C56, "TelTotCode" at 0x0C2A.
    Put(doc.Image(), 0x0C0A, {0x1E, 0xF9});
    Put(doc.Image(), 0x0C56, {0xD0, 0x0A});
    Put(doc.Image(), 0x0C2A, {0x98, 0x76});
    doc.Radio().DecodeArea(EArea::DtmfTxSysCode, doc.Image());
    doc.Radio().DecodeArea(EArea::DtmfRxSysCode, doc.Image());
    doc.Radio().DecodeArea(EArea::DtmfSettings, doc.Image());
    EXPECT_EQ(doc.Node("DtmfCodeCH.TxSysCodeCH.CH6.Code").GetText(), "1*#9");
    EXPECT_EQ(doc.Node("DtmfCodeCH.RxSysCodeCH.CH20.Code").GetText(), "D00A");
    EXPECT_EQ(doc.Node("DtmfCodeCH.DtmfSet.TelTotCode").GetText(), "9876");

    struct {
        const char* text;
        Bytes bytes;
    } const cases[] = {{"#*12", {0xFE, 0x12}}, {"12", {0x12, 0x00}}, {" 1 2 3 4 5", {0x12, 0x34}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        doc.Node("DtmfCodeCH.TxSysCodeCH.CH6.Code").SetText(c.text);
        doc.Radio().EncodeArea(EArea::DtmfTxSysCode, doc.Image(), 5);
        EXPECT_EQ(ReadBytes(doc.Image(), 0x0C0A, 2), c.bytes);
    }
}

struct SSetting {
    const char* field;
    uint32_t addr;
    Bytes bytes;
    int value;
    const char* text; // nullptr: not checked
};

class DtmfSettingDecode : public ::testing::TestWithParam<SSetting> {};

TEST_P(DtmfSettingDecode, CapsAndMaps) {
    const SSetting& s = GetParam();
    SDocument doc(ModelLMR);
    Put(doc.Image(), s.addr, s.bytes);
    doc.Radio().DecodeArea(EArea::DtmfSettings, doc.Image());
    CNode& node = doc.Node(std::string("DtmfCodeCH.DtmfSet.") + s.field);
    EXPECT_EQ(node.GetValue(), s.value);
    if (s.text) {
        EXPECT_EQ(node.GetText(), s.text);
    }
}

INSTANTIATE_TEST_SUITE_P(Fields, DtmfSettingDecode,
                         ::testing::Values(SSetting{"TelCallProhibit", 0x0C4, {0x0A}, 255, "OFF"},
                                           SSetting{"TelCallProhibit", 0x0C4, {0x09}, 9, "9"},
                                           SSetting{"NoTonTim", 0x1E6, {7}, 8, nullptr},
                                           SSetting{"NoTonTim", 0x1E6, {0}, 2, nullptr},
                                           SSetting{"NoTonTim", 0x1E6, {0xFF}, 254, nullptr},
                                           SSetting{"HeadTon", 0x0C0, {0x20}, 15, "#"},
                                           SSetting{"DelimitTon", 0x0C1, {14}, 14, "*"},
                                           SSetting{"TelTotTim", 0x110, {0x01, 0x23}, 255, nullptr},
                                           SSetting{"TelTotTim", 0x110, {0x00, 0x12}, 18, nullptr},
                                           SSetting{
                                               "TelHangOnTim", 0x112, {0x00, 0x34}, 0x34, nullptr},
                                           SSetting{"RingTimes", 0x0C2, {0x20}, 15, nullptr},
                                           SSetting{"OnHookTimes", 0x0C3, {0x07}, 7, nullptr},
                                           SSetting{"SysCtrl", 0x0D7, {0x40}, 1, "Enable"},
                                           SSetting{"TelFunc", 0x0D7, {0x40}, 0, "Inhibit"},
                                           SSetting{"PulseMakeRate", 0x0D6, {0x80}, 1, "39%"},
                                           SSetting{"DialMode", 0x0D6, {0x02}, 1, "Pulse Dialing"},
                                           SSetting{"PulseSpeed", 0x0D6, {0x01}, 1, "10PPS"},
                                           SSetting{"ABCDelayTim", 0x10B, {0x99}, 0x99, nullptr},
                                           SSetting{"MarkTim", 0x0EB, {0x42}, 0x42, nullptr}));

TEST(DtmfSettings, EncodeWritesCappedValues) {
    struct {
        const char* field;
        int value;
        uint32_t addr;
        Bytes bytes;
    } const cases[] = {
        {"NoTonTim", 7, 0x1E6, {0x08}},          {"NoTonTim", 253, 0x1E6, {0xFE}},
        {"TelCallProhibit", 10, 0x0C4, {0xFF}},  {"TelCallProhibit", 0, 0x0C4, {0x00}},
        {"TelTotTim", 200, 0x110, {0x00, 0xC8}}, {"HeadTon", 15, 0x0C0, {0x0F}},
        {"RingTimes", 15, 0x0C2, {0x0F}},
    };
    SDocument doc(ModelLMR);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        doc.Node(std::string("DtmfCodeCH.DtmfSet.") + c.field).SetValue(c.value);
        doc.Radio().EncodeArea(EArea::DtmfSettings, doc.Image());
        EXPECT_EQ(ReadBytes(doc.Image(), c.addr, static_cast<uint32_t>(c.bytes.size())), c.bytes);
    }
    // Bits share their bytes with other fields: only their own bit changes.
    doc.Image().SetByte(0x0D7, 0x3F);
    doc.Node("DtmfCodeCH.DtmfSet.TelFunc").SetValue(1);
    doc.Node("DtmfCodeCH.DtmfSet.SysCtrl").SetValue(0);
    doc.Radio().EncodeArea(EArea::DtmfSettings, doc.Image());
    EXPECT_EQ(doc.Image().GetByte(0x0D7), 0xBF);
}

} // namespace
