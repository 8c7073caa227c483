// The code-channel sheet tables: row titles, node paths and status texts of every
// sheet in both variants, the cells for chosen field values, and typed texts read
// back into the fields' own texts.
#include <gtest/gtest.h>

#include "datamodel/DataManagers.h"
#include "datamodel/memmap/CodeSheets.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/memmap/TreeAccess.h"
#include "datamodel/nodes/ToneNodes.h"
#include "datamodel/nodes/ValueNodes.h"
#include "document/DocumentData.h"
#include "support/ScriptedInteraction.h"

namespace {

struct SDocument {
    explicit SDocument(int model) : data(ui, model) {}
    CScriptedInteraction ui;
    CTolvarDocumentData data;
    CQCloneManager& Registry() { return data.Registry(); }
    CNode& Node(const std::string& path) {
        CNode* node = Registry().Model()->GetNodeByPath(path);
        EXPECT_NE(node, nullptr) << path;
        static CNode missing;
        return node ? *node : missing;
    }
    // Sets a field as the editors do; fails the test when it is refused.
    void Set(const std::string& path, const std::string& text) {
        CNode& node = Node(path);
        std::string error;
        EXPECT_TRUE(SetLeafText({path, &node, node.GetParent(), data.GetModel()}, text, error))
            << path << ": " << error;
    }
    std::vector<std::string> Cells(int view, int row, int offset = 0) {
        return CodeRowCells(Registry(), *CodeSheetOf(view), row, offset);
    }
};

struct SRowCase {
    int view, model, row;
    const char* title;
    const char* path;
    const char* status;
};

class CodeRows : public ::testing::TestWithParam<SRowCase> {};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sheets, CodeRows, ::testing::Values(
    SRowCase{3, ModelLMR, 0, "1", "MultiTon.Ton1", " - No. 1"},
    SRowCase{35, ModelLMR, 16, "17", "DtmfCodeCH.TxCodeCH.CH17", " - CH 17"},
    SRowCase{35, ModelLMR, 17, "Emergency", "DtmfCodeCH.TxCodeCH.CH18", " - Emergency"},
    SRowCase{35, ModelLMR, 18, "Log / ID", "DtmfCodeCH.TxCodeCH.CH19", " - Log / ID"},
    SRowCase{35, ModelPMR, 17, "18", "DtmfCodeCH.TxCodeCH.CH18", " - CH 18"},
    SRowCase{35, ModelPMR, 18, "19", "DtmfCodeCH.TxCodeCH.CH19", " - CH 19"},
    SRowCase{35, ModelPMR, 19, "Alert", "DtmfCodeCH.TxCodeCH.CH20", " - Alert"},
    SRowCase{35, ModelLMR, 19, "Alert", "DtmfCodeCH.TxCodeCH.CH20", " - Alert"},
    SRowCase{36, ModelLMR, 17, "18", "DtmfCodeCH.RxCodeCH.CH18", " - CH 18"},
    SRowCase{37, ModelPMR, 1, "System Control Exit ACK", "DtmfCodeCH.TxSysCodeCH.CH2", " - System Control Exit ACK"},
    SRowCase{37, ModelLMR, 3, "NG ACK", "DtmfCodeCH.TxSysCodeCH.CH4", " - NG ACK"},
    SRowCase{38, ModelLMR, 17, "CPU All Reset", "DtmfCodeCH.RxSysCodeCH.CH18", " - CPU All Reset"},
    SRowCase{38, ModelPMR, 6, "RF Power (Low)", "DtmfCodeCH.RxSysCodeCH.CH7", " - RF Power (Low)"},
    SRowCase{40, ModelLMR, 2, "3", "2ToneCodeCH.RXCodeCH.CH3", " - CH 3"},
    SRowCase{40, ModelLMR, 3, "G", "2ToneCodeCH.RXCodeCH.CHG", " - Group"},
    SRowCase{43, ModelPMR, 7, "8", "5ToneCodeCH.RXCodeCH.CH8", " - CH 8"},
    SRowCase{43, ModelPMR, 8, "G", "5ToneCodeCH.RXCodeCH.CHG", " - Group"},
    SRowCase{45, ModelPMR, 31, "32", "5ToneCodeCH.TXCodeCH.CH32", " - CH 32"},
    SRowCase{47, ModelPMR, 0, "USER", "5ToneCodeCH.Format.USER", " - USER"},
    SRowCase{47, ModelPMR, 9, "DTMF", "5ToneCodeCH.Format.DTMF", " - DTMF"},
    SRowCase{48, ModelPMR, 0, "0", "5ToneCodeCH.UsrTon.0", " - 0"},
    SRowCase{48, ModelPMR, 14, "E", "5ToneCodeCH.UsrTon.14", " - E"}));
// clang-format on

TEST_P(CodeRows, TitlePathAndStatus) {
    const SRowCase& c = GetParam();
    SDocument doc(c.model);
    const SCodeSheet& sheet = *CodeSheetOf(c.view);
    EXPECT_EQ(CodeRowTitle(sheet, c.model, c.row), c.title);
    EXPECT_EQ(CodeRowPath(sheet, c.row, 0), c.path);
    EXPECT_EQ(CodeRowStatus(sheet, c.model, c.row), c.status);
    // The row's node exists and the first cell is the title.
    EXPECT_NE(doc.Registry().Model()->GetNodeByPath(c.path), nullptr);
    EXPECT_EQ(doc.Cells(c.view, c.row).at(0), c.title);
    EXPECT_EQ(CodeRowStatus(sheet, c.model, -1), "     ");
}

TEST(CodeSheets, EveryRowOfEverySheetHasItsNodeCellsAndEditorFields) {
    for (int model : {ModelLMR, ModelPMR}) {
        SDocument doc(model);
        for (const SCodeSheet& sheet : CodeSheets()) {
            const int rows = CodeRowCount(doc.Registry(), sheet, 1);
            EXPECT_EQ(rows, sheet.rows) << sheet.name;
            for (int row = 0; row < rows; ++row) {
                const std::string path = CodeRowPath(sheet, row, 0);
                EXPECT_NE(doc.Registry().Model()->GetNodeByPath(path), nullptr) << path;
                const auto cells = doc.Cells(sheet.view, row);
                ASSERT_EQ(cells.size(), sheet.columns.size());
                EXPECT_EQ(cells[0], CodeRowTitle(sheet, model, row));
                // The editor finds every field of its table under the row's node.
                const CNode* node = doc.Registry().Model()->GetNodeByPath(path);
                for (const SFieldSpec& spec : sheet.editor)
                    EXPECT_TRUE(node && node->FindChild(spec.field)) << path << "." << spec.field;
                // Only codes and names may be empty.
                for (size_t c = 1; c < cells.size(); ++c) {
                    const SCodeColumn& column = sheet.columns[c];
                    const bool text = column.kind == ECodeCell::DtmfCode ||
                                      column.kind == ECodeCell::FiveToneCode ||
                                      column.kind == ECodeCell::TextOrIdDec ||
                                      std::string(column.field) == "Text";
                    if (!text) {
                        EXPECT_FALSE(cells[c].empty()) << path << " " << column.title;
                    }
                }
            }
        }
    }
    EXPECT_EQ(CodeSheetOf(34), CodeSheetOf(3));
    EXPECT_EQ(CodeSheetOf(39), nullptr);
}

// A text other than the field's present one that the field takes; empty when the
// field is none of the kinds this picks for.
std::string OtherText(const CNode& node) {
    if (const auto* num = dynamic_cast<const CNumNode*>(&node); num && !num->Options().empty()) {
        for (auto it = num->Options().rbegin(); it != num->Options().rend(); ++it)
            if (it->second != num->GetValue())
                return it->first;
        return {};
    }
    if (const auto* text = dynamic_cast<const CStringNode*>(&node); text && text->Charset()) {
        const std::string_view chars = text->Charset()->chars;
        const size_t length = text->FixedLength() ? text->MaxLength() : 2;
        const std::string other(length, chars.size() > 1 ? chars[1] : chars[0]);
        return other == text->GetText() ? std::string(length, chars[0]) : other;
    }
    return {};
}

// Every field an editor offers is kept by the file: a changed value survives saving,
// except in the rows the table marks fixed.
TEST(CodeSheets, EveryEditorFieldIsKeptByTheFile) {
    for (int model : {ModelLMR, ModelPMR}) {
        SDocument doc(model);
        CTreeIndex index(*doc.Registry().RadioData(), model);
        for (const SCodeSheet& sheet : CodeSheets()) {
            const int rows = CodeRowCount(doc.Registry(), sheet, 1);
            std::vector<int> rowsTried = {0, 1, rows - 1};
            rowsTried.insert(rowsTried.end(), sheet.fixedRows.begin(), sheet.fixedRows.end());
            for (int row : rowsTried) {
                const std::string path = CodeRowPath(sheet, row, 0);
                const CNode& group = doc.Node(path);
                for (const SFieldSpec& spec : sheet.editor) {
                    const CNode* field = group.FindChild(spec.field);
                    ASSERT_NE(field, nullptr);
                    if (!CodeFieldApplies(doc.Registry(), sheet, row, *field))
                        continue;
                    const std::string other = OtherText(*field);
                    if (other.empty())
                        continue;
                    const STreeLeaf* leaf = index.Find(path + "." + spec.field);
                    if (!leaf) {
                        // Only the other variant's areas are missing from its index.
                        EXPECT_EQ(path.find(model == ModelLMR ? "5Tone" : "2Tone"), 0u) << path;
                        continue;
                    }
                    const auto errors = ApplyLeafEdits(doc.Registry(), {{leaf, other, leaf->path}});
                    // A fixed row keeps its factory value; every other field takes the change.
                    if (CodeRowFixed(sheet, row)) {
                        EXPECT_FALSE(errors.empty()) << leaf->path;
                    } else {
                        EXPECT_TRUE(errors.empty()) << errors.front();
                    }
                }
            }
        }
    }
}

TEST(CodeSheets, MultipleTonesAreNumberedOnOverTheSets) {
    SDocument doc(ModelLMR);
    const SCodeSheet& sheet = *CodeSheetOf(3);
    EXPECT_EQ(MultiToneOffset(doc.Registry(), 1), 0);
    EXPECT_EQ(MultiToneOffset(doc.Registry(), 3), 32);
    doc.Node("MultiTon.Set1").SetValue(10);
    EXPECT_EQ(MultiToneOffset(doc.Registry(), 2), 10);
    EXPECT_EQ(CodeRowCount(doc.Registry(), sheet, 1), 10);
    EXPECT_EQ(CodeRowPath(sheet, 2, MultiToneOffset(doc.Registry(), 2)), "MultiTon.Ton13");

    doc.Set("MultiTon.Ton13.CTonRx", "023N");
    doc.Set("MultiTon.Ton13.CTonTx", "023N");
    doc.Set("MultiTon.Ton14.CTonRx", "OFF");
    doc.Set("MultiTon.Ton14.CTonTx", "754i");
    doc.Set("MultiTon.Ton15.CTonRx", "88.5");
    doc.Set("MultiTon.Ton15.CTonTx", "100.0");
    using Cells = std::vector<std::string>;
    EXPECT_EQ(doc.Cells(3, 2, 10), (Cells{"3", "023N", "<-----"}));
    EXPECT_EQ(doc.Cells(3, 3, 10), (Cells{"4", "OFF", "754i"}));
    EXPECT_EQ(doc.Cells(3, 4, 10), (Cells{"5", "88.5", "100.0"}));
    // Past the last tone every cell is empty.
    EXPECT_EQ(doc.Cells(3, 0, 512), (Cells{"", "", ""}));
}

TEST(CodeSheets, CellsShowTheFieldsAsTheSheetsDo) {
    using Cells = std::vector<std::string>;
    SDocument lmr(ModelLMR);
    lmr.Set("DtmfCodeCH.TxCodeCH.CH5.Code", "12*#A0");
    EXPECT_EQ(lmr.Cells(35, 4), (Cells{"5", "12*#A0"}));
    lmr.Set("DtmfCodeCH.RxCodeCH.CH2.Code", "99");
    lmr.Set("DtmfCodeCH.RxCodeCH.CH2.Text", "GATE");
    lmr.Set("DtmfCodeCH.RxCodeCH.CH2.Lcd", "ON");
    lmr.Set("DtmfCodeCH.RxCodeCH.CH2.Beep", "Emer");
    lmr.Set("DtmfCodeCH.RxCodeCH.CH2.SpMute", "OFF");
    lmr.Set("DtmfCodeCH.RxCodeCH.CH2.CodeMr", "ON");
    EXPECT_EQ(lmr.Cells(36, 1), (Cells{"2", "99", "GATE", "ON", "Emer", "OFF", "ON"}));

    // 2Tone: a typed tone moves its decode window; the group channel has no tones.
    lmr.Set("2ToneCodeCH.RXCodeCH.CH1.1stFreq", "1500");
    auto& channel = dynamic_cast<CQ2ToneRxChNode&>(lmr.Node("2ToneCodeCH.RXCodeCH.CH1"));
    EXPECT_EQ(channel.FirstLow()->GetValue(), 1455);
    EXPECT_EQ(channel.FirstHigh()->GetValue(), 1545);
    EXPECT_EQ(lmr.Cells(40, 0).at(1), "1500.0");
    const Cells group = lmr.Cells(40, 3);
    EXPECT_EQ(group.at(0), "G");
    EXPECT_EQ(group.at(1), "-----");
    EXPECT_EQ(group.at(2), "-----");
    EXPECT_EQ(group.at(3), "---"); // the file keeps no group call for it
    EXPECT_NE(group.at(6), "---"); // but its beep

    SDocument pmr(ModelPMR);
    pmr.Set("5ToneCodeCH.TxCodeCom.SpcTonGrp", "A");
    pmr.Set("5ToneCodeCH.RXCodeCH.CH1.RxCode", "1A2+");
    pmr.Set("5ToneCodeCH.RXCodeCH.CH1.Text", "DEPOT");
    pmr.Set("5ToneCodeCH.RXCodeCH.CH1.ABC", "STN");
    Cells rx = pmr.Cells(43, 0);
    EXPECT_EQ(rx.at(1), "1G2+");
    EXPECT_EQ(rx.at(2), "DEPOT");
    EXPECT_EQ(rx.at(4), "STN");
    pmr.Set("5ToneCodeCH.RXCodeCH.CH1.IdDec", "ON");
    EXPECT_EQ(pmr.Cells(43, 0).at(2), "(ID-Dec)");
    rx = pmr.Cells(43, 8);
    EXPECT_EQ(rx.at(1), "-----"); // the group channel has no code
    EXPECT_EQ(rx.at(4), "---");   // and no ABC

    pmr.Set("5ToneCodeCH.TXCodeCH.CH3.TxCode", "A1234");
    pmr.Set("5ToneCodeCH.TXCodeCH.CH3.InpDigit1", "1");
    pmr.Set("5ToneCodeCH.TXCodeCH.CH3.InpDigit3", "3");
    pmr.Set("5ToneCodeCH.TXCodeCH.CH3.Sel", "OFF");
    const Cells tx = pmr.Cells(45, 2);
    EXPECT_EQ(tx.at(1), "G1234");
    EXPECT_EQ(tx.at(2), "1_3____");
    EXPECT_EQ(tx.at(7), "OFF");

    pmr.Set("5ToneCodeCH.Format.CCIR.TonPeriod", "70");
    pmr.Set("5ToneCodeCH.Format.CCIR.NoTonTim", "8");
    const Cells ccir = pmr.Cells(47, 1);
    EXPECT_EQ(Cells(ccir.begin(), ccir.begin() + 3), (Cells{"CCIR", "70.000", "8.000"}));
    const Cells dtmf = pmr.Cells(47, 9);
    EXPECT_EQ(dtmf.at(2), "-----");
    EXPECT_EQ(dtmf.at(3), "-----");
    EXPECT_NE(dtmf.at(1), "-----");

    pmr.Set("5ToneCodeCH.UsrTon.10.Enc", "1000");
    EXPECT_EQ(pmr.Cells(48, 10).at(0), "A");
    EXPECT_EQ(pmr.Cells(48, 10).at(1), "1000");
}

struct STypedCase {
    ECodeCell kind;
    const char* typed;
    bool ok;
    const char* text; // the field's text, or a piece of the reason
};

class CodeTyped : public ::testing::TestWithParam<STypedCase> {};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Kinds, CodeTyped, ::testing::Values(
    STypedCase{ECodeCell::FiveToneCode, "1G2G", true, "1B2B"},
    STypedCase{ECodeCell::FiveToneCode, "12345", true, "12345"},
    STypedCase{ECodeCell::Timer3, "70.000", true, "70"},
    STypedCase{ECodeCell::Timer3, " 8 ", true, "8"},
    STypedCase{ECodeCell::Timer3, "70.5", false, "not a whole number"},
    STypedCase{ECodeCell::Text, "AB C", true, "AB C"}));
// clang-format on

TEST_P(CodeTyped, ReadsBackWhatTheSheetShows) {
    const STypedCase& c = GetParam();
    SDocument doc(ModelPMR);
    doc.Set("5ToneCodeCH.TxCodeCom.SpcTonGrp", "B");
    std::string text, reason;
    EXPECT_EQ(
        CodeFieldTyped(doc.Node("5ToneCodeCH.TXCodeCH.CH1.TxCode"), c.kind, c.typed, text, reason),
        c.ok);
    if (c.ok) {
        EXPECT_EQ(text, c.text);
    } else {
        EXPECT_NE(reason.find(c.text), std::string::npos) << reason;
    }
}

TEST(CodeSheets, WhatACellShowsTypesBackToTheSameValue) {
    SDocument doc(ModelPMR);
    doc.Set("5ToneCodeCH.TxCodeCom.SpcTonGrp", "E");
    doc.Set("5ToneCodeCH.TXCodeCH.CH1.TxCode", "E12E");
    doc.Set("5ToneCodeCH.Format.EEA.TonLen", "109");
    const SCodeSheet& tx = *CodeSheetOf(45);
    const SCodeSheet& format = *CodeSheetOf(47);
    for (const auto& [sheet, row, column, path] :
         {std::tuple{&tx, 0, 1, "5ToneCodeCH.TXCodeCH.CH1.TxCode"},
          std::tuple{&format, 5, 3, "5ToneCodeCH.Format.EEA.TonLen"}}) {
        CNode& node = doc.Node(path);
        const std::string before = LeafText(node);
        const std::string shown = doc.Cells(sheet->view, row).at(static_cast<size_t>(column));
        EXPECT_NE(shown, before);
        std::string text, reason;
        ASSERT_TRUE(CodeFieldTyped(node, sheet->columns[static_cast<size_t>(column)].kind, shown,
                                   text, reason));
        doc.Set(path, text);
        EXPECT_EQ(LeafText(node), before) << path;
    }
}

} // namespace
