// The text fields' rules (length and character set) against what the image keeps.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "SignallingTestSupport.h"

namespace {

using signalling_test::SDocument;

struct STextLeaf {
    std::string path;
    CStringNode* node;
};

std::vector<STextLeaf> TextLeaves(const CTreeIndex& index) {
    std::vector<STextLeaf> leaves;
    for (const STreeLeaf& leaf : index.Leaves())
        if (auto* text = dynamic_cast<CStringNode*>(leaf.node))
            leaves.push_back({leaf.path, text});
    return leaves;
}

std::string TrimEnd(const std::string& text) {
    const auto end = text.find_last_not_of(" \t\r\n");
    return text.substr(0, end == std::string::npos ? 0 : end + 1);
}

// System codes the normalisation keeps as the factory has them, whatever is typed.
const std::set<std::string> kFactoryCodes = {
    "DtmfCodeCH.RxSysCodeCH.CH17.Code", "DtmfCodeCH.RxSysCodeCH.CH18.Code",
    "DtmfCodeCH.TxSysCodeCH.CH5.Code", "DtmfCodeCH.TxSysCodeCH.CH6.Code"};

class TextFields : public ::testing::TestWithParam<int> {};
INSTANTIATE_TEST_SUITE_P(Variants, TextFields, ::testing::Values(ModelLMR, ModelPMR),
                         [](const auto& info) { return std::string(ModelName(info.param)); });

// Every text field has a length and a character set. Each probe text is set with the
// lenient setter, the tree goes through the image, and the field's check must have
// taken exactly the texts that came back as they were.
TEST_P(TextFields, TheRuleTakesExactlyWhatTheImageKeeps) {
    SDocument doc(GetParam());
    const CTreeIndex index = doc.Index();
    // Names count only in channels in use and in 5Tone channels that do not decode IDs.
    for (const STreeLeaf& leaf : index.Leaves()) {
        const std::string field = leaf.path.substr(leaf.path.rfind('.') + 1);
        if (field == "ChOn")
            leaf.node->SetValue(1);
        if (field == "IdDec")
            leaf.node->SetValue(0);
    }
    std::vector<STextLeaf> leaves;
    for (const STextLeaf& leaf : TextLeaves(index)) {
        EXPECT_GT(leaf.node->MaxLength(), 0u) << leaf.path;
        ASSERT_NE(leaf.node->Charset(), nullptr) << leaf.path;
        // Every set is plain ASCII and holds the digit the probes below pad with.
        for (char c : leaf.node->Charset()->chars)
            EXPECT_TRUE(c >= 0x20 && c < 0x7F) << leaf.path << ": " << int(c);
        EXPECT_TRUE(leaf.node->Charset()->Takes('0')) << leaf.path;
        if (!kFactoryCodes.count(leaf.path))
            leaves.push_back(leaf);
    }
    ASSERT_GT(leaves.size(), 100u);

    // A character at the front, padded with a digit every set takes; then texts of the
    // full length, one character more, and for fixed fields one less.
    using Probe = std::string (*)(const CStringNode&, int);
    std::vector<std::pair<int, Probe>> rounds;
    const Probe withChar = [](const CStringNode& node, int c) {
        const size_t pad = node.FixedLength() ? node.MaxLength() - 1 : 1;
        return std::string(1, static_cast<char>(c)) + std::string(pad, '0');
    };
    for (int c = 1; c < 0x80; ++c)
        rounds.emplace_back(c, withChar);
    for (int c : {0x80, 0xC3, 0xDF, 0xFF})
        rounds.emplace_back(c, withChar);
    rounds.emplace_back(
        0, [](const CStringNode& node, int) { return std::string(node.MaxLength(), '1'); });
    rounds.emplace_back(
        0, [](const CStringNode& node, int) { return std::string(node.MaxLength() + 1, '1'); });
    rounds.emplace_back(
        0, [](const CStringNode& node, int) { return std::string(node.MaxLength() - 1, '1'); });

    std::vector<std::string> mismatches;
    std::vector<int> taken(leaves.size()), refused(leaves.size());
    for (const auto& [c, probe] : rounds) {
        std::vector<std::string> texts;
        std::vector<bool> checked;
        for (const STextLeaf& leaf : leaves) {
            texts.push_back(probe(*leaf.node, c));
            std::string reason;
            checked.push_back(leaf.node->CheckText(texts.back(), reason));
            leaf.node->SetString(texts.back());
        }
        doc.RoundTrip();
        for (size_t i = 0; i < leaves.size(); ++i) {
            const bool kept = leaves[i].node->GetString() == TrimEnd(texts[i]);
            (checked[i] ? taken : refused)[i]++;
            if (kept != checked[i])
                mismatches.push_back(
                    leaves[i].path + ": \"" + texts[i] + "\" " +
                    (checked[i] ? "taken" : "refused") + " but " +
                    (kept ? "kept" : "not kept as " + leaves[i].node->GetString()));
        }
    }
    for (size_t i = 0; i < mismatches.size() && i < 20; ++i)
        ADD_FAILURE() << mismatches[i];
    EXPECT_EQ(mismatches.size(), 0u);
    for (size_t i = 0; i < leaves.size(); ++i) {
        EXPECT_GT(taken[i], 0) << leaves[i].path;
        EXPECT_GT(refused[i], 0) << leaves[i].path;
    }

    // The fixed system codes keep no text, so the check cannot promise them one.
    for (const STextLeaf& leaf : TextLeaves(index)) {
        if (!kFactoryCodes.count(leaf.path))
            continue;
        const std::string before = leaf.node->GetString();
        leaf.node->SetString(before == "0123" ? "3210" : "0123");
        doc.RoundTrip();
        EXPECT_EQ(leaf.node->GetString(), before) << leaf.path;
    }
}

} // namespace
