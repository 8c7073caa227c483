// Time values: the text a sheet cell and its editor box show for every timer, and
// that text typed back through the editor's form and through the tree (`tolvar set`,
// import); decimals other than zeros are refused with what the field takes.
#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "SignallingTestSupport.h"
#include "datamodel/memmap/CodeSheets.h"
#include "datamodel/memmap/SettingSheets.h"
#include "datamodel/memmap/TimeForm.h"

namespace {

// A timer and a value it holds; every timer shows its value with three zero decimals.
struct STimeCase {
    const char* path;
    int value;
};

// clang-format off
const STimeCase kTimers[] = {
    {"DtmfCodeCH.DtmfSet.DtmfTim", 0}, {"DtmfCodeCH.DtmfSet.1stTim", 255},
    {"DtmfCodeCH.DtmfSet.MarkTim", 7}, {"DtmfCodeCH.DtmfSet.NoTonTim", 254},
    {"DtmfCodeCH.DtmfSet.ABCDelayTim", 19}, {"DtmfCodeCH.DtmfSet.TelTotTim", 180},
    {"DtmfCodeCH.DtmfSet.TelHangOnTim", 30}, {"DtmfCodeCH.DtmfSet.RingOffTim", 4},
    {"DtmfCodeCH.DtmfSet.RingOnTim", 2}, {"DtmfCodeCH.DtmfSet.OnHookOffTim", 11},
    {"DtmfCodeCH.DtmfSet.OnHookOnTim", 12}, {"2ToneCodeCH.RxCodeCom.NoTonTim", 30},
    {"2ToneCodeCH.RxCodeCom.GroupTim", 100}, {"2ToneCodeCH.RxCodeCom.AutTxTim", 1},
    {"2ToneCodeCH.TXCode.1stTonPeriod", 200}, {"2ToneCodeCH.TXCode.2ndTonPeriod", 99},
    {"5ToneCodeCH.RxCodeCom.LnkATim", 60}, {"5ToneCodeCH.RxCodeCom.IdDecTim", 61},
    {"5ToneCodeCH.RxCodeCom.AutTxTim", 62}, {"5ToneCodeCH.TxCodeCom.LngTonTim", 10},
    {"5ToneCodeCH.TxCodeCom.LnkRTim", 20}, {"5ToneCodeCH.TxCodeCom.Lnk1Tim", 21},
    {"5ToneCodeCH.TxCodeCom.Lnk2Tim", 22}, {"5ToneCodeCH.TxCodeCom.LeadOutDlyTim", 23},
    {"5ToneCodeCH.TxCodeCom.ABCDecTim", 24}, {"5ToneCodeCH.Format.CCIR.TonPeriod", 100},
    {"5ToneCodeCH.Format.CCIR.NoTonTim", 28}, {"5ToneCodeCH.Format.CCIR.TonLen", 2789},
    {"5ToneCodeCH.Format.DTMF.TonPeriod", 5}, {"CommonSet.Common.AutoResTimA", 40},
    {"CommonSet.Common.AutoResTimB", 41}, {"CommonSet.Common.InATim", 42},
    {"CommonSet.Common.BaseTotTim", 4095}, {"CommonSet.Common.BasePenaltyTim", 43},
    {"CommonSet.Common.LckOutPenTim", 44}, {"CommonSet.Common.RptTotTim", 1000},
    {"CommonSet.Common.RptPenaltyTim", 45}, {"CommonSet.Common.HangOnTim", 77},
    {"CommonSet.Common.RptLogInTim", 46}, {"CommonSet.Common.RptLogOfTim", 47},
    {"CommonSet.Common.RptLogIntTim", 5940}, {"CommonSet.Expert.BeepRepTim", 60},
    {"CommonSet.Expert.EmrSwOnTim", 3}, {"CommonSet.Expert.EmrSwOfTim", 5},
    {"CommonSet.Expert.EmrStrRepTim", 8}, {"CommonSet.Expert.CwIdDotPeriod", 13},
    {"MakerR.SqlDelayTim", 50}, {"MakerR.SigDetTim", 51}, {"MakerR.NoisDetTim", 52},
    {"MakerR.UnlockIgnoreTimTx", 53}, {"MakerR.UnlockIgnoreTimRx", 54},
    {"MakerR.LockCheckTimTx", 55}, {"MakerR.LockCheckTimRx", 56}, {"MakerR.OnPSetTim", 57},
    {"MakerR.OnMutTim", 58}, {"MakerR.OffWaitTim", 59}, {"MakerR.OffMuteDelayTim", 250},
};
// clang-format on

class TimeForms : public testing::TestWithParam<STimeCase> {
protected:
    signalling_test::SDocument doc{ModelPMR};

    CNode& Node(const std::string& path) { return doc.Node(path); }
    STreeLeaf Leaf(const std::string& path) {
        CNode& node = Node(path);
        return {path, &node, node.GetParent(), ModelPMR};
    }
    // The cell that shows the field and the editor field that edits it.
    std::string Cell(const std::string& path, const SEditorField*& editorField) {
        const std::string group = path.substr(0, path.rfind('.'));
        const std::string field = path.substr(path.rfind('.') + 1);
        for (const SSettingSheet& sheet : SettingSheets())
            for (const SSettingRow& row : sheet.rows)
                if (group == sheet.node && row.fields.size() == 1 && field == row.fields[0].field) {
                    editorField = &row.fields[0];
                    return SettingRowText(Node(group), row);
                }
        const SCodeSheet& formats = *CodeSheetOf(47);
        const std::string name = group.substr(group.rfind('.') + 1);
        for (int row = 0; row < formats.rows; ++row)
            for (size_t c = 0; c < formats.columns.size(); ++c)
                if (name == formats.titles[static_cast<size_t>(row)] && formats.columns[c].field &&
                    field == formats.columns[c].field)
                    for (const SEditorField& entry : formats.editor)
                        if (field == entry.field) {
                            editorField = &entry;
                            return CodeRowCells(doc.Registry(), formats, row, 0).at(c);
                        }
        ADD_FAILURE() << "no cell shows " << path;
        return {};
    }
};

// The cell and the editor box show the stored value in its format, and both the
// editor's form and the tree take that text back to the same value. Decimals that are
// not zeros are refused by both alike, with the accepted forms named; the field keeps
// its value.
TEST_P(TimeForms, ShownTextTypesBackAndOtherDecimalsAreRefused) {
    const STimeCase& c = GetParam();
    const std::string shown = std::to_string(c.value) + ".000";
    CNode& node = Node(c.path);
    node.SetValue(c.value);
    ASSERT_EQ(node.GetValue(), c.value);
    const SEditorField* editorField = nullptr;
    EXPECT_EQ(Cell(c.path, editorField), shown);
    ASSERT_TRUE(editorField && editorField->form);
    EXPECT_EQ(editorField->form->Shown(node), shown);

    for (const std::string& typed :
         {std::to_string(c.value) + ".5", std::to_string(c.value) + ".001", std::string("1.2.0")}) {
        std::string own, reason, error;
        EXPECT_FALSE(editorField->form->Typed(node, typed, own, reason)) << typed;
        EXPECT_FALSE(CheckLeafText(node, typed, reason)) << typed;
        EXPECT_FALSE(SetLeafText(Leaf(c.path), typed, error)) << typed;
        EXPECT_EQ(error, reason);
        EXPECT_NE(error.find("is not a whole number"), std::string::npos) << error;
        EXPECT_NE(error.find(".000)"), std::string::npos) << error;
        EXPECT_NE(error.find(node.Accepts()), std::string::npos) << error;
        EXPECT_EQ(node.GetValue(), c.value);
    }

    std::string own, reason;
    ASSERT_TRUE(editorField->form->Typed(node, shown, own, reason)) << reason;
    EXPECT_TRUE(CheckLeafText(node, shown, reason)) << reason;
    node.SetValue(node.GetValue() == 0 ? 2 : 0);
    std::string error;
    ASSERT_TRUE(SetLeafText(Leaf(c.path), std::string(" ") + shown, error)) << error;
    EXPECT_EQ(node.GetValue(), c.value);
    EXPECT_EQ(LeafText(node), own) << "the field's own text stays the bare number";
}

INSTANTIATE_TEST_SUITE_P(Timers, TimeForms, testing::ValuesIn(kTimers),
                         [](const testing::TestParamInfo<STimeCase>& info) {
                             std::string name = info.param.path;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

// Every setting row titled as a timer or a period shows a time value, unless the
// field offers fixed choices ("0.300", "2.0"); every time field of the tree is in
// the table above (the formats by CCIR and DTMF).
TEST(TimeForm, EveryTimerIsFormatted) {
    std::set<std::string> listed;
    for (const STimeCase& c : kTimers)
        listed.insert(c.path);
    signalling_test::SDocument doc(ModelPMR);
    for (const SSettingSheet& sheet : SettingSheets())
        for (const SSettingRow& row : sheet.rows) {
            const std::string title = row.title;
            if (row.Heading() || (title.find("Timer") == std::string::npos &&
                                  title.find("Period") == std::string::npos))
                continue;
            const std::string path = std::string(sheet.node) + "." + row.fields[0].field;
            const auto* value = dynamic_cast<const CNumNode*>(&doc.Node(path));
            ASSERT_NE(value, nullptr) << path;
            EXPECT_EQ(row.fields[0].form != nullptr, value->Options().empty()) << path;
            EXPECT_EQ(listed.count(path) == 1, value->Options().empty()) << path;
        }
    for (int model : {ModelLMR, ModelPMR}) {
        CTreeIndex index(doc.Radio(), model, true);
        for (const STreeLeaf& leaf : index.Leaves()) {
            const bool formatted = TimeFormOf(*leaf.node) != nullptr;
            const bool format = leaf.path.rfind("5ToneCodeCH.Format.", 0) == 0;
            if (!format || leaf.path.find(".CCIR.") != std::string::npos) {
                EXPECT_EQ(formatted, listed.count(leaf.path) == 1) << leaf.path;
            }
        }
    }
}

} // namespace
