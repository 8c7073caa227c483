// Factory state of the settings fields: each field decodes as its node's default.
// Fields inside 0x00A0..0x00BF and 0x00D0..0x00DF take their bytes from the common
// rows of DefaultTables.cpp; the bits of these rows are listed here for reference:
//   0x00A0..A1 "UsrPswd" "0000"; 0x00A5 scrambler Rolling, group 1, Standard, OFF;
//   0x00AC "KeyP0Conv" Null; 0x00B3/B4/B6 beep dividers 191, 95, 159 (500, 1000, 600 Hz);
//   0x00D3 bit 2 "TrDataOut" Enable; 0x00D4 bits 7 and 2 "Beep" ON, "AudioFilter"
//   300-3000Hz, bit 5 clear (no opening text); 0x00D7 bit 5 "SetModeAccess" Enable;
//   0x00D9 bit 5 "AlertBeep" ON; every other settings bit there 0.
#include "datamodel/FactoryRows.h"

// clang-format off
const std::vector<SFactoryRow>& SettingsFactoryRows() {
    using Bytes = std::vector<uint8_t>;
    const Bytes spaces16(16, ' ');
    static const std::vector<SFactoryRow> rows = {
        // Maker reserved.
        {0x000B, {0x00}},                    // SqlDelayOn, DtcsPolTx, DtcsPolRx, PllRef: 0
        {0x0010, {0x80, 0x09, 0x99, 0x87}},  // IfFreq -99.98750 MHz (sign, BCD kHz 0099987)
        {0x0014, {0x00, 0x00}},              // LockCheckTimTx, LockCheckTimRx
        {0x0018, {0x00, 0x00, 0x00}},        // SigDetTim, NoisDetTim, SqlDelayTim
        {0x001B, {0x00, 0x00}},              // UnlockIgnoreTimTx, UnlockIgnoreTimRx
        {0x001E, {0x01}},                    // DtcsDec 12
        {0x0020, {0x00, 0x00, 0x00, 0x00}},  // OnPSetTim, OnMutTim, OffWaitTim, OffMuteDelayTim

        // Expert.
        {0x00C5, {0xC8, 0xC8}},              // AlertTempReg, AlertTempPa -30 C (170 - t)
        {0x00C7, {0x00}},                    // AlertTelCodeTimes
        {0x00F1, {0x00, 0x00, 0x00}},        // EmrSwOnTim, EmrSwOfTim, EmrStrRepTim
        {0x00F7, {0x00}},                    // BeepRepTim
        {0x010A, {0x00}},                    // CwIdDotPeriod
        {0x0128, {0x00}},                    // BackupStatus Master (bit 5)
        {0x01EA, {0x0C, 0x80}},              // UsrCtcssFreq 60.0 Hz (divider 3200)
        {0x0C28, {0x00, 0x00}},              // AlertTelCode "0000"
        {0x1960, Bytes(32, 0xFF)},                  // CwIdCode empty

        // Common.
        {0x00E2, {0x00}},                    // RevBurst
        {0x00F5, {0x00, 0x00}},              // BasePenaltyTim, LckOutPenTim
        {0x00F8, {0x00, 0x00, 0x00}},        // AutoResTimA, AutoResTimB, InATim
        {0x0100, {0x00, 0x00, 0x00, 0x00}},  // BaseTotTim, RptTotTim (words, high byte first)
        {0x0104, {0x00, 0x00, 0x00, 0x00}},  // RptPenaltyTim, HangOnTim, RptLogInTim, RptLogOfTim
        {0x0108, {0x00, 0x00}},              // RptLogIntTim
        {0x0150, spaces16},                 // Comment1
        {0x0160, spaces16},                 // Comment2

        // Key and display.
        {0x1880, spaces16},                 // Text (shown only with 0x00D4 bit 5)
    };
    return rows;
}
// clang-format on
