// The navigation tree of the desktop program as data: the view ids that tie tree
// items, header titles and the right-hand views together, the items a variant
// shows, and which item a rebuild selects again.
#pragma once

#include <string>
#include <vector>

#include "document/ViewTable.h"

// Images of the tree's image list.
enum ETreeImage { kImageGroup = 0, kImageGroupCollapsed = 1, kImageRoot = 3, kImageLeaf = 4 };

// The view an item id shows when selected: itself for 1..52, 0 for a group or the
// root, -1 for anything else.
int ViewOfItem(int id);

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

