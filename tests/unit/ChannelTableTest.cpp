// Channels through the clipboard as tab-separated rows: what the sheet copies pastes
// back (with or without its title row) as one step; a bad cell refuses the whole paste
// and names its row and column.
#include <gtest/gtest.h>

#include <algorithm>

#include "datamodel/DataManagers.h"
#include "datamodel/EditHistory.h"
#include "datamodel/memmap/ChannelSheet.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/nodes/Node.h"
#include "document/DocumentData.h"
#include "exchange/ChannelCsv.h"
#include "exchange/Exchange.h"
#include "support/ScriptedInteraction.h"

namespace {

struct SDoc {
    explicit SDoc(int model) : data(ui, model) {}
    CQCloneManager& Registry() { return data.Registry(); }
    CTreeIndex Index() { return CTreeIndex(*Registry().RadioData(), data.GetModel()); }
    std::vector<std::string> Row(int channel) { return ChannelSheetRow(Index(), channel, true); }
    void Use(int channel, const char* rx, const char* name) {
        const std::string base = "Mch.CH" + std::to_string(channel) + ".";
        Registry().Model()->GetNodeByPath(base + "ChOn")->SetValue(1);
        Registry().Model()->GetNodeByPath(base + "FreqRx")->SetText(rx);
        Registry().Model()->GetNodeByPath(base + "Text")->SetText(name);
    }
    CScriptedInteraction ui;
    CTolvarDocumentData data;
};

// The text without its first line.
std::string WithoutTitles(const std::string& text) {
    return text.substr(text.find('\n') + 1);
}

} // namespace

TEST(ChannelTable, CopiedRowsPasteBackWithOrWithoutTitles) {
    for (int model : {ModelLMR, ModelPMR})
        for (bool titles : {true, false}) {
            SDoc source(model), target(model);
            source.Use(3, "145.125", "ALPHA");
            source.Use(5, "440.000", "GAMMA");
            std::string text = ChannelTableText(source.Index(), {3, 4, 5});
            EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
            if (!titles) text = WithoutTitles(text);
            // A spreadsheet ends its lines with CR LF.
            for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2))
                text.insert(at, "\r");
            const SImportResult result = PasteChannelTable(target.Registry(), text);
            ASSERT_TRUE(result.Ok()) << result.errors.front();
            for (int channel : {3, 4, 5})
                EXPECT_EQ(target.Row(channel), source.Row(channel)) << channel;
            EXPECT_EQ(target.Registry().History().UndoName(), "Paste CH 3-5");
            EXPECT_EQ(target.Registry().History().StepCount(), 1u);
            target.Registry().History().Undo();
            EXPECT_EQ(target.Row(3), SDoc(model).Row(3));
        }
}

TEST(ChannelTable, ABadCellRefusesThePasteAndSaysWhere) {
    SDoc doc(ModelLMR);
    doc.Use(7, "145.125", "SITE");
    // A row without titles, as a spreadsheet copies it, with another channel number.
    std::string untitled = WithoutTitles(ChannelTableText(doc.Index(), {7}));
    untitled.replace(0, 1, "40");
    const struct {
        std::string text, error;
    } cases[] = {
        {"CH\tRx Frequency\n7\t999.999\n", "row 2, column \"Rx Frequency\" (Mch.CH7.FreqRx): \"999.999\" is outside"},
        {untitled, "row 1, column \"CH\": \"40\" is not a channel number"},
        {"", "the text holds no row of channels"},
        {"9\t145.000\n", "row 1: 2 cells; without a title row, a row holds the sheet's 23 columns"},
    };
    for (const auto& c : cases) {
        const SImportResult result = PasteChannelTable(doc.Registry(), c.text);
        ASSERT_FALSE(result.Ok()) << c.text;
        EXPECT_EQ(result.errors.front().rfind(c.error, 0), 0u) << result.errors.front();
        EXPECT_FALSE(doc.Registry().History().CanUndo()) << c.text;
    }
}
