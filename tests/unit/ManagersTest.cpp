#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SignallingTestSupport.h"
#include "datamodel/Messages.h"

namespace {

using signalling_test::SDocument;

std::vector<std::string> g_log;

class LoggingManager : public CCloneManagerObject {
public:
    explicit LoggingManager(std::string name) : m_name(std::move(name)) {}
    ~LoggingManager() override { g_log.push_back("~" + m_name); }
    void Initialize() override {
        g_log.push_back(m_name + (GetRegistry() ? " bound" : " unbound"));
    }

private:
    std::string m_name;
};

} // namespace

TEST(Registry, InitialisesAndDestroysInSlotOrder) {
    g_log.clear();
    CScriptedInteraction ui;
    {
        CQCloneManager registry(ui);
        for (int slot : {3, 1, 7, 2})
            registry.SetSlot(slot, std::make_unique<LoggingManager>(std::to_string(slot)));
        registry.InitAll();
    }
    EXPECT_EQ(g_log, (std::vector<std::string>{"1 bound", "2 bound", "3 bound", "7 bound",
                                               "~1", "~2", "~3", "~7"}));
}

TEST(Registry, ConfirmMakerReserveAsksOnce) {
    CScriptedInteraction ui;
    CTolvarDocumentData doc(ui, ModelLMR);
    ui.answers = {EAnswer::Cancel};
    EXPECT_EQ(doc.Registry().ConfirmMakerReserve(), static_cast<int>(EAnswer::Cancel));
    EXPECT_FALSE(doc.Registry().Model()->IsMakerReserve());
    EXPECT_EQ(doc.Registry().ConfirmMakerReserve(), static_cast<int>(EAnswer::Ok));
    EXPECT_TRUE(doc.Registry().Model()->IsMakerReserve());
    EXPECT_EQ(doc.Registry().ConfirmMakerReserve(), 2);  // already on: not asked
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text, LoadMessage(EMsg::MakerReserveCaution));
    EXPECT_EQ(ui.boxes[0].buttons, EButtons::OkCancel);
    EXPECT_EQ(ui.boxes[0].icon, EIcon::Exclamation);
}

TEST(Document, ModelChangeAcceptedAndRefused) {
    CScriptedInteraction ui;
    CPlainDocumentHost host;
    CTolvarDocumentData doc(ui, ModelLMR, &host);
    CEepromImage& image = doc.Registry().Image();
    image.SetByte(0x1000, 0xAB);
    host.modified = true;

    ui.answers = {EAnswer::No};
    EXPECT_EQ(doc.Registry().Model()->ChangeModel(ModelPMR, true), 0);
    EXPECT_EQ(image.GetByte(0x1000), 0xAB);
    EXPECT_TRUE(host.modified);
    EXPECT_EQ(doc.GetModel(), ModelLMR);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Change model \n\nAll data will be lost.\n\n      OK? \n");
    EXPECT_EQ(ui.boxes[0].buttons, EButtons::YesNo);

    ui.answers = {EAnswer::Yes};
    EXPECT_EQ(doc.Registry().Model()->ChangeModel(ModelPMR, true), 1);
    EXPECT_EQ(doc.GetModel(), ModelPMR);
    EXPECT_EQ(image.GetByte(0xD1), 0x10);
    EXPECT_EQ(image.GetByte(0x1000), FactoryTable(ModelPMR)[0x1000]);
    EXPECT_FALSE(host.modified);
    EXPECT_EQ(host.newDocuments, 1);
}

TEST(Defaults, TablesHoldTheFactoryRows) {
    const auto& lmr = FactoryTable(ModelLMR);
    const auto& pmr = FactoryTable(ModelPMR);
    ASSERT_EQ(lmr.size(), 6656u);
    ASSERT_EQ(pmr.size(), 6656u);
    for (const auto* table : {&lmr, &pmr}) {
        EXPECT_EQ(std::string(table->begin() + 0x19F8, table->end()), "VELK Inc");
        EXPECT_EQ((*table)[0x19F7], 0x01);
        const std::vector<uint8_t> row(table->begin() + 0xB0, table->begin() + 0xC0);
        EXPECT_EQ(row, (std::vector<uint8_t>{0xBF, 0x5F, 0x1F, 0xBF, 0x5F, 0x1F, 0x9F, 0, 0, 0,
                                             0, 0xF8, 0xF8, 0x0A, 0x0E, 0x0F}));
        for (uint32_t n = 0; n < 32; ++n) {
            EXPECT_EQ((*table)[0x200 + 32 * n], 0xFF);
            EXPECT_EQ((*table)[0x1480 + 10 * n], ' ');
        }
        for (uint32_t k = 0; k < 512; ++k)
            EXPECT_EQ((*table)[0xD00 + 3 * k], 0x80);
    }
    EXPECT_EQ(lmr[0xD1], 0x00);
    EXPECT_EQ(pmr[0xD1], 0x10);
    EXPECT_EQ(lmr[0x200 + 0x13], 0x81);
    EXPECT_EQ(pmr[0x200 + 0x15], 0xFF);
}

TEST(Defaults, RestoreOperationsWriteOnlyWhatTheyName) {
    SDocument doc(ModelLMR);
    CEepromImage& image = doc.Registry().Image();
    auto& defaults = *doc.Registry().Defaults();
    image.SetByte(0x1A00, 0x77);  // beyond the tables
    image.SetByte(0xD1, 0xFF);
    defaults.RestoreBit(ModelPMR, 0xD1, 4);
    EXPECT_EQ(image.GetByte(0xD1), 0xFF);
    defaults.RestoreBit(ModelLMR, 0xD1, 4);
    EXPECT_EQ(image.GetByte(0xD1), 0xEF);
    defaults.RestoreByte(-1, 0xD1);  // the current model
    EXPECT_EQ(image.GetByte(0xD1), 0x00);
    image.SetByte(0xB0, 0), image.SetByte(0xB1, 0), image.SetByte(0xB2, 0);
    defaults.RestoreBlock(ModelLMR, 0xB0, 2);
    EXPECT_EQ(image.GetByte(0xB0), 0xBF);
    EXPECT_EQ(image.GetByte(0xB1), 0x5F);
    EXPECT_EQ(image.GetByte(0xB2), 0x00);
    defaults.RestoreBlock(ModelLMR, 0x19FF, 4);  // past the table: nothing
    defaults.LoadDefaults(ModelLMR);
    EXPECT_EQ(image.GetByte(0x1A00), 0x77);
}

TEST(Paths, DottedLookup) {
    SDocument doc(ModelLMR);
    CQModelManager& model = *doc.Registry().Model();
    EXPECT_EQ(model.GetNodeByPath(""), &doc.Registry().RadioData()->GetRootNode());
    const CNode* mch = model.GetNodeByPath("Mch");
    ASSERT_NE(mch, nullptr);
    EXPECT_EQ(mch->GetName(), "Mch");
    EXPECT_EQ(model.GetNodeByPath("Nope.Mch"), nullptr);
    EXPECT_EQ(model.GetNodeByPath("Mch.Nope.CH1"), nullptr);
    EXPECT_EQ(model.GetNodeByPath("Mch."), nullptr);
    const std::vector<std::string> groups = {"Mch",         "MultiTon",    "CommonSet", "DtmfCodeCH",
                                             "2ToneCodeCH", "5ToneCodeCH", "MakerR"};
    const auto& children = doc.Registry().RadioData()->GetRootNode().Children();
    ASSERT_EQ(children.size(), groups.size());
    for (size_t i = 0; i < groups.size(); ++i)
        EXPECT_EQ(children[i]->GetName(), groups[i]);
}
