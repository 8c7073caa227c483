#include "RadioDataManager.h"

void BuildMakerReservedMap(CTolvarRadioDataManager& manager, CNode& root) { manager.Make<CNode>(&root, "MakerR"); }
