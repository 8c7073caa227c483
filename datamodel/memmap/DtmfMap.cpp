#include "RadioDataManager.h"

void BuildDtmfMap(CTolvarRadioDataManager& manager, CNode& root) { manager.Make<CNode>(&root, "DtmfCodeCH"); }
