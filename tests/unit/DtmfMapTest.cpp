#include <gtest/gtest.h>

#include "SignallingTestSupport.h"

using namespace signalling_test;

namespace {

constexpr uint32_t kTx20 = 0x0900 + 13 * 19; // last transmit record
constexpr uint32_t kRx20 = 0x0A60 + 16 * 19; // last receive record
constexpr uint32_t kName20 = 0x1890 + 10 * 19;
const char* const kTxCode = "DtmfCodeCH.TxCodeCH.CH20.Code";
const char* const kRx = "DtmfCodeCH.RxCodeCH.CH20.";
const std::string kSet = "DtmfCodeCH.DtmfSet.";

std::string Rx(const char* field) {
    return std::string(kRx) + field;
}

TEST(DtmfMap, Decoding) {
    const EArea tx = EArea::DtmfTxCodeCh, rx = EArea::DtmfRxCodeCh, set = EArea::DtmfSettings;
    const Bytes name = {'C', 'a', 'l', 'l', ' ', '2', 0x01, ' ', ' ', ' '};
    const std::string rxCode = Rx("Code"), lcd = Rx("Lcd"), beep = Rx("Beep"),
                      spMute = Rx("SpMute"), codeMr = Rx("CodeMr"), text = Rx("Text");
    // clang-format off
    CheckDecoding(ModelLMR, {
        {{{kTx20, {0x12, 0x3E, 0xF0}}, {kTx20 + 12, {4}}}, tx, 19, kTxCode, "123*"},
        {{{kTx20 + 12, {5}}}, tx, 19, kTxCode, "123*#"},
        {{{kTx20 + 12, {0}}}, tx, 19, kTxCode, ""},
        {{{kTx20, Bytes(12, 0xAB)}, {kTx20 + 12, {0xFF}}}, tx, 19, kTxCode,
         "ABABABABABABABABABABABAB"},                                  // count 0xFF: 24 digits
        {{{kRx20, Bytes(12, 0xCD)}, {kRx20 + 12, {25}}}, rx, 19, rxCode,
         "CDCDCDCDCDCDCDCDCDCDCDCD"},
        {{{kRx20 + 13, {0x8B}}}, rx, 19, beep, "8"},          // code 11: "Emer"
        {{}, rx, 19, lcd, "1"},
        {{{kRx20 + 13, {0x09}}}, rx, 19, beep, "0"},          // code 9: "Null"
        {{{kRx20 + 13, {0x34}}}, rx, 19, beep, "0"},          // code 4: "Null"
        {{}, rx, 19, spMute, "1"}, {{}, rx, 19, codeMr, "1"},
        {{{kRx20 + 13, {0x00}}}, rx, 19, beep, "1"},
        {{{kRx20 + 13, {0x07}}}, rx, 19, beep, "7"},
        {{{kName20, name}, {kRx20 + 13, {0x40}}}, rx, 19, text, "Call 2"},
        {{{kRx20 + 13, {0x00}}}, rx, 19, text, ""},          // no name flag
        {{{0x0C0A, {0x1E, 0xF9}}}, EArea::DtmfTxSysCode, 5, "DtmfCodeCH.TxSysCodeCH.CH6.Code", "1*#9"},
        {{{0x0C56, {0xD0, 0x0A}}}, EArea::DtmfRxSysCode, 19, "DtmfCodeCH.RxSysCodeCH.CH20.Code", "D00A"},
        {{{0x0C2A, {0x98, 0x76}}}, set, 0, kSet + "TelTotCode", "9876"},
        {{{0x0C4, {0x0A}}}, set, 0, kSet + "TelCallProhibit", "255"},
        {{{0x0C4, {0x09}}}, set, 0, kSet + "TelCallProhibit", "9"},
        {{{0x1E6, {7}}}, set, 0, kSet + "NoTonTim", "8"},
        {{{0x1E6, {0}}}, set, 0, kSet + "NoTonTim", "2"},
        {{{0x1E6, {0xFF}}}, set, 0, kSet + "NoTonTim", "254"},
        {{{0x0C0, {0x20}}}, set, 0, kSet + "HeadTon", "15"},
        {{{0x110, {0x01, 0x23}}}, set, 0, kSet + "TelTotTim", "255"},
        {{{0x0C2, {0x20}}}, set, 0, kSet + "RingTimes", "15"},
        {{{0x0D7, {0x40}}}, set, 0, kSet + "SysCtrl", "1"},
        {{}, set, 0, kSet + "TelFunc", "0"},
        {{{0x0D6, {0x81}}}, set, 0, kSet + "PulseMakeRate", "1"},
        {{}, set, 0, kSet + "PulseSpeed", "1"},
    });
    // clang-format on
}

TEST(DtmfMap, Encoding) {
    const EArea tx = EArea::DtmfTxCodeCh, set = EArea::DtmfSettings;
    const Bytes filled(13, 0x77);
    const std::string beep = Rx("Beep"), text = Rx("Text");
    // clang-format off
    CheckEncoding(ModelLMR, {
        // Only the bytes that hold digits are written; an odd code ends in a 0 nibble.
        {kTxCode, "12345", tx, 19, {kTx20, filled},
         {0x12, 0x34, 0x50, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 5}},
        {kTxCode, "1 2*#", tx, 19, {kTx20, filled}, {0x12, 0xEF, 0x77}},   // blanks dropped
        {kTxCode, "abG9", tx, 19, {kTx20, filled}, {0xAB, 0x09, 0x77}},    // not hex: 0
        {kTxCode, "123456789012345678901234567890", tx, 19, {kTx20, filled},
         {0x12, 0x34, 0x56, 0x78, 0x90, 0x12, 0x34, 0x56, 0x78, 0x90, 0x12, 0x34, 24}},
        {kTxCode, "", tx, 19, {kTx20, filled}, {0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77,
                                                0x77, 0x77, 0x77, 0x77, 0x00}},
        // The whole flag byte is written: no name, "Lcd", "SpMute", "CodeMr" 0.
        {beep, "8", EArea::DtmfRxCodeCh, 19, {kRx20 + 13, {0xF0}}, {0x0B}},
        {beep, "0", EArea::DtmfRxCodeCh, 19, {kRx20 + 13, {0xF0}}, {0x04}},
        {beep, "9", EArea::DtmfRxCodeCh, 19, {kRx20 + 13, {0xF0}}, {0x04}},
        {beep, "4", EArea::DtmfRxCodeCh, 19, {kRx20 + 13, {0xF0}}, {0x03}},
        {text, "Gate\x7F", EArea::DtmfRxCodeCh, 19, {kName20, Bytes(10, 0)},
         {'G', 'a', 't', 'e', ' ', ' ', ' ', ' ', ' ', ' '}},
        {text, "Gate", EArea::DtmfRxCodeCh, 19, {kRx20 + 13, {}}, {0x43}},  // name flag set
        {text, "   ", EArea::DtmfRxCodeCh, 19, {kName20, {}}, Bytes(10, ' ')},
        {text, "", EArea::DtmfRxCodeCh, 19, {kRx20 + 13, {}}, {0x03}},
        {"DtmfCodeCH.TxSysCodeCH.CH6.Code", "#*12", EArea::DtmfTxSysCode, 5, {0x0C0A, {}}, {0xFE, 0x12}},
        {"DtmfCodeCH.TxSysCodeCH.CH6.Code", " 1 2", EArea::DtmfTxSysCode, 5, {0x0C0A, {}}, {0x12, 0x00}},
        {kSet + "NoTonTim", "253", set, 0, {0x1E6, {}}, {0xFE}},
        {kSet + "TelCallProhibit", "10", set, 0, {0x0C4, {}}, {0xFF}},
        {kSet + "TelTotTim", "200", set, 0, {0x110, {}}, {0x00, 0xC8}},
        // Bits keep the other bits of their byte.
        {kSet + "TelFunc", "1", set, 0, {0x0D7, {0x3F}}, {0xBF}},
    });
    // clang-format on
}

} // namespace
