// Setting fields by text, as `tolvar set` does: paths from the tree index (whole,
// cut short, or with something after them) and arbitrary texts. A refused text leaves
// the field and its group exactly as they were; an accepted one leaves a field that
// takes its own text back unchanged; a batch that reports no error keeps every change
// through the image.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/TreeAccess.h"
#include "datamodel/nodes/NodeValue.h"
#include "datamodel/nodes/ValueNodes.h"

namespace {

// What a field shows and what it allows.
struct SNodeState {
    int value = 0;
    std::string text;
    int minimum = 0, maximum = 0, def = 0;
    size_t options = 0, excluded = 0;
    bool operator==(const SNodeState&) const = default;
};

SNodeState StateOf(const CNode& node) {
    SNodeState state{node.GetValue(), node.GetText()};
    if (const auto* value = dynamic_cast<const CNodeValue*>(&node)) {
        state.minimum = value->Minimum();
        state.maximum = value->Maximum();
        state.def = value->Default();
        state.options = value->Options().size();
        state.excluded = value->Excluded().size();
    }
    return state;
}

// The states of a field's whole group (a tone edit may change its neighbours' limits).
std::vector<SNodeState> GroupState(const STreeLeaf& leaf) {
    std::vector<SNodeState> states;
    for (const CNode* child : leaf.parent->Children())
        states.push_back(StateOf(*child));
    return states;
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

const STreeLeaf& PickLeaf(FuzzedDataProvider& in, const CTreeIndex& index) {
    const auto& leaves = index.Leaves();
    return leaves[in.ConsumeIntegralInRange<size_t>(0, leaves.size() - 1)];
}

// One field set from a text.
bool SetOne(FuzzedDataProvider& in, const CTreeIndex& index) {
    const STreeLeaf& leaf = PickLeaf(in, index);
    const bool stored = in.ConsumeBool();
    const std::string text = in.ConsumeRemainingBytesAsString();
    const std::vector<SNodeState> before = GroupState(leaf);
    std::string error;
    if (!SetLeafText(leaf, text, error, stored)) {
        FUZZ_CHECK(!error.empty(), leaf.path + ": refused without a reason");
        FUZZ_CHECK(GroupState(leaf) == before,
                   leaf.path + ": refused \"" + Printable(text) + "\" but changed the group");
        return false;
    }
    // A frequency holds the number typed, to its resolution (or the text is refused).
    if (const auto* freq = dynamic_cast<const CFreqNode*>(leaf.node)) {
        const double typed = std::strtod(Trim(text).c_str(), nullptr) * freq->GetScale();
        const bool near = std::fabs(typed - freq->Value()) <= 0.5 + 1e-9 * std::fabs(typed);
        FUZZ_CHECK(near, leaf.path + ": \"" + Printable(text) + "\" accepted as " +
                             LeafText(*leaf.node));
    }
    // The field takes the text it now shows, and stays as it is.
    const SNodeState after = StateOf(*leaf.node);
    const std::string shown = LeafText(*leaf.node);
    std::string again;
    FUZZ_CHECK(SetLeafText(leaf, shown, again, stored),
               leaf.path + ": set to \"" + Printable(text) + "\", refuses its own text \"" +
                   Printable(shown) + "\": " + again);
    FUZZ_CHECK(StateOf(*leaf.node) == after,
               leaf.path + ": its own text \"" + Printable(shown) + "\" changed it");
    return true;
}

// The path handling of `tolvar set`: a field, or why the path names none.
void LookUp(FuzzedDataProvider& in, const CTreeIndex& index) {
    std::string path = PickLeaf(in, index).path;
    switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0: path = path.substr(0, in.ConsumeIntegralInRange<size_t>(0, path.size())); break;
    case 1: path += in.ConsumeRandomLengthString(16); break;
    default: path = in.ConsumeRandomLengthString(40); break;
    }
    const STreeLeaf* leaf = index.Find(path);
    std::string message;
    const EPathProblem problem = index.Check(path, &message);
    FUZZ_CHECK((problem == EPathProblem::None) == (leaf != nullptr),
               "\"" + Printable(path) + "\": Find and Check disagree");
    FUZZ_CHECK(message.rfind(path + ": ", 0) == 0, "the message does not name the path");
    if (leaf) FUZZ_CHECK(leaf->path == path && index.Resolve(path) == leaf->node, "found another field");
}

// Several fields at once, all or nothing, as `tolvar set` applies them.
bool SetBatch(FuzzedDataProvider& in, const CTreeIndex& index, CCloneManager& registry) {
    std::vector<SLeafEdit> edits;
    const int count = in.ConsumeIntegralInRange(1, 4);
    for (int i = 0; i < count; ++i) {
        const STreeLeaf& leaf = PickLeaf(in, index);
        edits.push_back({&leaf, in.ConsumeRandomLengthString(24), leaf.path});
    }
    const std::vector<std::string> errors = ApplyLeafEdits(registry, edits);
    if (!errors.empty()) return true;
    // Accepted: the tree is what the image holds, and saving it again changes nothing.
    const std::vector<std::string> texts = CFuzzDocument::Texts(index);
    registry.StoreTreeToImage();
    registry.Adjust()->Normalise();
    registry.LoadImageToTree();
    for (size_t i = 0; i < texts.size(); ++i)
        FUZZ_CHECK(LeafText(*index.Leaves()[i].node) == texts[i],
                   index.Leaves()[i].path + ": \"" + Printable(texts[i]) + "\" became \"" +
                       Printable(LeafText(*index.Leaves()[i].node)) + "\" when saved again");
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    CFuzzDocument& document = FuzzDocument(in.ConsumeBool() ? ModelPMR : ModelLMR);
    const CTreeIndex& index = document.Index(in.ConsumeBool());
    bool changed = false;
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
    case 1: changed = SetOne(in, index); break;
    case 2: LookUp(in, index); break;
    default: changed = SetBatch(in, index, document.Registry()); break;
    }
    if (changed) document.Reset();
    return 0;
}
