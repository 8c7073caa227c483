// The navigation tree of the desktop program as data: the view ids that tie tree
// items, header titles and the right-hand views together, the items a variant
// shows, and which item a rebuild selects again.
#pragma once

#include <string>
#include <vector>

// View ids 0..52 name views; group items carry ids above 255.
enum EViewId {
    kViewNone = 0,
    kViewMemoryLMR = 1,
    kViewMemoryPMR = 2,
    kViewMultiToneFirst = 3, // "CH 1"; the 32 sets are ids 3..34
    kViewMultiToneLast = 34,
    kViewDtmfTx = 35,
    kViewDtmfRx = 36,
    kViewDtmfTxSys = 37,
    kViewDtmfRxSys = 38,
    kViewDtmfSet = 39,
    kView2ToneRx = 40,
    kView2ToneRxSet = 41,
    kView2ToneTx = 42,
    kView5ToneRx = 43,
    kView5ToneRxSet = 44,
    kView5ToneTx = 45,
    kView5ToneTxSet = 46,
    kView5ToneFormat = 47,
    kView5ToneUserTone = 48,
    kViewKeyDisp = 49,
    kViewCommon = 50,
    kViewExpert = 51,
    kViewMakerReserved = 52,
    kViewLast = 52,
    kGroupCommon = 256,
    kGroupDtmf = 259,
    kGroup2Tone = 261,
    kGroup5Tone = 262,
    kGroupMultiTone = 263,
    kTreeRoot = 304,
};

// Images of the tree's image list.
enum ETreeImage { kImageGroup = 0, kImageGroupCollapsed = 1, kImageRoot = 3, kImageLeaf = 4 };

// The title the right header shows for a view ("Multiple Tone:CH 17"); the six
// blanks for view 0 and for ids that name no view.
std::string ViewTitle(int id);
// True for 1..52.
bool IsViewId(int id);
// The view an item id shows when selected: itself for 1..52, 0 for a group or the
// root, -1 for anything else.
int ViewOfItem(int id);
// The memory view of a variant (0 LMR, 1 PMR).
int MemoryViewOf(int model);

struct SNavItem {
    int id;
    std::string label;
    int parent; // index of the parent item, -1 for the root
    int image;
};

// The items of a variant's tree in insertion order (parents before children).
std::vector<SNavItem> NavigationItems(int model, bool makerReserve);

// The item a rebuild selects for the id selected before it (the memory view of the
// variant when nothing was): the item with that id, the memory item for either
// memory id, the other signalling group for an id of 2Tone or 5Tone that the variant
// does not show. -1 when none matches (the caller then selects the memory item).
int ReselectedItem(const std::vector<SNavItem>& items, int remembered);

// The right-hand frame's slot of a view id (one multiple-tone sheet for ids 3..34),
// and the view id a slot shows.
int ListSlotOf(int id);
int ViewIdOfSlot(int slot, int multiToneSet);
inline constexpr int kListSlots = 22;
