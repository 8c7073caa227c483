#include "RadioDataManager.h"

void BuildCommonSetMap(CTolvarRadioDataManager& manager, CNode& root) { manager.Make<CNode>(&root, "CommonSet"); }
