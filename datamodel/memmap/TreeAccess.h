// The memory-map tree by dotted path: the fields a data file holds for a variant,
// their texts, setting them from text, and comparing two documents field by field.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class CNode;
class CTolvarRadioDataManager;
class CCloneManager;

// "LMR" or "PMR".
const char* ModelName(int model);

// A field: its dotted path from the root, the node, and the group that holds it
// (for channel fields the channel's field holder).
struct STreeLeaf {
    std::string path;
    CNode* node = nullptr;
    CNode* parent = nullptr;
    int model = 0; // the variant of the index that holds the field
};

// Why a path names no field of the index.
enum class EPathProblem { None, Unknown, Group, OtherVariant, NotStored, MakerReserved, BelowField };

// The fields a data file of one variant holds, in tree order: nodes bound to the
// image and meant for the variant; the 2Tone area only for LMR, the 5Tone area
// only for PMR, the maker-reserved area only when asked for.
class CTreeIndex {
public:
    CTreeIndex(CTolvarRadioDataManager& manager, int model, bool makerReserve = false);

    int Model() const { return m_model; }
    const std::vector<STreeLeaf>& Leaves() const { return m_leaves; }
    // The field at path, or null.
    const STreeLeaf* Find(const std::string& path) const;
    // The fields at or below path, in tree order ("" gives all).
    std::vector<const STreeLeaf*> Below(const std::string& path) const;
    // Why path names no field (None when it does), and a message that names it and,
    // for a path that is no field, the nearest path that is.
    EPathProblem Check(const std::string& path, std::string* message = nullptr) const;
    // The field or group path nearest to path: the same path in other case, else the
    // one fewest letters away; empty when none is close.
    std::string Nearest(const std::string& path) const;
    // Any node by path, through the channels' field holders; null when missing.
    CNode* Resolve(const std::string& path) const;

private:
    void Walk(CNode& group, const std::string& path);
    bool AreaShown(const std::string& name) const;

    CTolvarRadioDataManager& m_manager;
    int m_model;
    bool m_makerReserve;
    std::vector<STreeLeaf> m_leaves;
    std::unordered_map<std::string, size_t> m_byPath;
    // The groups with at least one field below them.
    std::unordered_set<std::string> m_groupsWithFields;
};

// Value nodes (numeric, bit, frequency) and text nodes are fields; others are groups.
bool IsLeafNode(const CNode& node);
// The field's text: option text, code text ("023N"), frequency text or string; the
// integer when the value has no text.
std::string LeafText(const CNode& node);
// True when LeafText is the bare integer (a numeric value without option or code text).
bool LeafTextIsNumber(const CNode& node);
// The text a technician reads in a sheet: as LeafText, except where the sheet of
// the leaf's variant shows another text for the value ("DTMF" for the LMR repeater
// log ID's "5Tone").
std::string SheetText(const STreeLeaf& leaf);

// Texts the channel sheets show in place of a field's own option text.
struct SSheetRename {
    const char* field; // the last piece of the path
    unsigned models;   // the variants whose sheet renames it
    const char* own;
    const char* shown;
};
const std::vector<SSheetRename>& SheetRenames();

// Sets a field from text by the node's own rules (CNode::TrySetText): an option
// text (or the text the sheet shows for it), a code text, a frequency text, a
// string, or a whole number within the range (a time value also as its sheet shows
// it, "12.000"). On refusal returns false, leaves the node unchanged and puts into
// error why and what the field accepts. A changed tone of a 2Tone receive channel recomputes the
// channel's decode windows.
// stored: the text is one the field showed (an export); a frequency the image
// holds off the field's raster is then taken back as it is.
bool SetLeafText(const STreeLeaf& leaf, const std::string& text, std::string& error,
                 bool stored = false);

// Whether SetLeafText would take text for node, by the same rules; reason says why
// not. Changes nothing.
bool CheckLeafText(const CNode& node, const std::string& text, std::string& reason);

// A batch of changes, all or nothing: where names the change in messages
// (a path, or a row and a column).
struct SLeafEdit {
    const STreeLeaf* leaf = nullptr;
    std::string text;
    std::string where;
    bool stored = false; // see SetLeafText
    // What a field of a channel not in use asks for; "" asks to set the channel's ChOn.
    std::string turnOn = {};
};
// One transaction: sets every edit whose text differs from the field's (a later
// edit of a field replaces an earlier one), then runs the tree through the image as
// saving does (encode, normalise, decode) and checks that every change is still
// there. Returns the errors: a text a field refuses, or a change the image does not
// keep. With any error the tree and the image are put back exactly as they were;
// a batch that changes nothing leaves the image untouched.
// What was stored is one step of the edit history.
std::vector<std::string> ApplyLeafEdits(CCloneManager& registry,
                                        const std::vector<SLeafEdit>& edits);
// The errors ApplyLeafEdits would return; the tree and the image stay as they are.
std::vector<std::string> TryLeafEdits(CCloneManager& registry, const std::vector<SLeafEdit>& edits);

// One field whose texts differ; the path "Model" stands for the variant.
struct SFieldDiff {
    std::string path, textA, textB;
};
// The fields of both documents' variants whose texts differ, in tree order.
std::vector<SFieldDiff> CompareTrees(const CCloneManager& a, const CCloneManager& b,
                                     bool makerReserve = false);
// The same over indexes already made (both with or both without the maker reserve).
std::vector<SFieldDiff> CompareTrees(const CTreeIndex& a, const CTreeIndex& b);
