#include "TreeAccess.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

#include "datamodel/DataManagers.h"
#include "datamodel/EditHistory.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/memmap/TimeForm.h"
#include "datamodel/nodes/GroupNodes.h"
#include "datamodel/nodes/TextHelpers.h"
#include "datamodel/nodes/ToneNodes.h"
#include "datamodel/nodes/ValueNodes.h"

const char* ModelName(int model) {
    return model == ModelPMR ? "PMR" : "LMR";
}

namespace {

// Areas under the root that only one variant (or the maker-reserve mode) shows.
constexpr const char* kTwoToneArea = "2ToneCodeCH";
constexpr const char* kFiveToneArea = "5ToneCodeCH";
constexpr const char* kMakerArea = "MakerR";
// The blank-channel template: in the tree, never in the image.
constexpr const char* kChannelTemplate = "Mch.CH0";

CNode* HolderOf(CNode& node) {
    if (auto* holder = dynamic_cast<CFieldHolderNode*>(&node)) return holder->GetFieldHolder();
    return &node;
}

std::string FirstPiece(const std::string& path) {
    return path.substr(0, path.find('.'));
}

bool InTemplate(const std::string& path) {
    return path.rfind(std::string(kChannelTemplate) + ".", 0) == 0;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

void RecalcAfterToneEdit(const STreeLeaf& leaf) {
    const std::string name = leaf.node->GetName();
    if (name != "1stFreq" && name != "2ndFreq") return;
    if (auto* channel = dynamic_cast<CQ2ToneRxChNode*>(leaf.parent)) channel->RecalcLimits();
}

} // namespace

// ---------------------------------------------------------------------------------------

CTreeIndex::CTreeIndex(CTolvarRadioDataManager& manager, int model, bool makerReserve)
    : m_manager(manager), m_model(model), m_makerReserve(makerReserve) {
    Walk(manager.GetRootNode(), "");
}

bool CTreeIndex::AreaShown(const std::string& name) const {
    if (name == kTwoToneArea) return m_model == ModelLMR;
    if (name == kFiveToneArea) return m_model == ModelPMR;
    if (name == kMakerArea) return m_makerReserve;
    return true;
}

void CTreeIndex::Walk(CNode& group, const std::string& path) {
    CNode* holder = HolderOf(group);
    const unsigned mask = ModelMaskOf(m_model);
    for (CNode* child : holder->Children()) {
        const std::string name = child->GetName();
        const std::string childPath = path.empty() ? name : path + "." + name;
        if ((path.empty() && !AreaShown(name)) || childPath == kChannelTemplate) continue;
        if (!IsLeafNode(*child)) {
            Walk(*child, childPath);
            continue;
        }
        const auto info = m_manager.GetNodeInfo(child);
        if (info.bound && (info.models & mask) && !m_byPath.count(childPath)) {
            m_byPath.emplace(childPath, m_leaves.size());
            m_leaves.push_back({childPath, child, holder, m_model});
            for (size_t dot = childPath.find('.'); dot != std::string::npos;
                 dot = childPath.find('.', dot + 1))
                m_groupsWithFields.insert(childPath.substr(0, dot));
        }
    }
}

const STreeLeaf* CTreeIndex::Find(const std::string& path) const {
    const auto it = m_byPath.find(path);
    return it == m_byPath.end() ? nullptr : &m_leaves[it->second];
}

std::vector<const STreeLeaf*> CTreeIndex::Below(const std::string& path) const {
    std::vector<const STreeLeaf*> result;
    for (const STreeLeaf& leaf : m_leaves)
        if (path.empty() || leaf.path == path ||
            (leaf.path.size() > path.size() && leaf.path.compare(0, path.size(), path) == 0 &&
             leaf.path[path.size()] == '.'))
            result.push_back(&leaf);
    return result;
}

CNode* CTreeIndex::Resolve(const std::string& path) const {
    CNode* node = &m_manager.GetRootNode();
    if (path.empty()) return node;
    size_t start = 0;
    while (node) {
        const size_t dot = path.find('.', start);
        const std::string piece =
            path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        node = HolderOf(*node)->FindChild(piece);
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    return node;
}

EPathProblem CTreeIndex::Check(const std::string& path, std::string* message) const {
    std::string text;
    EPathProblem problem = EPathProblem::None;
    const std::string area = FirstPiece(path);
    const CNode* node = Resolve(path);
    if (Find(path)) {
        problem = EPathProblem::None;
    } else if (node && area == kMakerArea && !m_makerReserve) {
        problem = EPathProblem::MakerReserved;
        text = "the maker-reserved area is shown only in maker-reserve mode";
    } else if (node && (area == kTwoToneArea || area == kFiveToneArea) && !AreaShown(area)) {
        problem = EPathProblem::OtherVariant;
        text = std::string("the ") + (area == kTwoToneArea ? "2Tone" : "5Tone") +
               " area belongs to " + ModelName(1 - m_model) + " files; this file is " +
               ModelName(m_model);
    } else if (node && !IsLeafNode(*node) && m_groupsWithFields.count(path)) {
        problem = EPathProblem::Group;
        text = "a group of fields, not a field";
    } else if (node && IsLeafNode(*node) && !InTemplate(path)) {
        const auto info = m_manager.GetNodeInfo(node);
        if (info.bound && !(info.models & ModelMaskOf(m_model))) {
            problem = EPathProblem::OtherVariant;
            text = std::string("a field of ") + ModelName(1 - m_model) +
                   " files only; this file is " + ModelName(m_model);
        } else {
            problem = EPathProblem::NotStored;
            text = "not held in the data file";
        }
    } else if (node) {
        problem = EPathProblem::NotStored;
        text = "not held in the data file";
    } else {
        // The deepest part of the path that exists.
        std::string prefix = path;
        const CNode* deepest = nullptr;
        while (!prefix.empty()) {
            const size_t dot = prefix.rfind('.');
            prefix = dot == std::string::npos ? std::string() : prefix.substr(0, dot);
            if ((deepest = Resolve(prefix))) break;
        }
        if (deepest && !prefix.empty() && IsLeafNode(*deepest)) {
            problem = EPathProblem::BelowField;
            text = "no such field; " + prefix + " is a field and has no parts";
        } else {
            problem = EPathProblem::Unknown;
            text = "no such field";
            // Name what the deepest existing group holds.
            std::vector<std::string> names;
            std::unordered_set<std::string> seen;
            for (const STreeLeaf* leaf : Below(prefix)) {
                if (leaf->path.size() <= prefix.size()) continue;
                const std::string rest = leaf->path.substr(prefix.empty() ? 0 : prefix.size() + 1);
                const std::string next = FirstPiece(rest);
                if (seen.insert(next).second) names.push_back(next);
            }
            if (!names.empty()) {
                text += "; " + (prefix.empty() ? std::string("the file") : prefix) + " holds ";
                for (size_t i = 0; i < names.size() && i < 40; ++i)
                    text += (i ? ", " : "") + names[i];
                if (names.size() > 40) text += ", ...";
            }
            if (const std::string nearest = Nearest(path); !nearest.empty())
                text += "; the nearest path is " + nearest;
        }
    }
    if (message) *message = path + ": " + text;
    return problem;
}

namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The edit distance of a and b, or limit + 1 when it is more than limit.
size_t Distance(const std::string& a, const std::string& b, size_t limit) {
    if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > limit) return limit + 1;
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        size_t best = row[0];
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
            best = std::min(best, row[j]);
        }
        if (best > limit) return limit + 1;
    }
    return row[b.size()];
}

} // namespace

std::string CTreeIndex::Nearest(const std::string& path) const {
    const std::string key = Lower(path);
    // Some letters wrong in a long path, at most two in a short one.
    const size_t limit = std::max<size_t>(2, path.size() / 6);
    std::string best;
    size_t bestDistance = limit + 1;
    std::unordered_set<std::string> groups;
    auto consider = [&](const std::string& candidate) {
        const size_t distance = Distance(key, Lower(candidate), std::min(limit, bestDistance));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidate;
        }
    };
    for (const STreeLeaf& leaf : m_leaves) {
        consider(leaf.path);
        if (bestDistance == 0) break;
        for (size_t dot = leaf.path.find('.'); dot != std::string::npos;
             dot = leaf.path.find('.', dot + 1))
            if (groups.insert(leaf.path.substr(0, dot)).second) consider(leaf.path.substr(0, dot));
    }
    return best == path ? std::string() : best;
}

// ---------------------------------------------------------------------------------------

bool IsLeafNode(const CNode& node) {
    return dynamic_cast<const CNodeValue*>(&node) || dynamic_cast<const CStringNode*>(&node);
}

bool LeafTextIsNumber(const CNode& node) {
    const auto* num = dynamic_cast<const CNumNode*>(&node);
    if (num && num->Codes() && !num->Codes()->Text(num->GetValue()).empty()) return false;
    return dynamic_cast<const CNodeValue*>(&node) && !dynamic_cast<const CFreqNode*>(&node) &&
           node.GetText().empty();
}

std::string LeafText(const CNode& node) {
    if (const auto* num = dynamic_cast<const CNumNode*>(&node); num && num->Codes())
        if (std::string code = num->Codes()->Text(num->GetValue()); !code.empty()) return code;
    if (LeafTextIsNumber(node)) return std::to_string(node.GetValue());
    return node.GetText();
}

const std::vector<SSheetRename>& SheetRenames() {
    static const std::vector<SSheetRename> renames = {
        {"RptLogIdP", kModelsLMR, "5Tone", "DTMF"},
        {"AutoResetP", kModelsPMR, "Timer A Inact", "Timer AI"},
        {"AutoResetP", kModelsPMR, "Timer B Inact", "Timer BI"},
    };
    return renames;
}

namespace {

const SSheetRename* RenameOf(const STreeLeaf& leaf, const std::string& text, bool shown) {
    const std::string field = leaf.path.substr(leaf.path.rfind('.') + 1);
    for (const SSheetRename& rename : SheetRenames())
        if (field == rename.field && (rename.models & ModelMaskOf(leaf.model)) &&
            (shown ? Lower(text) == Lower(rename.shown) : text == rename.own))
            return &rename;
    return nullptr;
}

// Why a text field holds after rather than expected, when the text itself tells:
// a character the image did not keep, or the text cut short. Empty when the field
// lost the whole text (it depends on another field, or the file keeps it fixed).
std::string TextNotKept(const std::string& expected, const std::string& after) {
    if (after.empty()) return {};
    size_t differing = 0;
    for (size_t i = 0; i < std::min(expected.size(), after.size()); ++i)
        differing += after[i] != expected[i];
    if (differing > 1) return {};
    for (size_t i = 0; i < expected.size(); ++i)
        if (i >= after.size() || after[i] != expected[i]) {
            if (i >= after.size() && expected.compare(0, after.size(), after) == 0)
                return "the field holds at most " + std::to_string(after.size()) + " characters";
            return CharacterAt(expected, i) + " is not in the character set";
        }
    return "the field cannot hold this text";
}

} // namespace

std::string SheetText(const STreeLeaf& leaf) {
    const std::string text = LeafText(*leaf.node);
    const SSheetRename* rename = RenameOf(leaf, text, false);
    return rename ? rename->shown : text;
}

bool SetLeafText(const STreeLeaf& leaf, const std::string& text, std::string& error, bool stored) {
    CNode& node = *leaf.node;
    const int before = node.GetValue();
    auto* freq = stored ? dynamic_cast<CFreqNode*>(&node) : nullptr;
    const SSheetRename* rename =
        dynamic_cast<CStringNode*>(&node) ? nullptr : RenameOf(leaf, Trim(text), true);
    std::string own = rename ? rename->own : text;
    if (const CTimeForm* form = TimeFormOf(node)) {
        std::string whole;
        if (!form->Typed(node, own, whole, error))
            return false;
        own = whole;
    }
    if (!(freq ? freq->TrySetStoredText(own, error) : node.TrySetText(own, error)))
        return false;
    if (node.GetValue() != before)
        RecalcAfterToneEdit(leaf);
    return true;
}

bool CheckLeafText(const CNode& node, const std::string& text, std::string& reason) {
    int value = 0;
    if (const auto* freq = dynamic_cast<const CFreqNode*>(&node))
        return freq->CheckText(text, value, reason);
    if (const auto* num = dynamic_cast<const CNumNode*>(&node)) {
        std::string own = text;
        if (const CTimeForm* form = TimeFormOf(node); form && !form->Typed(node, text, own, reason))
            return false;
        return num->CheckText(own, value, reason);
    }
    if (const auto* string = dynamic_cast<const CStringNode*>(&node))
        return string->CheckText(text, reason);
    reason = "\"" + node.GetName() + "\" is not a field";
    return false;
}

namespace {

// The image and every node's value as they were, to put back when a batch fails.
class CTreeSnapshot {
public:
    explicit CTreeSnapshot(CCloneManager& registry)
        : m_registry(registry), m_image(registry.Image().Bytes()),
          m_model(registry.Model()->GetModel()) {
        registry.RadioData()->ForEachNode([this](CNode& node) {
            if (auto* value = dynamic_cast<CNodeValue*>(&node))
                m_values.push_back({value, value->Value()});
            else if (auto* text = dynamic_cast<CStringNode*>(&node))
                m_texts.push_back({text, text->GetString()});
        });
    }

    bool TreeChanged() const {
        return std::any_of(m_values.begin(), m_values.end(),
                           [](const auto& v) { return v.first->Value() != v.second; }) ||
               std::any_of(m_texts.begin(), m_texts.end(),
                           [](const auto& t) { return t.first->GetString() != t.second; });
    }

    void Restore() const {
        CEepromImage& image = m_registry.Image();
        if (image.Bytes() != m_image)
            image.Write(0, m_image.data(), static_cast<uint32_t>(m_image.size()));
        if (m_registry.Model()->GetModel() != m_model)
            m_registry.Model()->SetModel(m_model, false);
        for (const auto& [node, value] : m_values)
            node->RestoreValue(value);
        for (const auto& [node, text] : m_texts)
            node->SetString(text);
    }

private:
    CCloneManager& m_registry;
    std::vector<uint8_t> m_image;
    int m_model;
    std::vector<std::pair<CNodeValue*, int>> m_values;
    std::vector<std::pair<CStringNode*, std::string>> m_texts;
};

} // namespace

namespace {

std::vector<std::string> RunLeafEdits(CCloneManager& registry, const std::vector<SLeafEdit>& edits,
                                      bool keep) {
    struct SDone {
        const SLeafEdit* edit;
        std::string expected;
    };
    // Nothing to do when every field already shows its text.
    const auto pending = std::find_if(edits.begin(), edits.end(), [](const SLeafEdit& edit) {
        const CNode& node = *edit.leaf->node;
        return LeafText(node) !=
               (dynamic_cast<const CStringNode*>(&node) ? edit.text : Trim(edit.text));
    });
    if (pending == edits.end())
        return {};

    const CTreeSnapshot before(registry);
    std::vector<std::string> errors;
    std::vector<SDone> done;
    for (const SLeafEdit& edit : edits) {
        CNode& node = *edit.leaf->node;
        const std::string wanted = dynamic_cast<CStringNode*>(&node) ? edit.text : Trim(edit.text);
        if (LeafText(node) == wanted) continue;
        std::string error;
        if (!SetLeafText(*edit.leaf, edit.text, error, edit.stored)) {
            errors.push_back(edit.where + ": " + error);
            continue;
        }
        // A later edit of the same field replaces the earlier one.
        std::erase_if(done, [&](const SDone& d) { return d.edit->leaf->node == &node; });
        done.push_back({&edit, LeafText(node)});
    }
    // Edits that cancel out leave the image alone.
    if (!errors.empty() || !before.TreeChanged()) {
        before.Restore();
        return errors;
    }

    registry.StoreTreeToImage();
    registry.Adjust()->Normalise();
    registry.LoadImageToTree();
    for (const SDone& d : done) {
        const std::string after = LeafText(*d.edit->leaf->node);
        if (after == d.expected) continue;
        std::string why = "it depends on another field or is fixed for " +
                          std::string(ModelName(registry.Model()->GetModel())) + " files";
        if (dynamic_cast<const CStringNode*>(d.edit->leaf->node))
            if (std::string text = TextNotKept(d.expected, after); !text.empty()) why = text;
        const std::string& path = d.edit->leaf->path;
        if (path.rfind("Mch.CH", 0) == 0) {
            const CNode* on = d.edit->leaf->parent->FindChild("ChOn");
            if (on && on->GetValue() == 0 && path.substr(path.rfind('.') + 1) != "ChOn")
                why = "the channel is not in use: " +
                      (d.edit->turnOn.empty() ? std::string("set its ChOn to ON as well")
                                              : d.edit->turnOn);
        }
        errors.push_back(d.edit->where + ": " + Quoted(d.expected) +
                         " is not kept; the file would hold " + Quoted(after) + " (" + why + ")");
    }
    if (!errors.empty() || !keep)
        before.Restore();
    return errors;
}

} // namespace

std::vector<std::string> ApplyLeafEdits(CCloneManager& registry,
                                        const std::vector<SLeafEdit>& edits) {
    // One step of the history, unless the caller's step holds it.
    CEditStep step(registry, "Edit");
    return RunLeafEdits(registry, edits, true);
}

std::vector<std::string> TryLeafEdits(CCloneManager& registry,
                                      const std::vector<SLeafEdit>& edits) {
    return RunLeafEdits(registry, edits, false);
}

std::vector<SFieldDiff> CompareTrees(const CCloneManager& a, const CCloneManager& b,
                                     bool makerReserve) {
    return CompareTrees(CTreeIndex(*a.RadioData(), a.Model()->GetModel(), makerReserve),
                        CTreeIndex(*b.RadioData(), b.Model()->GetModel(), makerReserve));
}

std::vector<SFieldDiff> CompareTrees(const CTreeIndex& indexA, const CTreeIndex& indexB) {
    const int modelA = indexA.Model(), modelB = indexB.Model();
    // A field of one index only is looked up in the other tree by its path.
    const auto node = [](const CTreeIndex& index, const std::string& path) {
        const STreeLeaf* leaf = index.Find(path);
        return leaf ? leaf->node : index.Resolve(path);
    };
    std::vector<SFieldDiff> diffs;
    if (modelA != modelB)
        diffs.push_back({"Model", ModelName(modelA), ModelName(modelB)});
    std::vector<std::string> paths;
    for (const STreeLeaf& leaf : indexA.Leaves())
        paths.push_back(leaf.path);
    for (const STreeLeaf& leaf : indexB.Leaves())
        if (!indexA.Find(leaf.path)) paths.push_back(leaf.path);
    for (const std::string& path : paths) {
        const CNode* nodeA = node(indexA, path);
        const CNode* nodeB = node(indexB, path);
        const std::string textA = nodeA ? LeafText(*nodeA) : std::string();
        const std::string textB = nodeB ? LeafText(*nodeB) : std::string();
        if (textA != textB || !nodeA != !nodeB) diffs.push_back({path, textA, textB});
    }
    return diffs;
}
