#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "SignallingTestSupport.h"
#include "datamodel/nodes/GroupNodes.h"
#include "support/TextMatch.h"

namespace {

using signalling_test::SDocument;

SLeafEdit Edit(const CTreeIndex& index, const char* path, const char* text) {
    return SLeafEdit{index.Find(path), text, std::string("at ") + path};
}

// The path a view finds by walking up the parents.
std::string PathOf(const CNode& node) {
    std::string path = node.GetName();
    for (const CNode* up = node.GetParent(); up && up->GetParent(); up = up->GetParent())
        path = up->GetName() + "." + path;
    return path;
}

// Where the node shows: its row among the fields its parent shows.
const CNode* ShownAtRow(const CNode& node) {
    const CNode* parent = node.GetParent();
    if (const auto* holder = dynamic_cast<const CFieldHolderNode*>(parent))
        parent = holder->GetFieldHolder();
    return parent->Children().at(static_cast<size_t>(node.GetRow()));
}

class TreeIndex : public ::testing::TestWithParam<int> {};
INSTANTIATE_TEST_SUITE_P(Variants, TreeIndex, ::testing::Values(ModelLMR, ModelPMR),
                         [](const auto& info) { return std::string(ModelName(info.param)); });

TEST_P(TreeIndex, HoldsTheBoundFieldsOfTheVariantOnly) {
    SDocument doc(GetParam());
    const CTreeIndex index = doc.Index();
    const std::string otherArea = GetParam() == ModelPMR ? "2ToneCodeCH." : "5ToneCodeCH.";
    const std::string ownArea = GetParam() == ModelPMR ? "5ToneCodeCH." : "2ToneCodeCH.";
    size_t own = 0;
    for (const STreeLeaf& leaf : index.Leaves()) {
        const auto info = doc.Radio().GetNodeInfo(leaf.node);
        EXPECT_TRUE(info.bound) << leaf.path;
        EXPECT_TRUE(info.models & ModelMaskOf(GetParam())) << leaf.path;
        for (const std::string& hidden :
             {std::string("Mch.CH0."), otherArea, std::string("MakerR.")})
            EXPECT_NE(leaf.path.rfind(hidden, 0), 0u) << leaf.path;
        own += leaf.path.rfind(ownArea, 0) == 0;
        EXPECT_EQ(index.Resolve(leaf.path), leaf.node) << leaf.path;
    }
    EXPECT_GT(own, 0u);
    for (const char* path : {"Mch.PrioA", "Mch.CH32.FreqRx", "MultiTon.Ton512.CTonTx",
                             "CommonSet.Common.Comment1", "DtmfCodeCH.DtmfSet.DtmfTim"})
        EXPECT_NE(index.Find(path), nullptr) << path;
    EXPECT_EQ(index.Find(GetParam() == ModelPMR ? "Mch.CH1.2Ton" : "Mch.CH1.Moni"), nullptr);

    const CTreeIndex maker = doc.Index(true);
    EXPECT_NE(maker.Find("MakerR.IfFreq"), nullptr);
    EXPECT_EQ(maker.Leaves().size(), index.Leaves().size() + maker.Below("MakerR").size());
}

TEST_P(TreeIndex, ParentsAndRowsLeadBackToEveryPath) {
    SDocument doc(GetParam());
    const CTreeIndex index = doc.Index(true);
    std::vector<std::string> paths = {
        "Mch", "Mch.CH0", "Mch.CH32", "MultiTon.Ton512", "CommonSet.Common", "DtmfCodeCH.DtmfSet"};
    for (const STreeLeaf& leaf : index.Leaves())
        paths.push_back(leaf.path);
    for (const std::string& path : paths) {
        const CNode* node = index.Resolve(path);
        ASSERT_NE(node, nullptr) << path;
        EXPECT_EQ(PathOf(*node), path);
        EXPECT_EQ(ShownAtRow(*node), node) << path;
    }
    EXPECT_EQ(doc.Radio().GetRootNode().GetParent(), nullptr);
}

TEST(TreeIndex, FollowsTheChannelsFieldHolders) {
    SDocument doc(ModelLMR);
    CQModelManager& model = *doc.Registry().Model();
    auto* ch1 = dynamic_cast<CFieldHolderNode*>(model.GetNodeByPath("Mch.CH1"));
    auto* ch2 = dynamic_cast<CFieldHolderNode*>(model.GetNodeByPath("Mch.CH2"));
    ASSERT_TRUE(ch1 && ch2);
    CNode* freq2 = ch2->FindChild("FreqRx");
    ch1->SetFieldHolder(ch2);
    ch2->SetFieldHolder(ch1);
    const CTreeIndex index = doc.Index();
    EXPECT_EQ(index.Find("Mch.CH1.FreqRx")->node, freq2);
    EXPECT_EQ(index.Find("Mch.CH1.FreqRx")->parent, ch2);
    // A view finds each field under the channel that shows it, at the same row.
    EXPECT_EQ(PathOf(*freq2), "Mch.CH1.FreqRx");
    EXPECT_EQ(ShownAtRow(*freq2), freq2);
    EXPECT_EQ(PathOf(*ch1->FindChild("FreqRx")), "Mch.CH2.FreqRx");
    doc.Registry().LoadImageToTree(); // decoding gives each channel its own fields
    EXPECT_EQ(PathOf(*freq2), "Mch.CH2.FreqRx");
    EXPECT_EQ(PathOf(*ch1->FindChild("FreqRx")), "Mch.CH1.FreqRx");
}

TEST(TreeIndex, ADecodeTellsTheFieldsWhoseTextChanged) {
    SDocument source(ModelLMR), target(ModelLMR);
    const std::pair<const char*, const char*> edited[] = {{"Mch.CH3.ChOn", "ON"},
                                                          {"Mch.CH3.FreqRx", "145.125"},
                                                          {"Mch.CH3.CTonTx", "023N"},
                                                          {"CommonSet.Common.Comment1", "Site B"}};
    for (const auto& [path, text] : edited)
        source.Set(path, text);
    source.Registry().StoreTreeToImage();

    const CTreeIndex index = target.Index();
    const std::vector<std::string> before = target.Texts();
    std::set<const CNode*> told;
    size_t calls = 0;
    const auto subscription = target.Radio().GetRootNode().Subscribe([&](CNode& node) {
        told.insert(&node);
        ++calls;
    });
    target.Registry().Image() = source.Registry().Image();
    target.Registry().LoadImageToTree();

    std::set<const CNode*> changed;
    for (size_t i = 0; i < index.Leaves().size(); ++i)
        if (LeafText(*index.Leaves()[i].node) != before[i])
            changed.insert(index.Leaves()[i].node);
    for (const auto& [path, text] : edited)
        EXPECT_EQ(changed.count(index.Find(path)->node), 1u) << path;
    EXPECT_EQ(told, changed);
    EXPECT_EQ(calls, told.size());

    told.clear();
    target.Registry().LoadImageToTree(); // the same image again
    EXPECT_TRUE(told.empty());
}

TEST(TreeIndex, SaysWhyAPathNamesNoField) {
    SDocument doc(ModelLMR);
    const CTreeIndex index = doc.Index();
    const struct {
        const char* path;
        EPathProblem problem;
        const char* message;
    } cases[] = {
        {"Mch.CH1.FreqRx", EPathProblem::None, ""},
        {"Mch.CH1.Freq", EPathProblem::Unknown, "Mch.CH1 holds ChOn, FreqRx"},
        {"Mch.CH1.FreqRxx", EPathProblem::Unknown, "the nearest path is Mch.CH1.FreqRx"},
        {"mch.ch1.freqrx", EPathProblem::Unknown, "the nearest path is Mch.CH1.FreqRx"},
        {"Mhc.CH12", EPathProblem::Unknown, "the nearest path is Mch.CH12"},
        {"Mch.CH1.FreqRx.x", EPathProblem::BelowField, "Mch.CH1.FreqRx is a field"},
        {"Mch.CH1.Text.", EPathProblem::BelowField, "Mch.CH1.Text is a field"},
        {"Nothing.At.All", EPathProblem::Unknown, "the file holds Mch, MultiTon"},
        {"Mch.CH1", EPathProblem::Group, "a group of fields"},
        {"Mch.CH1.Moni", EPathProblem::OtherVariant, "PMR files only"},
        {"5ToneCodeCH", EPathProblem::OtherVariant, "belongs to PMR files"},
        {"Mch.CH0.FreqRx", EPathProblem::NotStored, "not held"},
        {"MultiTon.Set1", EPathProblem::NotStored, "not held"},
        {"MakerR.IfFreq", EPathProblem::MakerReserved, "maker-reserve mode"},
    };
    for (const auto& c : cases) {
        std::string message;
        EXPECT_EQ(index.Check(c.path, &message), c.problem) << c.path;
        EXPECT_TRUE(Has(message, c.message));
        EXPECT_EQ(message.rfind(c.path, 0), 0u) << message;
    }
}

TEST(LeafText, SetsByTextOrRefusesAndKeepsTheValue) {
    SDocument doc(ModelLMR);
    const CTreeIndex index = doc.Index(true);
    const struct {
        const char* path;
        const char* text;
        bool taken;
        const char* after; // the field's text afterwards, or a part of the error
    } cases[] = {
        // The rules of each kind of node are the nodes' own tests, the fields' ranges and
        // option lists the field facts'; here what a field of the tree takes and shows.
        {"Mch.CH1.FreqRx", " 145.125 ", true, "145.12500"},
        {"Mch.CH1.CTonRx", "2023", true, "023N"},
        {"Mch.CH1.CTonRx", "Multi", true, "Multi"},
        {"Mch.CH1.CTonTx", "Multi", false, "one of 67.0"},
        {"Mch.CH1.RptLogIdP", "dtmf", true, "5Tone"},
        {"Mch.CH1.RfPwr", "1", true, "High"},
        {"CommonSet.Expert.BeepFreqL", "1745.45", true, "1745.00000"},
        {"CommonSet.Expert.BeepFreqL", "1700", false, "nearest accepted: 1684.00000, 1714.00000"},
        {"2ToneCodeCH.RXCodeCH.CH1.1stFreq", "2600.5", false, "nearest accepted: 2600.00000, 2601.00000"},
        {"2ToneCodeCH.RXCodeCH.CH1.1stFreq", "250", false, "nearest accepted: 250.50000"},
        {"2ToneCodeCH.RXCodeCH.CH1.1stFreq", "3300", true, "3300.00000"},
    };
    for (const auto& c : cases) {
        const STreeLeaf* leaf = index.Find(c.path);
        ASSERT_NE(leaf, nullptr) << c.path;
        const std::string before = LeafText(*leaf->node);
        std::string error;
        EXPECT_EQ(SetLeafText(*leaf, c.text, error), c.taken) << c.path << " " << c.text;
        if (c.taken) {
            EXPECT_EQ(LeafText(*leaf->node), c.after) << c.path;
        } else {
            EXPECT_EQ(LeafText(*leaf->node), before) << c.path << " " << c.text;
            EXPECT_TRUE(Has(error, c.after));
        }
    }
}

TEST(LeafText, TakesBackAStoredFrequencyOffTheRasterOnlyFromAnExport) {
    SDocument doc(ModelPMR);
    const CTreeIndex index = doc.Index();
    const STreeLeaf& freq = *index.Find("Mch.CH1.FreqRx");
    freq.node->SetValue(378647000);
    ASSERT_EQ(LeafText(*freq.node), "378.64700");
    freq.node->SetValue(0);
    std::string error;
    EXPECT_FALSE(SetLeafText(freq, "378.64700", error));
    EXPECT_FALSE(SetLeafText(freq, "378.647", error, true)); // not the field's own text
    EXPECT_TRUE(SetLeafText(freq, "378.64700", error, true));
    EXPECT_EQ(freq.node->GetValue(), 378647000);
}

TEST(LeafText, ATwoToneToneMovesItsDecodeWindow) {
    SDocument doc(ModelLMR);
    const CTreeIndex index = doc.Index();
    const STreeLeaf* tone = index.Find("2ToneCodeCH.RXCodeCH.CH2.2ndFreq");
    ASSERT_NE(tone, nullptr);
    auto* channel = dynamic_cast<CQ2ToneRxChNode*>(tone->parent);
    ASSERT_NE(channel, nullptr);
    std::vector<const CNode*> told;
    const auto subscription = channel->Subscribe([&](CNode& node) { told.push_back(&node); });
    std::string error;
    ASSERT_TRUE(SetLeafText(*tone, "1234", error)) << error;
    // The tone as typed, then the two limits; the tone is already the window's middle.
    EXPECT_EQ(told, (std::vector<const CNode*>{tone->node, channel->SecondLow(),
                                               channel->SecondHigh()}));
    int low = 0, high = 0;
    CQ2ToneRxChNode::ToneWindow(12340, low, high);
    EXPECT_EQ(channel->SecondLow()->GetValue(), low);
    EXPECT_EQ(channel->SecondHigh()->GetValue(), high);
    EXPECT_EQ(tone->node->GetValue(), CQ2ToneRxChNode::WindowMiddle(low, high));
}

TEST(LeafEdits, AreCheckedAgainstWhatTheFileKeeps) {
    SDocument doc(ModelLMR);
    const CTreeIndex index = doc.Index();
    const auto edit = [&](const char* path, const char* text) { return Edit(index, path, text); };
    // Texts the field's rule refuses are refused up front, every one of them, each with
    // where it was and the node's reason.
    auto errors = ApplyLeafEdits(
        doc.Registry(), {edit("Mch.CH4.FreqRx", "145.125"), edit("Mch.CH5.ChOn", "ON"),
                         edit("Mch.CH5.Text", "ELEVEN CHAR"), edit("Mch.CH5.Text", "Straße"),
                         edit("CommonSet.Common.Comment1", "a~b")});
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[0].rfind("at Mch.CH5.Text: \"ELEVEN CHAR\" is too long", 0), 0u) << errors[0];
    EXPECT_EQ(errors[1].rfind("at Mch.CH5.Text: \"Straße\" is refused", 0), 0u) << errors[1];
    EXPECT_EQ(errors[2].rfind("at CommonSet.Common.Comment1: \"a~b\"", 0), 0u) << errors[2];
    // What the rules take, the file may still not keep.
    errors = ApplyLeafEdits(doc.Registry(), {edit("Mch.CH4.FreqRx", "145.125")});
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(Has(errors[0], "at Mch.CH4.FreqRx: \"145.12500\" is not kept"));
    EXPECT_TRUE(Has(errors[0], "ChOn to ON"));
    // The last edit of a field counts.
    errors =
        ApplyLeafEdits(doc.Registry(), {edit("Mch.CH6.ChOn", "ON"), edit("Mch.CH6.FreqRx", "145.1"),
                                        edit("Mch.CH6.FreqRx", "145.2")});
    EXPECT_TRUE(errors.empty()) << errors[0];
    EXPECT_EQ(LeafText(*index.Find("Mch.CH6.FreqRx")->node), "145.20000");
}

TEST(CompareTrees, ListsTheFieldsThatDiffer) {
    SDocument a(ModelLMR), b(ModelLMR), pmr(ModelPMR);
    EXPECT_TRUE(CompareTrees(a.Registry(), b.Registry()).empty());
    b.Set("CommonSet.Common.Comment2", "changed");
    b.Set("Mch.Emr", "7");
    const auto diffs = CompareTrees(a.Registry(), b.Registry());
    ASSERT_EQ(diffs.size(), 2u);
    EXPECT_EQ(diffs[0].path, "Mch.Emr");
    EXPECT_EQ(diffs[0].textA, "0");
    EXPECT_EQ(diffs[0].textB, "7");
    EXPECT_EQ(diffs[1].path, "CommonSet.Common.Comment2");

    const auto variants = CompareTrees(a.Registry(), pmr.Registry());
    ASSERT_FALSE(variants.empty());
    EXPECT_EQ(variants[0].path, "Model");
    EXPECT_EQ(variants[0].textA + variants[0].textB, "LMRPMR");
}

TEST(LeafEdits, ATextTheFileDropsWholeIsBlamedOnTheFieldItDependsOn) {
    SDocument doc(ModelPMR);
    const CTreeIndex index = doc.Index();
    // A receive channel that decodes IDs keeps no name.
    const auto errors =
        ApplyLeafEdits(doc.Registry(), {Edit(index, "5ToneCodeCH.RXCodeCH.CH2.IdDec", "ON"),
                                        Edit(index, "5ToneCodeCH.RXCodeCH.CH2.Text", "ABC")});
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(Has(errors[0], "\"ABC\" is not kept; the file would hold \"\" (it depends on "
                               "another field"));
    // A code the file keeps fixed is not blamed on its first character.
    const auto fixed =
        ApplyLeafEdits(doc.Registry(), {Edit(index, "DtmfCodeCH.RxSysCodeCH.CH17.Code", "1234")});
    ASSERT_EQ(fixed.size(), 1u);
    EXPECT_FALSE(Has(fixed[0], "character set"));
    EXPECT_TRUE(Has(fixed[0], "is fixed for PMR files"));
}

// What a batch that fails must leave as it was: the image and every field's text, the
// 2Tone decode windows included.
struct SState {
    std::vector<uint8_t> image;
    std::vector<std::string> texts;
    bool operator==(const SState&) const = default;
};

SState StateOf(SDocument& doc, const CTreeIndex& index) {
    SState state{doc.Registry().Image().Bytes(), doc.Texts()};
    for (const STreeLeaf& leaf : index.Leaves())
        if (const auto* channel = dynamic_cast<const CQ2ToneRxChNode*>(leaf.parent))
            for (const CNode* window : {channel->FirstLow(), channel->FirstHigh(),
                                        channel->SecondLow(), channel->SecondHigh()})
                state.texts.push_back(LeafText(*window));
    return state;
}

class LeafBatch : public ::testing::TestWithParam<int> {};
INSTANTIATE_TEST_SUITE_P(Variants, LeafBatch, ::testing::Values(ModelLMR, ModelPMR),
                         [](const auto& info) { return std::string(ModelName(info.param)); });

// A batch that fails, refused or not kept at its last edit, leaves the tree and the
// image as they were; so does one that stores nothing, even where the tree differs
// from the image. Only a batch that stores something marks the document modified.
TEST_P(LeafBatch, StoresAllOrNothingAndOnlyThenMarksTheDocumentModified) {
    SDocument doc(GetParam());
    const CTreeIndex index = doc.Index();
    IDocumentHost& host = *doc.Registry().Document();
    // A change in the tree only, not yet in the image: it must stay that way.
    doc.Set("CommonSet.Common.Comment2", "TREE ONLY");
    const STreeLeaf* comment = index.Find("CommonSet.Common.Comment1");
    const std::string own = LeafText(*comment->node);
    const std::vector<SLeafEdit> good = {
        {comment, "BATCH", "a"},
        GetParam() == ModelLMR
            ? SLeafEdit{index.Find("2ToneCodeCH.RXCodeCH.CH2.2ndFreq"), "1234", "b"}
            : SLeafEdit{index.Find("5ToneCodeCH.RXCodeCH.CH2.IdDec"), "ON", "b"}};
    const auto goodThen = [&](const SLeafEdit& last) {
        std::vector<SLeafEdit> edits = good;
        edits.push_back(last);
        return edits;
    };
    const SState before = StateOf(doc, index);
    const struct {
        const char* what;
        std::vector<SLeafEdit> edits;
        const char* error; // a part of the one error, which the last edit has; "": taken
        bool stored;
    } cases[] = {
        {"the same text", {{comment, own, "a"}}, "", false},
        {"a change taken back", {{comment, "OTHER", "a"}, {comment, own, "b"}}, "", false},
        {"a refused text", goodThen({index.Find("CommonSet.Common.Comment2"), "a~b", "last"}),
         "not in the character set", false},
        {"a channel not in use", goodThen({index.Find("Mch.CH1.Text"), "NAME", "last"}),
         "\"NAME\" is not kept; the file would hold \"\" (the channel is not in use", false},
        {"the good edits", good, "", true},
    };
    for (const auto& c : cases) {
        host.SetModifiedFlag(false);
        const auto errors = ApplyLeafEdits(doc.Registry(), c.edits);
        if (*c.error) {
            ASSERT_EQ(errors.size(), 1u) << c.what;
            EXPECT_EQ(errors[0].rfind("last: ", 0), 0u) << errors[0];
            EXPECT_TRUE(Has(errors[0], c.error)) << errors[0];
        } else {
            EXPECT_TRUE(errors.empty()) << c.what;
        }
        EXPECT_EQ(host.IsModified(), c.stored) << c.what;
        EXPECT_EQ(StateOf(doc, index) == before, !c.stored) << c.what;
    }
}

} // namespace
