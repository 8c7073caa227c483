// "CommonSet": the common, expert and key & display settings.
#include "RadioDataManager.h"

#include "datamodel/DataManagers.h"
#include "datamodel/memmap/Codecs.h"
#include "datamodel/memmap/SettingsCodecs.h"
#include "datamodel/nodes/SettingNodes.h"

using namespace settings;

namespace {

// Places of the settings block the rows share with the normalisation.
constexpr uint32_t kKeyCodeAddr = 0x0AC;    // "KeyP0Conv"
constexpr int kKeyIdMrSelect = 31;          // its code of "ID-MR Select"
constexpr uint32_t kBeepDividers = 0x0B3;   // "BeepFreqL", "BeepFreqH" and a third
constexpr uint32_t kBeepCopies = 0x0B0;     // a copy of the three
constexpr uint32_t kModeFlags = kModelAddr; // "DTCSInv..", the variant, "MRCodeDisp"
constexpr int kMrCodeDispBit = 1, kModeSpareBit = 5;
constexpr uint32_t kBurstFlags = 0x0D2; // "TonBurst"; bit 0: the front key is "ID-MR Select"
constexpr uint32_t kTelFlags = 0x0D6;   // "AlertTelCodeDelayTimer" and the DTMF dialling
constexpr uint32_t kRptFlags = 0x0D8;   // the repeater's identification and timeouts
constexpr uint32_t kSpareFlags = 0x0DE; // no row
constexpr uint32_t kInATimAddr = 0x0FA;
constexpr uint32_t kBackupFlags = 0x128; // "BackupStatus"

SFieldDef BeepRow(const char* name, uint32_t addr, int def) {
    return CodecRow(NodeRow<CQBeepFreqNode>(name, def, 400, 3000), addr, DecodeBeep, EncodeBeep);
}

SFieldDef TempRow(const char* name, uint32_t addr) {
    return CodecRow(NodeRow<CTolvarTempNode>(name, -30, -30, 130), addr, DecodeTemp, EncodeTemp);
}

const std::vector<SOption> kKeyConvLmr = {
    {"Null", 0},
    {"Prio A", 1},
    {"Prio A (Rewrite)", 2},
    {"Disp Select", 3},
    {"Lock", 4},
    {"High/Low", 5},
    {"Wide/Narrow", 6},
    {"Call", 7},
    {"Emergency Single", 8},
    {"Emergency Repeat", 9},
    {"Scrambler", 10},
    {"Sp. Func 1", 11},
    {"Sp. Func 2", 12},
};

const std::vector<SOption> kKeyConvPmr = {
    {"Null", 0},
    {"Prio A", 1},
    {"Prio A (Rewrite)", 2},
    {"Disp Select", 3},
    {"Lock", 4},
    {"High/Low", 5},
    {"Wide/Narrow", 6},
    {"Call", 7},
    {"Call A (Code 30)", 8},
    {"Call B (Code 29)", 9},
    {"Emergency Single", 10},
    {"Emergency Repeat", 11},
    {"TX Code", 12},
    {"ID-MR Select", 13},
    {"Scrambler", 14},
    {"Sp. Func 1", 15},
    {"Sp. Func 2", 16},
};

// The front key's function codes.
const std::vector<SOption> kKeyCodes = {
    {"Null", 0},
    {"Disp Select", 7},
    {"Prio A", 8},
    {"Prio A (Rewrite)", 9},
    {"Lock", 16},
    {"High/Low", 17},
    {"Wide/Narrow", 20},
    {"Call", 23},
    {"Call A (Code 30)", 24},
    {"Call B (Code 29)", 25},
    {"Emergency Single", 26},
    {"Emergency Repeat", 27},
    {"TX Code", 28},
    {"ID-MR Select", kKeyIdMrSelect},
    {"Scrambler", 32},
    {"Sp. Func 1", 48},
    {"Sp. Func 2", 49},
};

const FieldTable& CommonTable() {
    static const FieldTable table = {
        CodecRow(TextRow("Comment1", 16, kPlainText), 0x150, DecodeFixedText, EncodeFixedText),
        CodecRow(TextRow("Comment2", 16, kPlainText), 0x160, DecodeFixedText, EncodeFixedText),
        CodecRow(TextRow("UsrPswd", kCode4Digits, kHexText, true), 0x0A0, DecodeHexCode4,
                 EncodeCode4),
        BitRow("PwrOnPswd", 0x0D5, 5, kOffOn),
        BitRow("TrDataOut", 0x0D3, 2, kInhibitEnable, 1),
        BitRow("TonBurst", kBurstFlags, 3, {{"Notone", 0}, {"Phase", 1}}),
        ByteRow("RevBurst", 0x0E2),
        BitRow("AudioFilter", 0x0D4, 2, {{"0-3000Hz", 0}, {"300-3000Hz", 1}}, 1),
        ByteRow("AutoResTimA", 0x0F8),
        ByteRow("AutoResTimB", 0x0F9),
        ByteRow("InATim", kInATimAddr),
        WordRow("BaseTotTim", 0x100, 4095),
        ByteRow("BasePenaltyTim", 0x0F5),
        BitRow("BaseTotIdOut", 0x0D3, 5, kOffOn),
        BitRow("BaseTotBeepSp", 0x0D3, 4, kOffOn),
        ByteRow("LckOutPenTim", 0x0F6),
        BitRow("ScrmType", 0x0A5, 3, {{"Rolling", 0}, {"Non-Rolling", 1}}),
        CodecRow({.name = "ScrmGrp",
                  .value = 1,
                  .def = 1,
                  .min = 1,
                  .max = 4,
                  .options = NumberOptions(1, 4)},
                 0x0A5, DecodeScrmGrp, EncodeScrmGrp),
        CodecRow({.name = "SyncCap",
                  .kind = EKind::Bit,
                  .max = 1,
                  .options = {{"Standard", 0}, {"Continuous", 1}}},
                 0x0A5, DecodeSyncCap, EncodeSyncCap),
        {.name = "TonStrTim",
         .options = {{"OFF", 0}, {"0.300", 1}, {"0.600", 2}, {"1.100", 3}},
         .bind = EBind::Bits,
         .addr = 0x0A5,
         .bit = 5,
         .width = 2,
         .cap = 3},
        WordRow("RptTotTim", 0x102, 4095),
        ByteRow("RptPenaltyTim", 0x104),
        BitRow("RptTotIdOut", kRptFlags, 6, kOffOn),
        UnboundRow("RptTotBeepSp", EKind::Bit, kOffOn),
        BitRow("RptTotBeepTx", kRptFlags, 4, kOffOn),
        BitRow("IntPenalty", kRptFlags, 7, kOffOn),
        ByteRow("HangOnTim", 0x105),
        BitRow("CtoneHangOn", kRptFlags, 3, kOffOn),
        ByteRow("RptLogInTim", 0x106),
        ByteRow("RptLogOfTim", 0x107),
        WordRow("RptLogIntTim", 0x108, 5940),
        BitRow("IdOutRpt", kRptFlags, 1, kOffOn),
        BitRow("CtoneIdOut", kRptFlags, 2, kOffOn),
    };
    return table;
}

const FieldTable& ExpertTable() {
    static const FieldTable table = {
        BitRow("DTCSInvTx", kModeFlags, 7, {{"Normal", 0}, {"Inverse", 1}}),
        BitRow("DTCSInvRx", kModeFlags, 6, {{"Normal", 0}, {"Inverse", 1}}),
        CodecRow(NodeRow<CTolvarUsrCtcssFreqNode>("UsrCtcssFreq", 600, 600, 3000), 0x1EA,
                 DecodeUsrCtcss, EncodeUsrCtcss),
        BeepRow("BeepFreqL", kBeepDividers, 500),
        BeepRow("BeepFreqH", kBeepDividers + 1, 1000),
        ByteRow("BeepRepTim", 0x0F7, 60),
        ByteRow("EmrSwOnTim", 0x0F1),
        ByteRow("EmrSwOfTim", 0x0F2),
        ByteRow("EmrStrRepTim", 0x0F3),
        CodecRow(TextRow("CwIdCode", 32, kCwText), 0x1960, DecodeCwText, EncodeCwText),
        ByteRow("CwIdDotPeriod", 0x10A),
        BeepRow("CwIdTonFreq", 0x0B6, 600),
        TempRow("AlertTempReg", 0x0C5),
        TempRow("AlertTempPa", 0x0C6),
        BitRow("AlertTxUnlock", 0x0D9, 6, kOffOn),
        BitRow("AlertRxUnlock", 0x0D9, 7, kOffOn),
        BitRow("AlertBeep", 0x0D9, 5, kOffOn, 1),
        BitRow("AlertTel", 0x0D9, 2, kOffOn),
        CodecRow(TextRow("AlertTelCode", kCode4Digits, kDtmfText, true), 0xC28, DecodeDtmfCode4,
                 EncodeCode4),
        ByteRow("AlertTelCodeTimes", 0x0C7),
        BitRow("AlertTelCodeDelayTimer", kTelFlags, 3, {{"4.0", 0}, {"2.0", 1}}),
        BitRow("Backup", 0x0D9, 1, kOffOn),
        BitRow("SetModeAccess", 0x0D7, 5, kInhibitEnable, 1),
        BitRow("AdjustModeAccess", 0x0D7, 4, kInhibitEnable),
        BitRow("BackupStatus", kBackupFlags, 5, {{"Master", 0}, {"Slave", 1}}),
        BitRow("AccChSel", 0x0D7, 3, kInhibitEnable),
        BitRow("BusyOut", 0x0D7, 2, {{"SQL", 0}, {"C.Tone", 1}}),
    };
    return table;
}

const FieldTable& KeyDispTable() {
    static const FieldTable table = {
        UnboundRow("Key_Conv_LMR", EKind::Num, kKeyConvLmr, kModelsLMR),
        UnboundRow("Key_Conv_PMR", EKind::Num, kKeyConvPmr, kModelsPMR),
        CodecRow({.name = "KeyP0Conv", .options = kKeyCodes}, kKeyCodeAddr, DecodeKeyCode,
                 EncodeKeyCode),
        BitRow("RFPwrSel", 0x0D5, 2, {{"MR CH Individual", 0}, {"Override", 1}}),
        BitRow("MRCodeDisp", kModeFlags, kMrCodeDispBit, {{"MR CH", 0}, {"MR CH+TX CODE CH", 1}}),
        CodecRow(TextRow("Text", 16, kPlainText), 0x1880, DecodeOpeningText, EncodeOpeningText),
        BitRow("Beep", 0x0D4, 7, kOffOn, 1),
    };
    return table;
}

// The bits of the block no row writes, the copies, and in LMR the PMR settings.
void NormaliseSettingsBlock(const SNormalise& step) {
    CEepromImage& image = step.image;
    if (step.model == ModelLMR) {
        step.RestoreBit(kModeFlags, kMrCodeDispBit);
        step.RestoreByte(kInATimAddr);
    }
    image.SetBit(kRptFlags, 5, 0);
    for (uint32_t k = 0; k < 3; ++k)
        image.SetByte(kBeepCopies + k, image.GetByte(kBeepDividers + k));
    step.RestoreBit(kModeFlags, kModeSpareBit);
    for (int bit : {7, 6, 4, 3, 2, 1, 0})
        image.SetBit(kBackupFlags, bit, 0);
    image.SetBit(kTelFlags, 6, 1);
    image.SetBit(kTelFlags, 5, 0);
    image.SetBit(kTelFlags, 4, 1);
    image.SetBit(kTelFlags, 2, 0);
    for (int bit : {3, 7, 1, 5})
        image.SetBit(kSpareFlags, bit, 0);
    image.SetBit(kBurstFlags, 0, image.GetByte(kKeyCodeAddr) == kKeyIdMrSelect ? 1 : 0);
}

} // namespace

void BuildCommonSetMap(CTolvarRadioDataManager& manager, CNode& root) {
    CNode* commonSet = manager.Make<CNode>(&root, "CommonSet");
    BuildSettingsGroup(manager, *commonSet, "Common", CommonTable(), EArea::Common);
    BuildSettingsGroup(manager, *commonSet, "Expert", ExpertTable(), EArea::Expert);
    BuildSettingsGroup(manager, *commonSet, "KeyDisp", KeyDispTable(), EArea::KeyDisp);
    manager.RegisterArea(EArea::SettingsFixed,
                         {.count = 1, .inAll = false, .normalise = NormaliseSettingsBlock});
}
