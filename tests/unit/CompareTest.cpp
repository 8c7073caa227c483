// Two documents compared in the sheets' terms: where each difference shows, with the
// texts the sheets show, for every kind of cell in both variants.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>

#include "SignallingTestSupport.h"
#include "datamodel/memmap/SettingSheets.h"
#include "document/Compare.h"
#include "document/SheetRows.h"

namespace {

using signalling_test::SDocument;
using Edits = std::vector<std::pair<std::string, std::string>>;

void Apply(SDocument& doc, const Edits& edits) {
    for (const auto& [path, text] : edits)
        doc.Set(path, text);
}

// The index of a difference's column in its view (the value column of a setting).
size_t ColumnOf(const SViewDef& view, const SSheetDifference& d) {
    size_t column = 0;
    while (column < view.columns.size() && view.columns[column].title != d.column)
        ++column;
    return view.sheet == ESheetKind::Setting ? 1 : column;
}

// The cell a window would go to holds the text of b.
void ExpectCellOf(CCloneManager& b, const SSheetDifference& d) {
    const SViewDef* view = ViewOf(d.view);
    ASSERT_NE(view, nullptr) << DifferencePlace(d);
    const std::vector<std::string> cells = CSheetRows(b, *view).Cells(d.row);
    ASSERT_LT(ColumnOf(*view, d), cells.size()) << DifferencePlace(d);
    EXPECT_EQ(cells[ColumnOf(*view, d)], d.textB) << DifferencePlace(d);
}

struct SCase {
    int model;
    Edits both, change; // made in both documents, then in b only
    // Place, text of a, text of b, the field behind it.
    std::vector<std::array<std::string, 4>> expected;
};

const Edits kCh3 = {{"Mch.CH3.ChOn", "ON"}, {"Mch.CH3.FreqRx", "446.00625"}};

// clang-format off
const SCase kCases[] = {
    // The transmit frequency cell turns from "<-----" to its own text: no difference.
    {ModelLMR, kCh3, {{"Mch.CH3.FreqRx", "446.5"}}, {{"Memory > CH 3 > Rx Frequency", "446.00625", "446.50000", "Mch.CH3.FreqRx"}}},
    {ModelLMR, kCh3, {{"Mch.CH3.WidNar", "Narrow"}}, {{"Memory > CH 3 > Wide/Narrow", "Wide", "Narrow", "Mch.CH3.WidNar"}}},
    {ModelLMR, kCh3, {{"Mch.CH3.CTonRx", "754i"}}, {{"Memory > CH 3 > RX C.Tone", "OFF", "754i", "Mch.CH3.CTonRx"}}},
    {ModelLMR, {}, {{"Mch.CH4.ChOn", "ON"}}, {{"Memory > CH 4 > Rx Frequency", "", "0.00000", "Mch.CH4.ChOn"}}},
    // Prio A moves: the row it leaves and the row it comes to.
    {ModelLMR, {}, {{"Mch.PrioA", "5"}}, {{"Memory > CH 1 > CH Atr", "A", "", "Mch.PrioA"},
                                          {"Memory > CH 5 > CH Atr", "", "A", "Mch.PrioA"}}},
    {ModelLMR, {}, {{"CommonSet.Common.HangOnTim", "77.000"}}, {{"Common Setting:Common > Hang ON > Timer", "0.000", "77.000", "CommonSet.Common.HangOnTim"}}},
    {ModelLMR, {}, {{"CommonSet.Expert.AlertTelCodeTimes", "3"}}, {{"Common Setting:Expert > Alert > TEL Code > Times", "0", "3", "CommonSet.Expert.AlertTelCodeTimes"}}},
    {ModelLMR, {}, {{"CommonSet.KeyDisp.Text", "HELLO"}}, {{"Common Setting:Key & Display Assign > Opening Text", "", "HELLO", "CommonSet.KeyDisp.Text"}}},
    {ModelLMR, {}, {{"DtmfCodeCH.RxCodeCH.CH18.Text", "GATE"}}, {{"DTMF:RX Code > CH 18 > Text", "", "GATE", "DtmfCodeCH.RxCodeCH.CH18.Text"}}},
    {ModelLMR, {}, {{"DtmfCodeCH.TxSysCodeCH.CH3.Code", "12*#"}}, {{"DTMF:TX System Code > OK ACK > Code", "0000", "12*#", "DtmfCodeCH.TxSysCodeCH.CH3.Code"}}},
    {ModelLMR, {}, {{"2ToneCodeCH.RXCodeCH.CH2.1stFreq", "1500.0"}}, {{"2Tone:RX Code > CH 2 > 1st", "250.5", "1500.0", "2ToneCodeCH.RXCodeCH.CH2.1stFreq"}}},
    // Flags run together in one cell, a flag beside its field, a flag that hides a text.
    {ModelPMR, kCh3, {{"Mch.CH3.RxCNo2", "_"}}, {{"Memory > CH 3 > RX C-No(List No.)", "12345678", "1_345678", "Mch.CH3.RxCNo2"}}},
    {ModelPMR, {{"Mch.CH3.ChOn", "ON"}, {"Mch.CH3.RPT", "1"}}, {{"Mch.CH3.RPTLng", "ON"}}, {{"Memory > CH 3 > RPT", "1", "1L", "Mch.CH3.RPTLng"}}},
    // With RPT off no sheet shows the flag: its path names it.
    {ModelPMR, kCh3, {{"Mch.CH3.RPTLng", "ON"}}, {{"Mch.CH3.RPTLng", "OFF", "ON", "Mch.CH3.RPTLng"}}},
    {ModelPMR, {}, {{"5ToneCodeCH.TXCodeCH.CH1.InpDigit6", "6"}}, {{"5Tone:TX Code > CH 1 > Input Digit", "_______", "_____6_", "5ToneCodeCH.TXCodeCH.CH1.InpDigit6"}}},
    {ModelPMR, {}, {{"5ToneCodeCH.RXCodeCH.CH2.IdDec", "ON"}}, {{"5Tone:RX Code > CH 2 > Text or ID-Dec", "", "(ID-Dec)", "5ToneCodeCH.RXCodeCH.CH2.IdDec"}}},
    {ModelPMR, {}, {{"5ToneCodeCH.RxCodeCom.CompDigit6", "6"}}, {{"5Tone:RX Code Setting > Compare Digit", "12345__", "123456_", "5ToneCodeCH.RxCodeCom.CompDigit6"}}},
    {ModelPMR, {}, {{"5ToneCodeCH.Format.CCIR.TonPeriod", "10"}}, {{"5Tone:Format > CCIR > Tone Period", "0.000", "10.000", "5ToneCodeCH.Format.CCIR.TonPeriod"}}},
    {ModelPMR, {}, {{"5ToneCodeCH.UsrTon.11.Enc", "1200"}}, {{"5Tone:User Tone > B > Encode", "930", "1200", "5ToneCodeCH.UsrTon.11.Enc"}}},
};
// clang-format on

TEST(CompareSheets, NamesEachFieldWhereItsSheetShowsIt) {
    for (const SCase& c : kCases) {
        SCOPED_TRACE(c.change.front().first + "=" + c.change.front().second);
        SDocument a(c.model), b(c.model);
        Apply(a, c.both);
        Apply(b, c.both);
        Apply(b, c.change);
        const auto diffs = CompareSheets(a.Registry(), b.Registry());
        ASSERT_EQ(diffs.size(), c.expected.size());
        for (size_t i = 0; i < diffs.size(); ++i) {
            const auto& [place, textA, textB, path] = c.expected[i];
            EXPECT_EQ(DifferencePlace(diffs[i]), place);
            EXPECT_EQ(diffs[i].textA + "|" + diffs[i].textB, textA + "|" + textB);
            EXPECT_EQ(diffs[i].paths, std::vector<std::string>{path});
            if (diffs[i].view != kViewNone)
                ExpectCellOf(b.Registry(), diffs[i]);
        }
    }
}

// Every setting with options, changed at once, is found on its own row; the
// differences come in the order of the views, rows and columns.
TEST(CompareSheets, FindsEverySettingOnItsRowInSheetOrder) {
    for (int model : {ModelLMR, ModelPMR}) {
        SDocument a(model), b(model);
        const CTreeIndex index = a.Index();
        std::vector<std::pair<std::string, int>> changed; // path, view
        for (const SSettingSheet& sheet : SettingSheets())
            for (const SSettingRow& row : sheet.rows)
                for (const SEditorField& field : row.fields) {
                    const std::string path = std::string(sheet.node) + "." + field.field;
                    const auto* node = dynamic_cast<const CNodeValue*>(&b.Node(path));
                    if (!node || node->Options().size() < 2 || !index.Find(path))
                        continue;
                    const auto& options = node->Options();
                    b.Node(path).SetValue(options[0].second == node->Value() ? options[1].second
                                                                             : options[0].second);
                    changed.emplace_back(path, sheet.view);
                }
        ASSERT_GT(changed.size(), 30u);
        const auto diffs = CompareSheets(a.Registry(), b.Registry());
        for (const auto& [path, view] : changed) {
            const auto found = std::find_if(diffs.begin(), diffs.end(), [&](const auto& d) {
                return std::find(d.paths.begin(), d.paths.end(), path) != d.paths.end();
            });
            ASSERT_NE(found, diffs.end()) << path;
            EXPECT_EQ(found->view, view) << path;
            ExpectCellOf(b.Registry(), *found);
        }
        const auto order = [](const SSheetDifference& d) {
            const auto& views = Views();
            const auto view = std::find_if(views.begin(), views.end(),
                                           [&](const SViewDef& v) { return v.id == d.view; });
            return std::tuple(view - views.begin(), d.row, ColumnOf(*view, d));
        };
        EXPECT_TRUE(std::is_sorted(diffs.begin(), diffs.end(),
                                   [&](const auto& x, const auto& y) { return order(x) < order(y); }));
    }
}

TEST(CompareSheets, IdenticalDocumentsHaveNoDifference) {
    for (int model : {ModelLMR, ModelPMR}) {
        SDocument a(model), b(model);
        b.Set("Mch.Emr", "9");
        b.Set("Mch.Emr", "0");
        EXPECT_TRUE(CompareSheets(a.Registry(), b.Registry(), true).empty());
    }
}

// The variant first; then each variant's own sheets and columns against nothing, and
// what both show as it differs. Nothing is named by a path only one variant holds.
TEST(CompareSheets, AVariantMismatchComesFirstAndOwnSheetsStandAlone) {
    SDocument lmr(ModelLMR), pmr(ModelPMR);
    Apply(lmr, kCh3);
    Apply(pmr, kCh3);
    const auto diffs = CompareSheets(lmr.Registry(), pmr.Registry());
    ASSERT_FALSE(diffs.empty());
    EXPECT_EQ(DifferencePlace(diffs[0]) + diffs[0].textA + diffs[0].textB, "ModelLMRPMR");
    const auto at = [&](const std::string& place) {
        const auto it = std::find_if(diffs.begin(), diffs.end(),
                                     [&](const auto& d) { return DifferencePlace(d) == place; });
        return it == diffs.end() ? kViewNone : it->view;
    };
    // The memory sheets meet column by column ("Rx Frequency" and "RX Frequency").
    EXPECT_EQ(at("Memory > CH 3 > Rx Frequency"), kViewNone);
    EXPECT_EQ(at("Memory > CH 1 > CH Atr"), kViewNone);
    EXPECT_EQ(at("Memory > CH 3 > 2 Tone"), kViewMemoryLMR);
    EXPECT_EQ(at("Memory > CH 3 > Moni(Sw Action)"), kViewMemoryPMR);
    bool lmrOnly = false, pmrOnly = false;
    for (size_t i = 1; i < diffs.size(); ++i) {
        const SSheetDifference& d = diffs[i];
        ASSERT_NE(d.view, kViewNone) << DifferencePlace(d);
        const SViewDef& view = *ViewOf(d.view);
        if (!ViewShown(view, ModelPMR, false)) {
            lmrOnly = true;
            EXPECT_TRUE(d.textB.empty() && !d.textA.empty()) << DifferencePlace(d);
        }
        if (!ViewShown(view, ModelLMR, false)) {
            pmrOnly = true;
            EXPECT_TRUE(d.textA.empty() && !d.textB.empty()) << DifferencePlace(d);
        }
    }
    EXPECT_TRUE(lmrOnly && pmrOnly);
    EXPECT_EQ(CompareSheets(pmr.Registry(), lmr.Registry())[0].textA, "PMR");
}

} // namespace
