// The setting sheets' tables: rows, the fields each editor page covers, where the
// editor opens for a row, and the value texts of the rows.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "datamodel/DataManagers.h"
#include "datamodel/memmap/SettingSheets.h"
#include "datamodel/memmap/TreeAccess.h"
#include "datamodel/nodes/Node.h"
#include "document/DocumentData.h"
#include "support/ScriptedInteraction.h"

namespace {

struct SDoc {
    explicit SDoc(int model) : data(ui, model) {}
    CScriptedInteraction ui;
    CTolvarDocumentData data;
    CNode* Node(const std::string& path) { return data.Registry().Model()->GetNodeByPath(path); }
};

std::set<std::string> PageFields(const SSettingSheet& sheet, int page) {
    std::set<std::string> fields;
    for (int r = sheet.pages[static_cast<size_t>(page)].firstRow; r < PageEndRow(sheet, page); ++r)
        for (const SFieldSpec& spec : sheet.rows[static_cast<size_t>(r)].fields)
            fields.insert(spec.field);
    return fields;
}

} // namespace

// Each editor page edits exactly the fields its dialog lists, and the sheet has
// the number of rows of its definition.
TEST(SettingSheets, PagesCoverTheirDialogsFields) {
    struct SCase {
        int view;
        int rows;
        int page;
        int dialog;
        std::set<std::string> fields;
    };
    const std::vector<SCase> cases = {
        {39,
         28,
         0,
         156,
         {"DtmfTim", "1stTim", "MarkTim", "NoTonTim", "SysCtrl", "HeadTon", "DelimitTon",
          "ABCDelayTim"}},
        {39,
         28,
         1,
         157,
         {"TelFunc", "TelTotTim", "TelTotCode", "TelHangOnTim", "TelCallProhibit", "DialMode",
          "PulseSpeed", "PulseMakeRate", "RingOffTim", "RingOnTim", "RingTimes", "OnHookOffTim",
          "OnHookOnTim", "OnHookTimes"}},
        {41, 3, 0, 161, {"NoTonTim", "GroupTim", "AutTxTim"}},
        {42, 7, 0, 29018, {"CodeType", "1stTonFreq", "1stTonPeriod", "2ndTonFreq", "2ndTonPeriod"}},
        {44,
         4,
         0,
         162,
         {"LnkATim", "IdDecTim", "AutTxTim", "CompDigit1", "CompDigit2", "CompDigit3", "CompDigit4",
          "CompDigit5", "CompDigit6", "CompDigit7"}},
        // "SpcTonStr" has no place in the image and no row: the dialog leaves it out.
        {46,
         11,
         0,
         29010,
         {"LngTonTim", "LnkRTim", "Lnk1Tim", "Lnk2Tim", "LeadOutDlyTim", "ABCDecTim", "SpcTonRep",
          "SpcTonGrp", "SpcTonLnk2", "DspDigit1", "DspDigit2", "DspDigit3", "DspDigit4",
          "DspDigit5", "DspDigit6", "DspDigit7", "PTTCallInA"}},
        // "Moni" and "Moni(Audi)" are no fields of the tree.
        {49, 5, 0, 141, {"KeyP0Conv", "Text", "RFPwrSel", "MRCodeDisp", "Beep"}},
        {50,
         41,
         0,
         143,
         {"Comment1", "Comment2", "UsrPswd", "PwrOnPswd", "TrDataOut", "TonBurst", "RevBurst",
          "AudioFilter"}},
        {50,
         41,
         1,
         144,
         {"AutoResTimA", "AutoResTimB", "InATim", "BaseTotTim", "BasePenaltyTim", "BaseTotIdOut",
          "BaseTotBeepSp", "LckOutPenTim", "ScrmType", "ScrmGrp", "SyncCap", "TonStrTim"}},
        {50,
         41,
         2,
         150,
         {"RptTotTim", "RptPenaltyTim", "RptTotIdOut", "RptTotBeepTx", "IntPenalty", "HangOnTim",
          "CtoneHangOn", "RptLogInTim", "RptLogOfTim", "RptLogIntTim", "IdOutRpt", "CtoneIdOut"}},
        {51,
         34,
         0,
         146,
         {"DTCSInvTx", "DTCSInvRx", "UsrCtcssFreq", "BeepFreqL", "BeepFreqH", "BeepRepTim",
          "EmrSwOnTim", "EmrSwOfTim", "EmrStrRepTim", "CwIdCode", "CwIdDotPeriod", "CwIdTonFreq"}},
        {51,
         34,
         1,
         151,
         {"AlertTempReg", "AlertTempPa", "AlertTxUnlock", "AlertRxUnlock", "AlertBeep", "AlertTel",
          "AlertTelCode", "AlertTelCodeTimes", "AlertTelCodeDelayTimer", "Backup", "SetModeAccess",
          "AdjustModeAccess", "AccChSel", "BusyOut", "BackupStatus"}},
        {52,
         21,
         0,
         140,
         {"SqlDelayOn", "SqlDelayTim", "SigDetTim", "NoisDetTim", "DtcsPolTx", "DtcsPolRx",
          "DtcsDec", "IfFreq", "PllRef", "UnlockIgnoreTimTx", "UnlockIgnoreTimRx", "LockCheckTimTx",
          "LockCheckTimRx", "OnPSetTim", "OnMutTim", "OffWaitTim", "OffMuteDelayTim"}},
    };
    std::set<int> views;
    for (const SCase& c : cases) {
        SCOPED_TRACE("view " + std::to_string(c.view) + " dialog " + std::to_string(c.dialog));
        const SSettingSheet* sheet = SettingSheetOf(c.view);
        ASSERT_NE(sheet, nullptr);
        views.insert(c.view);
        EXPECT_EQ(static_cast<int>(sheet->rows.size()), c.rows);
        ASSERT_LT(c.page, static_cast<int>(sheet->pages.size()));
        EXPECT_EQ(sheet->pages[static_cast<size_t>(c.page)].dialog, c.dialog);
        EXPECT_EQ(PageFields(*sheet, c.page), c.fields);
    }
    EXPECT_EQ(views.size(), SettingSheets().size());
}

// Every field a row names exists under the sheet's node, in both variants.
TEST(SettingSheets, RowsNameFieldsOfTheTree) {
    for (int model : {ModelLMR, ModelPMR}) {
        SDoc doc(model);
        for (const SSettingSheet& sheet : SettingSheets()) {
            const CNode* node = doc.Node(sheet.node);
            ASSERT_NE(node, nullptr) << sheet.node;
            for (const SSettingRow& row : sheet.rows) {
                // Headings sit at the margin; only settings may be indented.
                if (row.Heading())
                    EXPECT_NE(row.title[0], ' ') << row.title;
                for (const SFieldSpec& spec : row.fields)
                    EXPECT_NE(node->FindChild(spec.field), nullptr)
                        << sheet.node << "." << spec.field;
                EXPECT_NE(SettingRowText(*node, row), "------") << row.title;
            }
        }
    }
}

TEST(SettingSheets, EditorOpensOnThePageOfTheRow) {
    struct SCase {
        int view, row, page, item;
    };
    const SCase cases[] = {
        {50, 1, 0, 2},   // "    (1)": first page, its second entry (after the heading)
        {50, 11, 1, 1},  // the "Auto Reset" heading starts the second page
        {50, 25, 1, 15}, // the last row of the second page
        {50, 26, 2, 1},  {50, 40, 2, 15}, {39, 9, 0, 10},  {39, 10, 1, 1}, {39, 27, 1, 18},
        {51, 15, 0, 16}, {51, 16, 1, 1},  {51, 33, 1, 18}, {41, 2, 0, 3},  {52, 20, 0, 21},
    };
    for (const SCase& c : cases) {
        const SEditorPlace place = EditorPlaceOf(*SettingSheetOf(c.view), c.row);
        EXPECT_EQ(place.page, c.page) << c.view << " row " << c.row;
        EXPECT_EQ(place.item, c.item) << c.view << " row " << c.row;
    }
}

TEST(SettingSheets, RowTextsFollowTheFields) {
    SDoc doc(ModelPMR);
    const auto set = [&](const std::string& path, const std::string& text) {
        std::string error;
        ASSERT_TRUE(doc.Node(path)->TrySetText(text, error)) << path << ": " << error;
    };
    set("5ToneCodeCH.RxCodeCom.CompDigit1", "1");
    set("5ToneCodeCH.RxCodeCom.CompDigit2", "_");
    set("5ToneCodeCH.RxCodeCom.CompDigit3", "3");
    for (const char* digit : {"4", "5", "6", "7"})
        set(std::string("5ToneCodeCH.RxCodeCom.CompDigit") + digit, "_");
    set("DtmfCodeCH.DtmfSet.HeadTon", "#");
    set("DtmfCodeCH.DtmfSet.TelTotCode", "12*#");
    set("CommonSet.Common.ScrmGrp", "4");
    struct SCase {
        int view, row;
        const char* node;
        const char* text;
    };
    const SCase cases[] = {
        {44, 1, "5ToneCodeCH.RxCodeCom", "1_3____"}, {39, 7, "DtmfCodeCH.DtmfSet", "#"},
        {39, 13, "DtmfCodeCH.DtmfSet", "12*#"},      {39, 0, "DtmfCodeCH.DtmfSet", ""}, // a heading
        {50, 23, "CommonSet.Common", "4"},
    };
    for (const SCase& c : cases) {
        const SSettingSheet& sheet = *SettingSheetOf(c.view);
        EXPECT_EQ(SettingRowText(*doc.Node(c.node), sheet.rows[static_cast<size_t>(c.row)]), c.text)
            << c.view << " row " << c.row;
    }
    // A field the node lacks shows the dashes.
    const SSettingRow missing{"x", {{"NoSuchField", "x"}}};
    EXPECT_EQ(SettingRowText(*doc.Node("CommonSet.Common"), missing), "------");
}

// The typed-character sets are the ones the editors take.
TEST(SettingSheets, KeptCharacterSets) {
    std::string printable;
    for (char c = ' '; c <= '}'; ++c)
        printable += c;
    EXPECT_EQ(std::string(kKeepPrintable), printable);
    std::string cw = " ";
    for (char c = 'A'; c <= 'Z'; ++c)
        cw += c;
    cw += "0123456789.,:?'-()=/+*\"";
    EXPECT_EQ(std::string(kKeepCwId), cw);
}
