#include "RadioDataManager.h"

void BuildMultiToneMap(CTolvarRadioDataManager& manager, CNode& root) { manager.Make<CNode>(&root, "MultiTon"); }
