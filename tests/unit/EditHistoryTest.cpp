// The edit history: every kind of change undone and redone over random documents of
// both variants gives back exactly the image and the tree before and after it; long
// random sequences unwind to the start; the bounds drop the oldest steps only; the
// clean point decides the modified flag; the block operations ask and refuse.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "clone/CloneRsIoManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/EditHistory.h"
#include "datamodel/memmap/ChannelEditing.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/memmap/TreeAccess.h"
#include "document/DocumentData.h"
#include "exchange/Exchange.h"
#include "support/ScriptedInteraction.h"

namespace {

struct SDoc {
    explicit SDoc(int model) : data(ui, model, &host) {}
    CQCloneManager& Registry() { return data.Registry(); }
    CEditHistory& History() { return data.Registry().History(); }
    CScriptedInteraction ui;
    CPlainDocumentHost host;
    CTolvarDocumentData data;
};

// What the document holds: the variant, the image, the image a save would write, and
// every node as the channel sheet and the tree show it.
struct SState {
    int model = 0;
    std::vector<uint8_t> image, saved;
    std::vector<std::string> nodes;
    bool operator==(const SState&) const = default;
};

SState StateOf(SDoc& doc) {
    CQCloneManager& r = doc.Registry();
    SState state{r.Model()->GetModel(), r.Image().Bytes(), {}, {}};
    r.RadioData()->ForEachNode([&](CNode& node) { state.nodes.push_back(node.GetText()); });
    const CChannelEditor channels(r);
    for (int n = 1; n <= 32; ++n) {
        const ChannelRecord record = CopyChannelRecord(*channels.Holder(n));
        state.nodes.emplace_back(record.begin(), record.end());
    }
    r.StoreTreeToImage();
    r.Adjust()->Normalise();
    state.saved = r.Image().Bytes();
    r.Image().Write(0, state.image.data(), static_cast<uint32_t>(state.image.size()));
    return state;
}

// A document of the variant made from random user-area bytes, as a read would take it.
void Randomise(SDoc& doc, std::mt19937& rng) {
    CQCloneManager& r = doc.Registry();
    for (uint32_t a = kUserAreaStart; a < kTableSize; ++a)
        r.Image().SetByte(a, static_cast<uint8_t>(rng() >> 24));
    r.Image().SetBit(kModelAddr, kModelBit, r.Model()->GetModel());
    r.LoadImageToTree();
    r.StoreTreeToImage();
    r.Adjust()->Normalise();
    r.LoadImageToTree();
    doc.History().Clear();
}

int Pick(std::mt19937& rng, int first, int last) {
    return first + static_cast<int>(rng() % static_cast<uint32_t>(last - first + 1));
}

std::vector<int> SomeChannels(std::mt19937& rng) {
    std::vector<int> channels;
    for (int n = Pick(rng, 1, 4); n > 0; --n)
        channels.push_back(Pick(rng, 1, 32));
    return channels;
}

// Field texts a donor document of the same variant holds: always ones a field took.
std::vector<SLeafEdit> EditsFrom(std::mt19937& rng, const CTreeIndex& index, const CTreeIndex& from,
                                 int count) {
    std::vector<SLeafEdit> edits;
    for (int i = 0; i < count; ++i) {
        const STreeLeaf& leaf = index.Leaves()[rng() % index.Leaves().size()];
        if (const STreeLeaf* other = from.Find(leaf.path))
            edits.push_back({&leaf, LeafText(*other->node), leaf.path, true});
    }
    return edits;
}

// One change of each kind, as the front ends make them.
using Operation = std::function<void(SDoc&, SDoc&, std::mt19937&)>;
const std::vector<std::pair<const char*, Operation>>& Operations() {
    static const std::vector<std::pair<const char*, Operation>> operations = {
        {"Edit", [](SDoc& doc, SDoc& donor, std::mt19937& rng) {
             const int model = doc.data.GetModel();
             const CTreeIndex index(*doc.Registry().RadioData(), model);
             const CTreeIndex from(*donor.Registry().RadioData(), model);
             ApplyLeafEdits(doc.Registry(), EditsFrom(rng, index, from, Pick(rng, 1, 6)));
         }},
        {"Paste", [](SDoc& doc, SDoc& donor, std::mt19937& rng) {
             const CChannelEditor from(donor.Registry());
             std::vector<uint8_t> records;
             const int count = Pick(rng, 1, 4), first = Pick(rng, 1, 33 - count);
             for (int i = 0; i < count; ++i) {
                 const ChannelRecord record = CopyChannelRecord(*from.Holder(Pick(rng, 1, 32)));
                 records.insert(records.end(), record.begin(), record.end());
             }
             std::string refusal;
             CChannelEditor(doc.Registry()).PasteChannels(first, records.data(), records.size(), refusal);
         }},
        {"Clear", [](SDoc& doc, SDoc&, std::mt19937& rng) {
             CChannelEditor(doc.Registry()).ClearChannels(SomeChannels(rng));
         }},
        {"Delete", [](SDoc& doc, SDoc&, std::mt19937& rng) {
             CChannelEditor(doc.Registry()).DeleteChannels(SomeChannels(rng));
         }},
        {"Insert", [](SDoc& doc, SDoc&, std::mt19937& rng) {
             CChannelEditor(doc.Registry()).InsertChannel(Pick(rng, 1, 32));
         }},
        {"Prio A", [](SDoc& doc, SDoc&, std::mt19937& rng) {
             CChannelEditor(doc.Registry()).SetPrioA(Pick(rng, 0, 32));
         }},
        {"Emergency", [](SDoc& doc, SDoc&, std::mt19937& rng) {
             CChannelEditor(doc.Registry()).SetEmergency(Pick(rng, 0, 32));
         }},
        {"Model", [](SDoc& doc, SDoc&, std::mt19937&) {
             doc.Registry().Model()->ChangeModel(1 - doc.data.GetModel(), false);
         }},
        {"Import", [](SDoc& doc, SDoc& donor, std::mt19937&) {
             if (donor.data.GetModel() == doc.data.GetModel())
                 ImportText(doc.data, ExportText(donor.data, EExportFormat::Csv));
         }},
    };
    return operations;
}

class EditHistoryProperty : public ::testing::TestWithParam<std::tuple<size_t, int>> {};
INSTANTIATE_TEST_SUITE_P(
    Kinds, EditHistoryProperty,
    ::testing::Combine(::testing::Range<size_t>(0, 9), ::testing::Values(ModelLMR, ModelPMR)),
    [](const auto& info) {
        std::string name = Operations()[std::get<0>(info.param)].first;
        std::erase(name, ' ');
        return name + ModelName(std::get<1>(info.param));
    });

// Apply, undo, redo, undo: the states before and after, exactly, every time.
TEST_P(EditHistoryProperty, UndoAndRedoGiveBackTheStatesExactly) {
    const auto [kind, model] = GetParam();
    const auto& [name, operation] = Operations()[kind];
    std::mt19937 rng(7919u * static_cast<unsigned>(kind + 1) + static_cast<unsigned>(model));
    int recorded = 0;
    for (int round = 0; round < 6; ++round) {
        SDoc doc(model), donor(model);
        Randomise(doc, rng);
        Randomise(donor, rng);
        const SState before = StateOf(doc);
        operation(doc, donor, rng);
        if (!doc.History().CanUndo()) {
            EXPECT_EQ(StateOf(doc), before) << name << ": a change without a step";
            continue;
        }
        ++recorded;
        EXPECT_EQ(doc.History().StepCount(), 1u) << name;
        // A variant change starts unmodified, as New does.
        EXPECT_EQ(doc.host.modified, std::string(name) != "Model") << name;
        const SState after = StateOf(doc);
        ASSERT_TRUE(doc.History().Undo());
        EXPECT_TRUE(StateOf(doc) == before) << name << " undone, round " << round;
        EXPECT_FALSE(doc.History().CanUndo());
        ASSERT_TRUE(doc.History().Redo());
        EXPECT_TRUE(StateOf(doc) == after) << name << " redone, round " << round;
        ASSERT_TRUE(doc.History().Undo());
        EXPECT_TRUE(StateOf(doc) == before) << name << " undone again, round " << round;
    }
    EXPECT_GE(recorded, 3) << name << " changed too few documents to prove anything";
}

// 200 random steps of every kind undone to the start give the opening document; redone,
// the last one.
TEST(EditHistory, ARandomSequenceUnwindsToTheStart) {
    for (int model : {ModelLMR, ModelPMR}) {
        std::mt19937 rng(2024u + static_cast<unsigned>(model));
        SDoc doc(model), lmr(ModelLMR), pmr(ModelPMR);
        Randomise(doc, rng);
        Randomise(lmr, rng);
        Randomise(pmr, rng);
        const SState opening = StateOf(doc);
        for (int i = 0; i < 200; ++i) {
            SDoc& donor = doc.data.GetModel() == ModelPMR ? pmr : lmr;
            Operations()[rng() % Operations().size()].second(doc, donor, rng);
        }
        const SState last = StateOf(doc);
        const size_t steps = doc.History().StepCount();
        EXPECT_GT(steps, 100u);
        while (doc.History().Undo()) {}
        EXPECT_TRUE(StateOf(doc) == opening) << ModelName(model);
        while (doc.History().Redo()) {}
        EXPECT_TRUE(StateOf(doc) == last) << ModelName(model);
        EXPECT_EQ(doc.History().StepCount(), steps);
    }
}

// Prio A steps: channel 1, 2, ... (32 is followed by 1).
void PrioSteps(SDoc& doc, int count) {
    for (int n = 1; n <= count; ++n)
        CChannelEditor(doc.Registry()).SetPrioA((n - 1) % 32 + 1);
}

TEST(EditHistory, TheBoundsDropTheOldestStepsOnly) {
    SDoc doc(ModelLMR);
    PrioSteps(doc, 1010); // more than the default bound
    EXPECT_EQ(doc.History().StepCount(), CEditHistory::kMaxSteps);
    doc.History().SetLimits(3, CEditHistory::kMaxBytes);
    doc.History().Clear();
    PrioSteps(doc, 5);
    EXPECT_EQ(doc.History().StepCount(), 3u);
    EXPECT_EQ(doc.History().UndoName(), "Prio A CH 5");
    while (doc.History().Undo()) {}
    // Steps 1 and 2 are gone: undoing stops at channel 2.
    EXPECT_EQ(CChannelEditor(doc.Registry()).PrioA(), 2);
    EXPECT_EQ(doc.History().RedoName(), "Prio A CH 3");

    // By size: a whole read or import is large; the newest step is always kept.
    SDoc big(ModelLMR);
    std::mt19937 rng(5);
    SDoc donor(ModelLMR);
    Randomise(donor, rng);
    ImportText(big.data, ExportText(donor.data, EExportFormat::Json));
    const size_t one = big.History().MemoryBytes();
    ASSERT_GT(one, 1000u);
    big.History().SetLimits(1000, one + one / 2);
    PrioSteps(big, 3);
    EXPECT_EQ(big.History().StepCount(), 4u);
    Randomise(donor, rng);
    ImportText(big.data, ExportText(donor.data, EExportFormat::Json));
    EXPECT_EQ(big.History().StepCount(), 4u); // the first import went
    EXPECT_LE(big.History().MemoryBytes(), one + one / 2);
    big.History().SetLimits(1000, 1);
    EXPECT_EQ(big.History().StepCount(), 1u);
    EXPECT_EQ(big.History().UndoName(), "Import");
}

// The document is unmodified exactly at the saved point: after Save, undo back to it,
// and not when a new step replaced the steps that led there.
TEST(EditHistory, TheCleanPointDecidesTheModifiedFlag) {
    SDoc doc(ModelLMR);
    EXPECT_FALSE(doc.host.modified);
    PrioSteps(doc, 2);
    EXPECT_TRUE(doc.host.modified);
    doc.History().MarkClean();
    EXPECT_FALSE(doc.host.modified);
    doc.History().Undo();
    EXPECT_TRUE(doc.host.modified);
    doc.History().Redo();
    EXPECT_FALSE(doc.host.modified);
    doc.History().Undo();
    CChannelEditor(doc.Registry()).SetEmergency(4); // the saved state cannot come back
    while (doc.History().Undo())
        EXPECT_TRUE(doc.host.modified);
    EXPECT_FALSE(doc.History().CanUndo());

    // New starts a new history; a variant change is a step that leaves the document
    // unmodified until it is undone.
    doc.data.New();
    EXPECT_FALSE(doc.History().CanUndo() || doc.History().CanRedo() || doc.host.modified);
    doc.Registry().Model()->ChangeModel(ModelPMR, false);
    EXPECT_EQ(doc.History().UndoName(), "Model: PMR");
    EXPECT_FALSE(doc.host.modified);
    doc.History().Undo();
    EXPECT_EQ(doc.data.GetModel(), ModelLMR);
    EXPECT_TRUE(doc.host.modified);
    EXPECT_GE(doc.host.treeRebuilds, 1);
}

TEST(EditHistory, ARepeaterReadIsOneStepEvenWhenItBringsNothingNew) {
    SDoc doc(ModelLMR);
    doc.data.RsIo().SetPortName("SIM");
    ASSERT_EQ(doc.data.RsIo().Read(), ECloneResult::Ok);
    EXPECT_EQ(doc.History().UndoName(), "Read from repeater");
    EXPECT_TRUE(doc.host.modified);
    doc.History().Undo();
    EXPECT_FALSE(doc.host.modified);
}

TEST(EditHistory, ChannelListsAreShort) {
    const std::pair<std::vector<int>, const char*> cases[] = {
        {{7}, "CH 7"},           {{12, 10, 11}, "CH 10-12"}, {{3, 5, 7, 8, 9}, "CH 3, 5, 7-9"},
        {{1, 2}, "CH 1, 2"},     {{4, 4, 5}, "CH 4, 5"},
    };
    for (const auto& [channels, text] : cases)
        EXPECT_EQ(ChannelListText(channels), text);
}

} // namespace
