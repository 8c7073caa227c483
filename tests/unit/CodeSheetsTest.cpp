// The code-channel sheet tables: row titles, node paths and status texts in both
// variants, the cells for chosen field values, and typed texts read back into the
// fields' own texts.
#include <gtest/gtest.h>

#include "SignallingTestSupport.h"
#include "datamodel/memmap/CodeSheets.h"

namespace {

struct SDocument : signalling_test::SDocument {
    using signalling_test::SDocument::SDocument;
    std::vector<std::string> Cells(int view, int row, int offset = 0) {
        return CodeRowCells(Registry(), *CodeSheetOf(view), row, offset);
    }
};

// A row's title, node and status text; no row selected shows blanks.
TEST(CodeSheets, RowTitlePathAndStatus) {
    struct SCase {
        int view, model, row;
        const char *title, *path, *status;
    };
    // clang-format off
    const SCase cases[] = {
        {3, ModelLMR, 0, "1", "MultiTon.Ton1", " - No. 1"},
        {35, ModelLMR, 18, "Log / ID", "DtmfCodeCH.TxCodeCH.CH19", " - Log / ID"},
        {35, ModelPMR, 17, "18", "DtmfCodeCH.TxCodeCH.CH18", " - CH 18"},
        {35, ModelLMR, 19, "Alert", "DtmfCodeCH.TxCodeCH.CH20", " - Alert"},
        {36, ModelLMR, 17, "18", "DtmfCodeCH.RxCodeCH.CH18", " - CH 18"},
        {37, ModelLMR, 3, "NG ACK", "DtmfCodeCH.TxSysCodeCH.CH4", " - NG ACK"},
        {38, ModelLMR, 17, "CPU All Reset", "DtmfCodeCH.RxSysCodeCH.CH18", " - CPU All Reset"},
        {40, ModelLMR, 2, "3", "2ToneCodeCH.RXCodeCH.CH3", " - CH 3"},
        {43, ModelPMR, 8, "G", "5ToneCodeCH.RXCodeCH.CHG", " - Group"},
        {47, ModelPMR, 9, "DTMF", "5ToneCodeCH.Format.DTMF", " - DTMF"},
        {48, ModelPMR, 14, "E", "5ToneCodeCH.UsrTon.14", " - E"},
    };
    // clang-format on
    for (const SCase& c : cases) {
        const SCodeSheet& sheet = *CodeSheetOf(c.view);
        EXPECT_EQ(CodeRowTitle(sheet, c.model, c.row), c.title);
        EXPECT_EQ(CodeRowPath(sheet, c.row, 0), c.path);
        EXPECT_EQ(CodeRowStatus(sheet, c.model, c.row), c.status);
        EXPECT_EQ(CodeRowStatus(sheet, c.model, -1), "     ");
    }
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

// Every row of every sheet has its node, its cells and the fields of its editor. Every
// field an editor offers is kept by the file (tried in the first rows, the last and the
// fixed ones): a changed value survives saving, except in the rows the table marks fixed.
TEST(CodeSheets, EveryRowHasItsCellsAndEditorFieldsAndTheFileKeepsThem) {
    for (int model : {ModelLMR, ModelPMR}) {
        SDocument doc(model);
        const CTreeIndex index = doc.Index();
        for (const SCodeSheet& sheet : CodeSheets()) {
            const int rows = CodeRowCount(doc.Registry(), sheet, 1);
            for (int row = 0; row < rows; ++row) {
                const std::string path = CodeRowPath(sheet, row, 0);
                const auto cells = doc.Cells(sheet.view, row);
                ASSERT_EQ(cells.size(), sheet.columns.size());
                // Only codes and names may be empty; every row has its title.
                for (size_t c = 0; c < cells.size(); ++c) {
                    const SCodeColumn& column = sheet.columns[c];
                    const bool text = column.kind == ECodeCell::DtmfCode ||
                                      column.kind == ECodeCell::FiveToneCode ||
                                      column.kind == ECodeCell::TextOrIdDec ||
                                      (column.field && std::string(column.field) == "Text");
                    if (!text) {
                        EXPECT_FALSE(cells[c].empty()) << path << " " << column.title;
                    }
                }
                const CNode& group = doc.Node(path);
                const bool tried = row < 2 || row == rows - 1 || CodeRowFixed(sheet, row);
                for (const SEditorField& editorField : sheet.editor) {
                    const CNode* field = group.FindChild(editorField.field);
                    ASSERT_NE(field, nullptr) << path << "." << editorField.field;
                    if (!tried || !CodeFieldApplies(doc.Registry(), sheet, row, *field))
                        continue;
                    const std::string other = OtherText(*field);
                    if (other.empty())
                        continue;
                    const STreeLeaf* leaf = index.Find(path + "." + editorField.field);
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
    EXPECT_EQ(CodeSheetOf(34), CodeSheetOf(3));
    EXPECT_EQ(CodeSheetOf(39), nullptr);
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

// Fields set as the editors do, then the cells of a row ("*" leaves a cell unchecked,
// "!x" wants anything but x).
TEST(CodeSheets, CellsShowTheFieldsAsTheSheetsDo) {
    using Cells = std::vector<std::string>;
    struct SCase {
        int model;
        std::vector<std::pair<std::string, std::string>> set;
        int view, row;
        Cells want;
    };
    const std::string rx = "DtmfCodeCH.RxCodeCH.CH2.", rx5 = "5ToneCodeCH.RXCodeCH.CH1.";
    // clang-format off
    const SCase cases[] = {
        {ModelLMR, {{rx + "Code", "99"}, {rx + "Text", "GATE"}, {rx + "Lcd", "ON"}, {rx + "Beep", "Emer"},
                    {rx + "SpMute", "OFF"}, {rx + "CodeMr", "ON"}},
         36, 1, {"2", "99", "GATE", "ON", "Emer", "OFF", "ON"}},
        {ModelLMR, {{"2ToneCodeCH.RXCodeCH.CH1.1stFreq", "1500"}}, 40, 0, {"1", "1500.0"}},
        // The group channels have no tones or code; the file keeps no group call or ABC.
        {ModelLMR, {}, 40, 3, {"G", "-----", "-----", "---", "*", "*", "!---"}},
        {ModelPMR, {}, 43, 8, {"G", "-----", "*", "*", "---"}},
        {ModelPMR, {{rx5 + "Text", "DEPOT"}, {rx5 + "ABC", "STN"}}, 43, 0, {"1", "*", "DEPOT", "*", "STN"}},
        {ModelPMR, {}, 47, 9, {"DTMF", "!-----", "-----", "-----"}},
        {ModelPMR, {{"5ToneCodeCH.UsrTon.10.Enc", "1000"}}, 48, 10, {"A", "1000"}},
    };
    // clang-format on
    for (const SCase& c : cases) {
        SDocument doc(c.model);
        for (const auto& [path, text] : c.set)
            doc.Set(path, text);
        const Cells cells = doc.Cells(c.view, c.row);
        ASSERT_GE(cells.size(), c.want.size()) << c.view;
        for (size_t i = 0; i < c.want.size(); ++i) {
            const std::string& want = c.want[i];
            if (want[0] == '!') {
                EXPECT_NE(cells[i], want.substr(1)) << c.view << " row " << c.row << " cell " << i;
            } else if (want != "*") {
                EXPECT_EQ(cells[i], want) << c.view << " row " << c.row << " cell " << i;
            }
        }
    }
}

// A special tone shows as the letter of its group and types back to the same code; a
// typed time is read into the field's own text (how times show is the time forms' test).
TEST(CodeSheets, WhatACellShowsTypesBackToTheSameValue) {
    SDocument doc(ModelPMR);
    doc.Set("5ToneCodeCH.TxCodeCom.SpcTonGrp", "E");
    doc.Set("5ToneCodeCH.TXCodeCH.CH1.TxCode", "E12E");
    const SCodeSheet& tx = *CodeSheetOf(45);
    const CNode& node = doc.Node("5ToneCodeCH.TXCodeCH.CH1.TxCode");
    const std::string shown = doc.Cells(tx.view, 0).at(1);
    EXPECT_EQ(shown, "G12G");
    std::string text, reason;
    ASSERT_TRUE(CodeFieldTyped(node, tx.columns[1].kind, shown, text, reason));
    EXPECT_EQ(text, "E12E");
    ASSERT_TRUE(CodeFieldTyped(node, ECodeCell::Timer3, " 8 ", text, reason));
    EXPECT_EQ(text, "8");
}

} // namespace
