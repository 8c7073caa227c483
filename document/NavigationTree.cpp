#include "NavigationTree.h"

#include "datamodel/DataManagers.h"

namespace {

struct SGroup {
    int id;
    const char* label;
};

constexpr SGroup kGroups[] = {{kGroupCommon, "Common Setting"},
                              {kGroupMultiTone, "Multiple Tone"},
                              {kGroupDtmf, "DTMF"},
                              {kGroup2Tone, "2Tone"},
                              {kGroup5Tone, "5Tone"}};

const char* GroupLabel(int id) {
    for (const SGroup& group : kGroups)
        if (group.id == id) return group.label;
    return "";
}

// The group a view id or group id belongs to (the root for top-level views).
int GroupOf(int id) {
    if (const SViewDef* view = ViewOf(id)) return view->group;
    return id;
}

} // namespace

int ViewOfItem(int id) {
    if (IsViewId(id)) return id;
    if (id == kTreeRoot) return kViewNone;
    for (const SGroup& group : kGroups)
        if (group.id == id) return kViewNone;
    return -1;
}

std::vector<SNavItem> NavigationItems(int model, bool makerReserve) {
    std::vector<SNavItem> items;
    items.push_back({kTreeRoot, model == ModelPMR ? "PMR" : "LMR", -1, kImageRoot});
    int groupIndex = 0, group = kTreeRoot;
    for (const SViewDef& view : Views()) {
        if (!ViewShown(view, model, makerReserve)) continue;
        if (view.group != group) {
            group = view.group;
            groupIndex = 0;
            if (group != kTreeRoot) {
                groupIndex = static_cast<int>(items.size());
                items.push_back({group, GroupLabel(group), 0, kImageGroup});
            }
        }
        items.push_back({view.id, view.label, groupIndex, kImageLeaf});
    }
    return items;
}

int ReselectedItem(const std::vector<SNavItem>& items, int remembered) {
    // The other variant's signalling area stands for this one's.
    const int area = GroupOf(remembered);
    for (size_t i = 0; i < items.size(); ++i) {
        const int id = items[i].id;
        const bool memory = id == kViewMemoryLMR || id == kViewMemoryPMR;
        if (id == remembered ||
            (memory && (remembered == kViewMemoryLMR || remembered == kViewMemoryPMR)) ||
            (id == kGroup2Tone && area == kGroup5Tone) || (id == kGroup5Tone && area == kGroup2Tone))
            return static_cast<int>(i);
    }
    return -1;
}
