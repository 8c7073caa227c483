// What the field descriptions say, against the nodes and the channel sheet.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "SignallingTestSupport.h"
#include "datamodel/memmap/ChannelMap.h"
#include "datamodel/memmap/ChannelSheet.h"
#include "datamodel/memmap/FieldFacts.h"

namespace {

using signalling_test::SDocument;

constexpr int kBoth = -1;

TEST(FieldFacts, TellKindValuesVariantsAndSheetColumn) {
    const struct {
        int model; // kBoth: the same in both variants
        const char* path;
        const char* kind;
        const char* accepts; // a part of it
        const char* title;
        unsigned models;
        double min, max; // when ranged
        const char* unit;
        size_t length;
        const char* charset;
    } cases[] = {
        {ModelLMR, "Mch.CH1.FreqRx", "frequency",
         "on the channel raster: 2.5, 5 or 6.25 kHz steps below 300 MHz, 5 or 6.25 kHz steps "
         "above",
         "Rx Frequency", kModelsBoth, 0, 799.995, "MHz", 0, ""},
        {ModelPMR, "Mch.CH1.FreqRx", "frequency", "(or a whole number of Hz)", "RX Frequency",
         kModelsBoth, 0, 799.995, "MHz", 0, ""},
        {kBoth, "Mch.CH32.FreqTx", "frequency", "799.99500 MHz", "Tx Frequency", kModelsBoth, 0,
         799.995, "MHz", 0, ""},
        {kBoth, "Mch.CH1.CTonRx", "tone", "Multi, or a DTCS code", "RX C.Tone", kModelsBoth, 0, 0,
         "", 0, ""},
        {kBoth, "Mch.CH5.CTonTx", "tone", "or a DTCS code", "TX C.Tone", kModelsBoth, 0, 0, "", 0,
         ""},
        {kBoth, "Mch.CH1.Text", "text", "up to 10 characters of A-Z a-z 0-9", "Text", kModelsBoth,
         0, 0, "", 10, "A-Z a-z 0-9, space and the ASCII signs except ~"},
        {kBoth, "Mch.CH1.ChOn", "option list", "one of OFF, ON", "", kModelsBoth, 0, 0, "", 0, ""},
        {kBoth, "Mch.CH1.ScrmCode", "number", "a whole number from 1 to 255", "Scrambler Code",
         kModelsBoth, 1, 255, "", 0, ""},
        {ModelLMR, "Mch.CH1.RptLogIdP", "option list", "one of 5Tone (shown as DTMF), CW ID",
         "RPT Log ID", kModelsBoth, 0, 0, "", 0, ""},
        {ModelPMR, "Mch.CH1.RptLogIdP", "option list", "one of 5Tone, CW ID", "RPT Log ID",
         kModelsBoth, 0, 0, "", 0, ""},
        {ModelPMR, "Mch.CH1.AutoResetP", "option list", "Timer A Inact (shown as Timer AI)",
         "Auto Reset", kModelsPMR, 0, 0, "", 0, ""},
        {ModelLMR, "Mch.CH1.LockoutL", "option list", "one of OFF, Busy, Rpt", "Lockout",
         kModelsLMR, 0, 0, "", 0, ""},
        {ModelPMR, "Mch.CH1.RPTLng", "option list", "one of OFF, ON", "RPT", kModelsPMR, 0, 0, "",
         0, ""},
        {ModelPMR, "Mch.CH1.RxCNo8", "option list", "one of _, 8", "RX C-No(List No.)", kModelsPMR,
         0, 0, "", 0, ""},
        {kBoth, "Mch.PrioA", "number", "a whole number", "CH Atr", kModelsBoth, 0, 32, "", 0, ""},
        {kBoth, "MultiTon.Ton1.CTonRx", "tone", "DTCS code", "", kModelsBoth, 0, 0, "", 0, ""},
        {kBoth, "CommonSet.Common.UsrPswd", "text", "exactly 4 characters of 0-9 A-F", "",
         kModelsBoth, 0, 0, "", 4, "0-9 A-F"},
        {kBoth, "CommonSet.Expert.CwIdCode", "text", "up to 32 characters", "", kModelsBoth, 0, 0,
         "", 32, "A-Z 0-9, space and . , : ? ' - ( ) = / + \" *"},
        {kBoth, "CommonSet.Expert.UsrCtcssFreq", "frequency", "192000 / w Hz", "", kModelsBoth, 60,
         300, "Hz", 0, ""},
        {kBoth, "CommonSet.Expert.BeepFreqL", "frequency", "96000 / (n + 1) Hz", "", kModelsBoth,
         400, 3000, "Hz", 0, ""},
        {kBoth, "CommonSet.Expert.AlertTempReg", "number", "from -30 to 130", "", kModelsBoth, -30,
         130, "", 0, ""},
        {kBoth, "MakerR.IfFreq", "frequency", "in 12.5 kHz steps", "", kModelsBoth, -99.9875,
         99.9875, "MHz", 0, ""},
        {kBoth, "DtmfCodeCH.TxCodeCH.CH1.Code", "text", "up to 24 characters of 0-9 A-D * #", "",
         kModelsBoth, 0, 0, "", 24, "0-9 A-D * #"},
        {ModelLMR, "2ToneCodeCH.RXCodeCH.CH1.1stFreq", "frequency", "decode window", "", kModelsLMR,
         250, 3300, "Hz", 0, ""},
        {ModelPMR, "5ToneCodeCH.RXCodeCH.CH1.RxCode", "text", "up to 7 characters of 0-9 A-E +", "",
         kModelsPMR, 0, 0, "", 7, "0-9 A-E +"},
        {ModelPMR, "5ToneCodeCH.TXCodeCH.CH1.TxCode", "text", "up to 7 characters of 0-9 A-E", "",
         kModelsPMR, 0, 0, "", 7, "0-9 A-E"},
        {ModelPMR, "5ToneCodeCH.TxCodeCom.SpcTonLnk2", "text", "exactly 1 character of 0-9 A-F", "",
         kModelsPMR, 0, 0, "", 1, "0-9 A-F"},
        {ModelPMR, "5ToneCodeCH.UsrTon.3.Enc", "frequency", "in 1 Hz steps", "", kModelsPMR, 400,
         3000, "Hz", 0, ""},
    };
    for (int model : {ModelLMR, ModelPMR}) {
        SDocument doc(model);
        const CTreeIndex index = doc.Index(true);
        for (const auto& c : cases) {
            if (c.model != kBoth && c.model != model)
                continue;
            const STreeLeaf* leaf = index.Find(c.path);
            ASSERT_NE(leaf, nullptr) << c.path;
            const SFieldFacts facts = DescribeField(doc.Radio(), *leaf);
            const std::string where = std::string(ModelName(model)) + " " + c.path;
            EXPECT_EQ(facts.kind, c.kind) << where;
            EXPECT_NE(facts.accepts.find(c.accepts), std::string::npos)
                << where << ": " << facts.accepts;
            EXPECT_EQ(facts.title, c.title) << where;
            EXPECT_EQ(facts.models, c.models) << where;
            EXPECT_EQ(facts.ranged,
                      c.kind == std::string("number") || c.kind == std::string("frequency"))
                << where;
            if (facts.ranged) {
                EXPECT_DOUBLE_EQ(facts.min, c.min) << where;
                EXPECT_DOUBLE_EQ(facts.max, c.max) << where;
            }
            EXPECT_EQ(facts.unit, c.unit) << where;
            EXPECT_EQ(facts.length, c.length) << where;
            EXPECT_EQ(facts.charset, c.charset) << where;
            EXPECT_EQ(facts.raster.empty(), c.kind != std::string("frequency")) << where;
        }
    }
}

// The descriptions come from the nodes: every option is listed, and what the
// description says a text field takes is what the field takes.
TEST(FieldFacts, ListEveryOptionAndAgreeWithTheNodes) {
    for (int model : {ModelLMR, ModelPMR}) {
        SDocument doc(model);
        const CTreeIndex index = doc.Index(true);
        for (const STreeLeaf& leaf : index.Leaves()) {
            const SFieldFacts facts = DescribeField(doc.Radio(), leaf);
            EXPECT_EQ(facts.models, doc.Radio().GetNodeInfo(leaf.node).models) << leaf.path;
            EXPECT_FALSE(facts.accepts.empty()) << leaf.path;
            if (const auto* value = dynamic_cast<const CNodeValue*>(leaf.node)) {
                ASSERT_EQ(facts.options.size(), value->Options().size()) << leaf.path;
                for (size_t i = 0; i < facts.options.size(); ++i) {
                    int found = -1;
                    EXPECT_TRUE(value->FindOption(facts.options[i], found)) << leaf.path;
                    std::string error;
                    EXPECT_TRUE(SetLeafText(leaf, facts.options[i], error)) << error;
                }
            }
            if (const auto* text = dynamic_cast<const CStringNode*>(leaf.node)) {
                EXPECT_EQ(facts.accepts, text->Accepts()) << leaf.path;
                EXPECT_EQ(facts.fixedLength, text->FixedLength()) << leaf.path;
            }
        }
    }
}

// Every column names fields the variant's channels have, and a field's column is the
// one that names it. The channel fields no column shows: the in-use flag (the receive
// frequency column sets it).
TEST(ChannelSheet, ColumnsNameTheVariantsChannelFields) {
    for (int model : {ModelLMR, ModelPMR}) {
        SCOPED_TRACE(ModelName(model));
        SDocument doc(model);
        const CTreeIndex index = doc.Index(true);
        std::set<std::string> titles, shown;
        for (const SSheetColumn& column : ChannelSheetColumns(model)) {
            EXPECT_TRUE(titles.insert(column.title).second) << column.title;
            std::vector<std::string> fields;
            if (column.kind == ESheetColumn::RxCNo)
                for (int k = 1; k <= kRxCNoCount; ++k)
                    fields.push_back(column.field + std::to_string(k));
            else
                for (const char* field : {column.field, column.extra})
                    if (field)
                        fields.emplace_back(field);
            EXPECT_EQ(fields.empty(), column.kind == ESheetColumn::Number) << column.title;
            for (const std::string& field : fields) {
                const std::string path =
                    column.kind == ESheetColumn::Attr ? "Mch." + field : "Mch.CH7." + field;
                EXPECT_NE(index.Find(path), nullptr) << column.title << ": " << path;
                EXPECT_EQ(ChannelSheetColumnOf(model, field), &column) << field;
                shown.insert(field);
            }
        }
        std::set<std::string> unshown;
        for (const STreeLeaf* leaf : index.Below("Mch.CH7")) {
            const std::string field = leaf->path.substr(leaf->path.rfind('.') + 1);
            if (!shown.count(field))
                unshown.insert(field);
        }
        EXPECT_EQ(unshown, std::set<std::string>{"ChOn"});
        EXPECT_EQ(ChannelSheetColumnOf(model, "Nothing"), nullptr);
        EXPECT_EQ(ChannelSheetColumnOf(model, "RxCNo9"), nullptr);
    }
}

} // namespace
