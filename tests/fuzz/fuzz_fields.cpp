// Fields set by text and taken from one file into another. The first byte of an input
// picks what the rest is:
//   0  `tolvar set`: paths from the tree index (whole, cut short, or with something after
//      them) and arbitrary texts. A refused text leaves the field and its group exactly
//      as they were; an accepted one leaves a field that takes its own text back unchanged.
//   1  `tolvar import`: JSON (whole or partial exports) or a channel CSV.
//   2  an arbitrary image (the factory image with any bytes changed) exported as
//      `tolvar export` does and imported into a factory file of the same variant: the
//      import reports an error or leaves every field the export names with the text it
//      had in the exporting file; it never changes a field silently.
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
#include "document/DocumentData.h"
#include "exchange/ChannelCsv.h"
#include "exchange/Exchange.h"
#include "exchange/JsonTree.h"
#include "tests/support/ScriptedInteraction.h"

namespace {

// The texts of every field of the index, in its order.
std::vector<std::string> Texts(const CTreeIndex& index) {
    std::vector<std::string> texts;
    texts.reserve(index.Leaves().size());
    for (const STreeLeaf& leaf : index.Leaves())
        texts.push_back(LeafText(*leaf.node));
    return texts;
}

// A document of one variant holding the factory image, with its tree indexes (without
// and with the maker-reserved area), made once and put back after each input.
struct SDocument {
    explicit SDocument(int model)
        : document(ui, model), index(*Registry().RadioData(), model),
          makerIndex(*Registry().RadioData(), model, true) {
        factory.CopyFrom(Registry().Image());
        factoryTexts = Texts(index);
    }
    CQCloneManager& Registry() { return document.Registry(); }
    void Reset() {
        Registry().Image().CopyFrom(factory);
        Registry().LoadImageToTree();
    }

    CScriptedInteraction ui; // never asked anything here
    CTolvarDocumentData document;
    CTreeIndex index, makerIndex;
    CEepromImage factory;
    std::vector<std::string> factoryTexts; // Texts(index) of the factory image
};

// The two documents fields are set in, LMR and PMR, made on first use.
SDocument& Document(int model) {
    static SDocument lmr(ModelLMR), pmr(ModelPMR);
    return model == ModelPMR ? pmr : lmr;
}

std::string JsonText(const CTreeIndex& index, const std::vector<bool>* only) {
    return TreeToJson(index, only).dump(2, ' ', false, Json::error_handler_t::replace);
}

// Which fields of the index the edits name.
std::vector<bool> Named(const CTreeIndex& index, const std::vector<SLeafEdit>& edits) {
    std::vector<bool> named(index.Leaves().size());
    for (const SLeafEdit& edit : edits)
        named[static_cast<size_t>(edit.leaf - index.Leaves().data())] = true;
    return named;
}

// An export imported into the document as `tolvar import` reads it names only fields
// the variant has. The import reports an error (never when strict) or leaves every
// field it names (every field, when all) with its text in texts.
void CheckImported(SDocument& doc, const CTreeIndex& index, const std::string& exported,
                   const std::vector<std::string>& texts, bool all, bool strict) {
    std::vector<std::string> errors, warnings;
    const std::vector<SLeafEdit> edits = ImportEdits(index, exported, errors, warnings);
    FUZZ_CHECK(errors.empty(), "the export does not fit its own variant: " + errors[0]);
    errors = ApplyLeafEdits(doc.Registry(), edits);
    FUZZ_CHECK(!strict || errors.empty(), "the export is refused: " + errors[0]);
    if (!errors.empty()) return;
    const std::vector<bool> named = Named(index, edits);
    const std::vector<std::string> imported = Texts(index);
    for (size_t i = 0; i < imported.size(); ++i)
        FUZZ_CHECK((!all && !named[i]) || imported[i] == texts[i],
                   index.Leaves()[i].path + ": \"" + Printable(texts[i]) + "\" became \"" +
                       Printable(imported[i]) + "\" importing " + Printable(exported, 20));
}

// A batch as `tolvar set` and `tolvar import` apply it, all or nothing. Refused, it
// leaves every field as it was. Taken, every field keeps its text when the tree is
// saved (encoded, normalised, decoded) and its exports (the JSON of the fields the
// batch named, the channel CSV) are imported back without an error. The document is
// put back.
void ApplyBatch(SDocument& doc, const CTreeIndex& index, const std::vector<SLeafEdit>& edits) {
    if (edits.empty()) return;
    const std::vector<std::string> refused = ApplyLeafEdits(doc.Registry(), edits);
    if (!refused.empty()) {
        FUZZ_CHECK(Texts(doc.index) == doc.factoryTexts,
                   "a refused batch changed the document: " + refused[0]);
    } else {
        // The texts before saving: a field saving changes fails the first import's check.
        const std::vector<std::string> texts = Texts(index);
        doc.Registry().StoreTreeToImage();
        doc.Registry().Adjust()->Normalise();
        doc.Registry().LoadImageToTree();
        const std::vector<bool> named = Named(index, edits);
        CheckImported(doc, index, JsonText(index, &named), texts, true, true);
        CheckImported(doc, index, ChannelCsvText(index), texts, true, true);
    }
    doc.Reset();
}

// What a field shows and what it allows.
struct SNodeState {
    int value = 0;
    std::string text;
    int minimum = 0, maximum = 0, def = 0;
    size_t options = 0, excluded = 0;
    bool operator==(const SNodeState&) const = default;
};

SNodeState StateOf(const CNode& node) {
    const auto* value = dynamic_cast<const CNodeValue*>(&node);
    if (!value)
        return {node.GetValue(), node.GetText()};
    return {node.GetValue(), node.GetText(), value->Minimum(), value->Maximum(),
            value->Default(), value->Options().size(), value->Excluded().size()};
}

// The states of a field's whole group (a tone edit may change its neighbours' limits).
std::vector<SNodeState> GroupState(const STreeLeaf& leaf) {
    std::vector<SNodeState> states;
    for (const CNode* child : leaf.parent->Children())
        states.push_back(StateOf(*child));
    return states;
}

const STreeLeaf& PickLeaf(FuzzedDataProvider& in, const CTreeIndex& index) {
    const auto& leaves = index.Leaves();
    return leaves[in.ConsumeIntegralInRange<size_t>(0, leaves.size() - 1)];
}

// One field set from a text; true when it took the text.
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
        const double typed = std::strtod(text.c_str(), nullptr) * freq->GetScale();
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

void Set(FuzzedDataProvider& in) {
    SDocument& doc = Document(in.ConsumeBool() ? ModelPMR : ModelLMR);
    const CTreeIndex& index = in.ConsumeBool() ? doc.makerIndex : doc.index;
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
    case 1:
        if (SetOne(in, index)) doc.Reset();
        break;
    case 2: LookUp(in, index); break;
    default: {
        // Several fields at once.
        std::vector<SLeafEdit> edits;
        for (int count = in.ConsumeIntegralInRange(1, 4); count > 0; --count) {
            const STreeLeaf& leaf = PickLeaf(in, index);
            edits.push_back({&leaf, in.ConsumeRandomLengthString(24), leaf.path});
        }
        ApplyBatch(doc, index, edits);
    }
    }
}

void Export(FuzzedDataProvider& in) {
    // The exporting document, with an index for either variant.
    static SDocument source(ModelLMR);
    static const CTreeIndex sourcePmr(*source.Registry().RadioData(), ModelPMR);
    const uint8_t mode = in.ConsumeIntegral<uint8_t>();
    const bool csv = mode & 2;
    // The whole JSON export costs some thirty times the partial one: 1 input in 64.
    const bool whole = (mode & 0xFC) == 0xFC;

    // The image: a factory image with runs of bytes replaced.
    CQCloneManager& from = source.Registry();
    from.Image().Resize(kImageSize);
    const std::vector<uint8_t>& factory = FactoryTable(mode & 1 ? ModelPMR : ModelLMR);
    from.Image().Write(0, factory.data(), static_cast<uint32_t>(factory.size()));
    while (in.remaining_bytes() > 0) {
        const auto address = in.ConsumeIntegralInRange<uint32_t>(0, kTableSize - 1);
        const auto bytes = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(1, 32));
        from.Image().Write(address, bytes.data(), static_cast<uint32_t>(bytes.size()));
    }
    from.LoadImageToTree();
    const int model = from.Model()->GetModel();
    const CTreeIndex& exporting = model == ModelPMR ? sourcePmr : source.index;
    const std::vector<std::string> texts = Texts(exporting);
    SDocument& target = Document(model);
    FUZZ_CHECK(texts.size() == target.index.Leaves().size(), "the two trees differ");

    // A partial export, as a user cuts one: the fields that differ from the factory
    // file, as the whole export writes them.
    std::vector<bool> differ(texts.size());
    for (size_t i = 0; i < texts.size(); ++i)
        differ[i] = texts[i] != target.factoryTexts[i];
    const std::string exported = csv ? ChannelCsvText(exporting)
                                     : JsonText(exporting, whole ? nullptr : &differ);
    // A JSON export holds every field (the partial one leaves out only fields with the
    // same text); the CSV holds the memory channels' sheet columns, so only the fields
    // it names keep their texts.
    CheckImported(target, target.index, exported, texts, !csv, false);
    target.Reset();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    FuzzedDataProvider in(data + 1, size - 1);
    switch (data[0] % 3) {
    case 0: Set(in); break;
    case 1:
        // The next byte picks the variant (bit 0) and the maker-reserved area (bit 1);
        // the rest is the text.
        if (size > 1) {
            SDocument& doc = Document(data[1] & 1 ? ModelPMR : ModelLMR);
            const CTreeIndex& index = data[1] & 2 ? doc.makerIndex : doc.index;
            const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
            std::vector<std::string> errors, warnings;
            ApplyBatch(doc, index, ImportEdits(index, text, errors, warnings));
        }
        break;
    default: Export(in); break;
    }
    return 0;
}
