#include "NavigationTree.h"

#include "datamodel/DataManagers.h"

namespace {

constexpr const char* kBlankTitle = "      ";

struct SViewRow {
    int id;
    const char* title;
};

// Header titles of the views other than the multiple-tone sets.
constexpr SViewRow kTitles[] = {
    {kViewMemoryLMR, "Memory"},
    {kViewMemoryPMR, "Memory"},
    {kViewDtmfTx, "DTMF:TX Code"},
    {kViewDtmfRx, "DTMF:RX Code"},
    {kViewDtmfTxSys, "DTMF:TX System Code"},
    {kViewDtmfRxSys, "DTMF:RX System Code"},
    {kViewDtmfSet, "DTMF Setting"},
    {kView2ToneRx, "2Tone:RX Code"},
    {kView2ToneRxSet, "2Tone:RX Code Setting"},
    {kView2ToneTx, "2Tone:TX Code"},
    {kView5ToneRx, "5Tone:RX Code"},
    {kView5ToneRxSet, "5Tone:RX Code Setting"},
    {kView5ToneTx, "5Tone:TX Code"},
    {kView5ToneTxSet, "5Tone:TX Code Setting"},
    {kView5ToneFormat, "5Tone:Format"},
    {kView5ToneUserTone, "5Tone:User Tone"},
    {kViewKeyDisp, "Common Setting:Key && Display Assign"},
    {kViewCommon, "Common Setting:Common"},
    {kViewExpert, "Common Setting:Expert"},
    {kViewMakerReserved, "Maker Reserved"},
};

struct SLeaf {
    int id;
    const char* label;
};

constexpr SLeaf kCommonItems[] = {{kViewKeyDisp, "Key&Display"}, {kViewCommon, "Common"},
                                  {kViewExpert, "Expert"}};
constexpr SLeaf kDtmfItems[] = {{kViewDtmfRx, "RX Code CH"},
                                {kViewDtmfTx, "TX Code CH(Autodial)"},
                                {kViewDtmfRxSys, "RX System Code"},
                                {kViewDtmfTxSys, "TX System Code"},
                                {kViewDtmfSet, "DTMF Setting"}};
constexpr SLeaf k2ToneItems[] = {
    {kView2ToneRx, "RX Code CH"}, {kView2ToneRxSet, "RX Code Setting"}, {kView2ToneTx, "TX Code"}};
constexpr SLeaf k5ToneItems[] = {{kView5ToneRx, "RX Code CH"},     {kView5ToneRxSet, "RX Code Setting"},
                                 {kView5ToneTx, "TX Code CH"},     {kView5ToneTxSet, "TX Code Setting"},
                                 {kView5ToneFormat, "Format"},     {kView5ToneUserTone, "User Tone"}};

bool In2ToneArea(int id) {
    return (id >= kView2ToneRx && id <= kView2ToneTx) || id == kGroup2Tone;
}

bool In5ToneArea(int id) {
    return (id >= kView5ToneRx && id <= kView5ToneUserTone) || id == kGroup5Tone;
}

} // namespace

bool IsViewId(int id) {
    return id >= 1 && id <= kViewLast;
}

std::string ViewTitle(int id) {
    if (id >= kViewMultiToneFirst && id <= kViewMultiToneLast)
        return "Multiple Tone:CH " + std::to_string(id - 2);
    for (const SViewRow& row : kTitles)
        if (row.id == id) return row.title;
    return kBlankTitle;
}

int ViewOfItem(int id) {
    if (IsViewId(id)) return id;
    switch (id) {
    case kGroupCommon:
    case kGroupDtmf:
    case kGroup2Tone:
    case kGroup5Tone:
    case kGroupMultiTone:
    case kTreeRoot: return kViewNone;
    default: return -1;
    }
}

int MemoryViewOf(int model) {
    return model == ModelPMR ? kViewMemoryPMR : kViewMemoryLMR;
}

std::vector<SNavItem> NavigationItems(int model, bool makerReserve) {
    std::vector<SNavItem> items;
    items.push_back({kTreeRoot, model == ModelPMR ? "PMR" : "LMR", -1, kImageRoot});
    const auto leaf = [&](int id, const std::string& label, int parent) {
        items.push_back({id, label, parent, kImageLeaf});
    };
    const auto group = [&](int id, const char* label, auto&& children) {
        const int index = static_cast<int>(items.size());
        items.push_back({id, label, 0, kImageGroup});
        for (const SLeaf& child : children)
            leaf(child.id, child.label, index);
    };
    if (makerReserve) leaf(kViewMakerReserved, "Maker Reserved", 0);
    group(kGroupCommon, "Common Setting", kCommonItems);
    leaf(MemoryViewOf(model), "Memory CH", 0);
    const int multi = static_cast<int>(items.size());
    items.push_back({kGroupMultiTone, "Multiple Tone", 0, kImageGroup});
    for (int set = 1; set <= 32; ++set)
        leaf(kViewMultiToneFirst + set - 1, "CH " + std::to_string(set), multi);
    group(kGroupDtmf, "DTMF", kDtmfItems);
    if (model == ModelPMR)
        group(kGroup5Tone, "5Tone", k5ToneItems);
    else
        group(kGroup2Tone, "2Tone", k2ToneItems);
    return items;
}

int ReselectedItem(const std::vector<SNavItem>& items, int remembered) {
    for (size_t i = 0; i < items.size(); ++i) {
        const int id = items[i].id;
        const bool memory = id == kViewMemoryLMR || id == kViewMemoryPMR;
        if (id == remembered ||
            (memory && (remembered == kViewMemoryLMR || remembered == kViewMemoryPMR)) ||
            (id == kGroup2Tone && In5ToneArea(remembered)) ||
            (id == kGroup5Tone && In2ToneArea(remembered)))
            return static_cast<int>(i);
    }
    return -1;
}

int ListSlotOf(int id) {
    if (id <= kViewMemoryPMR) return id < 0 ? 0 : id;
    if (id <= kViewMultiToneLast) return 3;
    return id - 31;
}

int ViewIdOfSlot(int slot, int multiToneSet) {
    if (slot <= 2) return slot;
    if (slot == 3) return multiToneSet + 2;
    return slot + 31;
}
