#include "SettingSheets.h"

#include "datamodel/memmap/TimeForm.h"
#include "datamodel/memmap/TreeAccess.h"
#include "datamodel/nodes/Node.h"

namespace {

// The label of a row's control: its title without the indent.
const char* Label(const char* title) {
    while (*title == ' ')
        ++title;
    return title;
}

SSettingRow Heading(const char* title) {
    return {title, {}};
}

// A setting row with one control made from its field.
SSettingRow Row(const char* title, const char* field) {
    return {title, {{field, Label(title)}}};
}

// A setting row whose edit box keeps only some characters while typing.
SSettingRow Typed(const char* title, const char* field, const char* keep, bool upper = true,
                  bool dtmfLetters = false) {
    SEditorField editorField{field, Label(title), EFieldControl::Edit, keep, upper};
    editorField.dtmfLetters = dtmfLetters;
    return {title, {editorField}};
}

// The field names of the digit rows, fixed for the program's life.
const char* const kCompDigits[] = {"CompDigit1", "CompDigit2", "CompDigit3", "CompDigit4",
                                   "CompDigit5", "CompDigit6", "CompDigit7"};
const char* const kDspDigits[] = {"DspDigit1", "DspDigit2", "DspDigit3", "DspDigit4",
                                  "DspDigit5", "DspDigit6", "DspDigit7"};

// A row of seven digit flags shown side by side.
SSettingRow DigitRow(const char* title, const char* const (&names)[7]) {
    static const char* const numbers[] = {"1", "2", "3", "4", "5", "6", "7"};
    SSettingRow row{title, {}};
    for (int d = 0; d < 7; ++d)
        row.fields.push_back({names[d], numbers[d], EFieldControl::Check});
    return row;
}

std::vector<SSettingSheet> MakeSheets() {
    std::vector<SSettingSheet> sheets;
    // clang-format off
    sheets.push_back({39, "CTolvarDtmfSetSheet", "Column_DtmfSetSheet", "DTMF Setting",
        "DtmfCodeCH.DtmfSet", {120, 40, 400, 15}, {85, 40, 400, 18}, {
        Heading("Code Setting"),
        Row("    DTMF Timer", "DtmfTim"),
        Row("    1st Timer", "1stTim"),
        Row("    [*][#] Timer", "MarkTim"),
        Row("    Notone Timer", "NoTonTim"),
        Heading("System Control"),
        Row("    Control", "SysCtrl"),
        Row("    Header Tone", "HeadTon"),
        Row("    De-limiter Tone", "DelimitTon"),
        Row("    ABC Delay Timer", "ABCDelayTim"),
        Row("TEL Function", "TelFunc"),
        Heading("TEL Restriction"),
        Row("    TOT Timer", "TelTotTim"),
        Typed("    TOT Code", "TelTotCode", kKeepDtmfFixed, true, true),
        Row("    Hang ON Timer", "TelHangOnTim"),
        Row("    Call Prohibition", "TelCallProhibit"),
        Heading("Dial"),
        Row("    Mode", "DialMode"),
        Row("    Pulse Speed", "PulseSpeed"),
        Row("    Pulse Make Rate", "PulseMakeRate"),
        Heading("Ringer"),
        Row("    OFF Timer", "RingOffTim"),
        Row("    ON Timer", "RingOnTim"),
        Row("    Times", "RingTimes"),
        Heading("ON-hook"),
        Row("    OFF Timer", "OnHookOffTim"),
        Row("    ON Timer", "OnHookOnTim"),
        Row("    Times", "OnHookTimes"),
        }, "Edit DTMF Setting", {{"DTMF Setting 1", 156, 0}, {"DTMF Setting 2", 157, 10}}});

    sheets.push_back({41, "CTolvar2ToneRxSetSheet", "Column_2ToneRxSetSheet",
        "2Tone RX Code Setting", "2ToneCodeCH.RxCodeCom", {85, 40, 200, 15}, {50, 40, 200, 18}, {
        Row("Notone Timer", "NoTonTim"),
        Row("Group Timer", "GroupTim"),
        Row("Auto TX Timer", "AutTxTim"),
        }, nullptr, {{"Edit 2Tone RX Code Setting", 161, 0}}});

    sheets.push_back({42, "CQ2ToneTxSheet", "Column_2ToneTxSheet", "2Tone TX Code",
        "2ToneCodeCH.TXCode", {75, 40, 100, 15}, {65, 40, 100, 18}, {
        Row("Code Type", "CodeType"),
        Heading("1st Tone"),
        Row("    Frequency", "1stTonFreq"),
        Row("    Period", "1stTonPeriod"),
        Heading("2nd Tone"),
        Row("    Frequency", "2ndTonFreq"),
        Row("    Period", "2ndTonPeriod"),
        }, nullptr, {{"Edit 2Tone TX Code", 29018, 0}}});

    sheets.push_back({44, "CTolvar5ToneRxSetSheet", "Column_5ToneRxSetSheet",
        "5Tone Rx Code Setting", "5ToneCodeCH.RxCodeCom", {95, 40, 200, 15}, {60, 40, 200, 18}, {
        Row("Link A Timer", "LnkATim"),
        DigitRow("Compare Digit", kCompDigits),
        Row("ID Decode Timer", "IdDecTim"),
        Row("Auto TX Timer", "AutTxTim"),
        }, nullptr, {{"Edit 5Tone RX Code Setting", 162, 0}}});

    sheets.push_back({46, "CQ5ToneTxSetSheet", "Column_5ToneTxSetSheet",
        "5Tone Tx Code Setting", "5ToneCodeCH.TxCodeCom", {120, 40, 100, 15}, {60, 40, 100, 18}, {
        Row("Long Tone Timer", "LngTonTim"),
        Row("Link R Timer", "LnkRTim"),
        Row("Link 1 Timer", "Lnk1Tim"),
        Row("Link 2 Timer", "Lnk2Tim"),
        Row("Lead Out Delay Timer", "LeadOutDlyTim"),
        Row("ABC Decode Timer", "ABCDecTim"),
        DigitRow("Displayed Digit", kDspDigits),
        Typed("Special Tone(Group)", "SpcTonGrp", nullptr),
        Typed("Special Tone(Repeat)", "SpcTonRep", nullptr),
        Typed("Special Tone(Link 2)", "SpcTonLnk2", nullptr),
        Row("PTT Call at Inaudible", "PTTCallInA"),
        }, nullptr, {{"Edit 5Tone TX Code Setting", 29010, 0}}});

    SSettingRow key{"Key Assign (PROG)",
                    {{"KeyP0Conv", "Key Assign (PROG)", EFieldControl::List}}};
    key.fields[0].optionsOf = "Key_Conv_%1";
    sheets.push_back({49, "CTolvarKeyDispSheet", "Column_KeyDispSheet", "Key & Display Assign",
        "CommonSet.KeyDisp", {120, 40, 400, 15}, {195, 40, 400, 20}, {
        key,
        Row("Opening Text", "Text"),
        Row("RF Power Selection", "RFPwrSel"),
        Row("MR/Code Display", "MRCodeDisp"),
        Row("Beep", "Beep"),
        }, nullptr, {{"Edit Key & Display Assign", 141, 0}}});

    sheets.push_back({50, "CTolvarCommonSheet", "Column_CommonSheet", "Common",
        "CommonSet.Common", {145, 40, 400, 18}, {190, 40, 400, 18}, {
        Heading("Clone Comment"),
        Typed("    (1)", "Comment1", kKeepPrintable, false),
        Typed("    (2)", "Comment2", kKeepPrintable, false),
        Heading("Security"),
        Typed("    User Password", "UsrPswd", kKeepDigits),
        Row("    PWR ON Password", "PwrOnPswd"),
        Row("    Transceiver Data Out", "TrDataOut"),
        Heading("CTCSS/DTCS"),
        Row("    CTCSS Tone Burst", "TonBurst"),
        Row("    CTCSS Reverse Burst", "RevBurst"),
        Row("    Audio Filter", "AudioFilter"),
        Heading("Auto Reset"),
        Row("    Timer A", "AutoResTimA"),
        Row("    Timer B", "AutoResTimB"),
        Row("    Inactive Timer", "InATim"),
        Heading("BASE TOT/Lockout"),
        Row("    TOT Timer", "BaseTotTim"),
        Row("    TOT Penalty Timer", "BasePenaltyTim"),
        Row("    TOT ID Out", "BaseTotIdOut"),
        Row("    TOT Beep(SP)", "BaseTotBeepSp"),
        Row("    Lockout Penalty Timer", "LckOutPenTim"),
        Heading("Scrambler"),
        Row("    Type", "ScrmType"),
        Row("    Group", "ScrmGrp"),
        Row("    Synchronous Capture", "SyncCap"),
        Row("    Tone Start Timing", "TonStrTim"),
        Heading("RPT TOT"),
        Row("    TOT Timer", "RptTotTim"),
        Row("    TOT Penalty Timer", "RptPenaltyTim"),
        Row("    TOT ID Out", "RptTotIdOut"),
        Row("    TOT Beep", "RptTotBeepTx"),
        Row("    INT during a Penalty", "IntPenalty"),
        Heading("Hang ON"),
        Row("    Timer", "HangOnTim"),
        Row("    C.Tone during a Hang ON", "CtoneHangOn"),
        Heading("RPT Log "),
        Row("    IN Delay Timer", "RptLogInTim"),
        Row("    OFF Delay Timer", "RptLogOfTim"),
        Row("    IN/OFF Interval Timer", "RptLogIntTim"),
        Row("    ID Out during RPT Activation", "IdOutRpt"),
        Row("    C.Tone during ID Out", "CtoneIdOut"),
        }, "Edit Common", {{"Common 1", 143, 0}, {"Common 2", 144, 11}, {"Common 3", 150, 26}}});

    sheets.push_back({51, "CTolvarExpertSheet", "Column_ExpertSheet", "Expert",
        "CommonSet.Expert", {160, 40, 400, 18}, {365, 40, 400, 40}, {
        Heading("CTCSS/DTCS"),
        Row("    TX DTCS Inverse", "DTCSInvTx"),
        Row("    RX DTCS Inverse", "DTCSInvRx"),
        Row("    User CTCSS Freq (Hz)", "UsrCtcssFreq"),
        Heading("Beep"),
        Row("    Low Frequency (Hz)", "BeepFreqL"),
        Row("    High Frequency (Hz)", "BeepFreqH"),
        Row("    Repeat Timer", "BeepRepTim"),
        Heading("Emergency"),
        Row("    SW ON Timer", "EmrSwOnTim"),
        Row("    SW OFF Timer", "EmrSwOfTim"),
        Row("    Start/Repeat Timer", "EmrStrRepTim"),
        Heading("CW ID"),
        Row("    Dot Period", "CwIdDotPeriod"),
        Row("    Tone Frequency (Hz)", "CwIdTonFreq"),
        Typed("    Code", "CwIdCode", kKeepCwId),
        Heading("Alert"),
        Row("    REG Unit TEMP (Degrees C)", "AlertTempReg"),
        Row("    PA Unit TEMP (Degrees C)", "AlertTempPa"),
        Row("    TX Unlock", "AlertTxUnlock"),
        Row("    RX Unlock", "AlertRxUnlock"),
        Row("    Beep", "AlertBeep"),
        Row("    TEL", "AlertTel"),
        Typed("    TEL Code", "AlertTelCode", kKeepDtmfFixed, true, true),
        Row("        Times", "AlertTelCodeTimes"),
        Row("        Code Delay Timer", "AlertTelCodeDelayTimer"),
        Row("    Backup", "Backup"),
        Heading("Security"),
        Row("    Set Mode Access", "SetModeAccess"),
        Row("    Adjustment Mode Access", "AdjustModeAccess"),
        Heading("Connector"),
        Row("    ACC CH Selector", "AccChSel"),
        Row("    BUSY Out", "BusyOut"),
        Row("Backup Status", "BackupStatus"),
        }, "Edit Expert", {{"Expert 1", 146, 0}, {"Expert 2", 151, 16}}});

    sheets.push_back({52, "CTolvarMakerReservedSheet", "Column_MakerReservedSheet",
        "Maker Reserved", "MakerR", {135, 40, 100, 18}, {65, 40, 100, 18}, {
        Heading("SQL"),
        Row("    Delay", "SqlDelayOn"),
        Row("    Delay Reset Timer", "SqlDelayTim"),
        Row("    Signal Detect Timer", "SigDetTim"),
        Row("    Noise Detect Timer", "NoisDetTim"),
        Heading("DTCS"),
        Row("    TX Polarity", "DtcsPolTx"),
        Row("    RX Polarity", "DtcsPolRx"),
        Row("    Decode", "DtcsDec"),
        Heading("PLL"),
        Row("    IF Frequency (MHz)", "IfFreq"),
        Row("    Reference", "PllRef"),
        Row("    TX Unlock Ignore Timer", "UnlockIgnoreTimTx"),
        Row("    RX Unlock Ignore Timer", "UnlockIgnoreTimRx"),
        Row("    TX Lock Check Timer", "LockCheckTimTx"),
        Row("    RX Lock Check Timer", "LockCheckTimRx"),
        Heading("TX Power"),
        Row("    ON P.Set Timer", "OnPSetTim"),
        Row("    ON Mute Timer", "OnMutTim"),
        Row("    OFF Wait Timer", "OffWaitTim"),
        Row("    OFF Mute Delay Timer", "OffMuteDelayTim"),
        }, nullptr, {{"Edit Maker Reserved", 140, 0}}});
    // clang-format on
    // Time values are shown and typed in their format.
    for (SSettingSheet& sheet : sheets)
        for (SSettingRow& row : sheet.rows)
            for (SEditorField& editorField : row.fields)
                if (!editorField.form)
                    editorField.form =
                        TimeForm(TimeFormatAt(std::string(sheet.node) + "." + editorField.field));
    return sheets;
}

} // namespace

const std::vector<SSettingSheet>& SettingSheets() {
    static const std::vector<SSettingSheet> sheets = MakeSheets();
    return sheets;
}

const SSettingSheet* SettingSheetOf(int view) {
    for (const SSettingSheet& sheet : SettingSheets())
        if (sheet.view == view)
            return &sheet;
    return nullptr;
}

std::string SettingRowText(const CNode& sheetNode, const SSettingRow& row) {
    std::string text;
    for (const SEditorField& editorField : row.fields) {
        const CNode* field = sheetNode.FindChild(editorField.field);
        if (!field)
            return "------";
        text += editorField.form ? editorField.form->Shown(*field) : LeafText(*field);
    }
    return text;
}

SEditorPlace EditorPlaceOf(const SSettingSheet& sheet, int row) {
    SEditorPlace place;
    for (size_t p = 0; p < sheet.pages.size(); ++p)
        if (row >= sheet.pages[p].firstRow) {
            place.page = static_cast<int>(p);
            place.item = row - sheet.pages[p].firstRow + 1;
        }
    return place;
}

int PageEndRow(const SSettingSheet& sheet, int page) {
    const size_t next = static_cast<size_t>(page) + 1;
    return next < sheet.pages.size() ? sheet.pages[next].firstRow
                                     : static_cast<int>(sheet.rows.size());
}
