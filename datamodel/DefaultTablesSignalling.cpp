// Factory state of the signalling fields: DTMF (both variants), 2Tone (LMR) and
// 5Tone (PMR). The bits these fields have in 0x00BB .. 0x00BF, 0x00D3, 0x00D6 and
// 0x00D7 come from the common rows in DefaultTables.cpp.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "datamodel/FactoryRows.h"
#include "datamodel/memmap/SignallingFactory.h"
#include "datamodel/nodes/ToneNodes.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Times(int count, const Bytes& record) {
    Bytes all;
    for (int i = 0; i < count; ++i)
        all.insert(all.end(), record.begin(), record.end());
    return all;
}

Bytes Fill(int count, uint8_t byte) {
    return Bytes(static_cast<size_t>(count), byte);
}

// 16-bit word, high byte first.
Bytes Word(int w) {
    return {static_cast<uint8_t>(w >> 8), static_cast<uint8_t>(w & 0xFF)};
}

Bytes Spaces(int names) {
    return Fill(10 * names, ' ');
}

// The 2Tone tones: transmit codes and the receive windows around the tone.
Bytes TwoToneTxCodes() {
    const Bytes code = Word(CQUsrTonEncNode::HzToCode(kTwoToneFactoryHz));
    return Cat({code, code});
}

Bytes TwoToneRxWindows() {
    int low = 0, high = 0;
    CQ2ToneRxChNode::ToneWindow(10 * kTwoToneFactoryHz, low, high);
    const Bytes window = Cat({Word(low), Word(high)});
    return Times(3, Cat({window, window}));
}

// The 5Tone user tones: 15 encoder codes, then 15 windows (low, high).
Bytes UserToneCodes() {
    Bytes all;
    for (int hz : kUserToneFactoryHz)
        all = Cat({all, Word(CQUsrTonEncNode::HzToCode(hz))});
    return all;
}

Bytes UserToneWindows() {
    Bytes all;
    for (int hz : kUserToneFactoryHz)
        all = Cat({all, Word(UserToneFactoryLow(hz)), Word(UserToneFactoryHigh(hz))});
    return all;
}

} // namespace

// clang-format off
const std::vector<SFactoryRow>& SignallingFactoryRows() {
    static const std::vector<SFactoryRow> rows = {
        // DTMF settings: "HeadTon" "0", "DelimitTon" "0", "RingTimes" 0, "OnHookTimes" 0,
        // "TelCallProhibit" "OFF".
        {0x00C0, {0x00, 0x00, 0x00, 0x00, 0xFF}},
        // "DtmfTim", "1stTim", "MarkTim".
        {0x00E9, {0x00, 0x00, 0x00}},
        // "ABCDelayTim", "RingOffTim", "RingOnTim", "OnHookOffTim", "OnHookOnTim",
        // "TelTotTim" (word), "TelHangOnTim" (word).
        {0x010B, Cat({{0x00, 0x00, 0x00, 0x00, 0x00}, Word(0), Word(0)})},
        // DTMF "NoTonTim" 2.
        {0x01E6, {0x02}},

        // 5Tone "LnkRTim", "Lnk1Tim", "Lnk2Tim", "LnkATim", "LngTonTim" (LMR: 2Tone
        // "1stTonPeriod"), "LeadOutDlyTim".
        {0x00E3, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        // 2Tone "GroupTim".
        {0x00EC, {0x00}},
        // 5Tone "IdDecTim", "ABCDecTim".
        {0x00EF, {0x00, 0x00}},
        // "AutTxTim" (2Tone and 5Tone).
        {0x00FB, {0x00}},

        // LMR: 2Tone "1stTonFreq", "2ndTonFreq" as tone codes.
        // PMR: 5Tone user tones "0" .. "14" "Enc" as tone codes.
        {0x0170, TwoToneTxCodes(), UserToneCodes()},
        // LMR: decode windows of 2Tone "CH1" .. "CH3", both tones.
        // PMR: "DecL", "DecH" of the user tones.
        {0x018E, TwoToneRxWindows(), UserToneWindows()},
        // 5Tone formats "USER" .. "EIA": "TonPeriod" 0 (LMR: 2Tone "2ndTonPeriod" at 0x01CA),
        // "NoTonTim" 2 (LMR: 2Tone "NoTonTim" at 0x01D3), "TonLen" 11 (byte 1); "DTMF"
        // "TonPeriod" 0.
        {0x01CA, Cat({Fill(9, 0x00), Fill(9, 0x02), Fill(9, 0x01), {0x00}})},

        // LMR: 2Tone "CodeType" "Individual" (low nibble of 0x0700 not F), every
        // six-byte group 01 FF FF FF 00 00.
        // PMR: 5Tone "TXCodeCH" "CH1" .. "CH32": no code, no input digits, "UpDate",
        // "ABCDec", "ABCAud" "OFF", no name, "Sel" "OFF" (stored 1).
        {0x0700, Times(32, {0x01, 0xFF, 0xFF, 0xFF, 0x00, 0x00}),
                 Times(32, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x10})},
        // Receive records from S = 0x07C0 of the group channel "CHG" (its first four bytes
        // belong to the last transmit group), then the numbered channels from S - 4.
        // S: "+" marks (PMR); S+1: "ANS" "OFF" / "ABC" "OFF"; S+2: "Beep" "Null" (code 4);
        // S+3: no name, "Stun" "OFF"; S+4: "AutTx" "OFF".
        // LMR: 2Tone "CH1" .. "CH3", "Group" "1st".
        // PMR: 5Tone "CH1" .. "CH8", no code.
        {0x07C0, Cat({{0x00, 0x00, 0x04, 0x00, 0x00},
                      Times(3, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00})}),
                 Cat({{0x00, 0x00, 0x04, 0x00, 0x00},
                      Times(8, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x04, 0x00, 0x00})})},

        // DTMF "TxCodeCH" "CH1" .. "CH20": no digits, count 0.
        {0x0900, Times(20, Cat({Fill(12, 0xFF), {0x00}}))},
        // DTMF "RxCodeCH" "CH1" .. "CH20": no digits, count 0, flags: "Beep" "Null" (code 4),
        // "Lcd", "SpMute" "Null", "CodeMr" "OFF", no name; two bytes unused.
        {0x0A60, Times(20, Cat({Fill(12, 0xFF), {0x00, 0x04, 0x00, 0x00}}))},
        // DTMF "TxSysCodeCH" "CH1" .. "CH6": "0000".
        {0x0C00, Times(6, {0x00, 0x00})},
        // DTMF "TelTotCode" "0000".
        {0x0C2A, {0x00, 0x00}},
        // DTMF "RxSysCodeCH" "CH1" .. "CH20": "0000".
        {0x0C30, Times(20, {0x00, 0x00})},

        // Names: 5Tone transmit channels, 2Tone / 5Tone receive channels ("CHG" first),
        // DTMF receive channels.
        {0x1610, Spaces(32)},
        {0x1750, Spaces(9)},
        {0x1890, Spaces(20)},
    };
    return rows;
}
// clang-format on
