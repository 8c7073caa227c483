#include "RadioDataManager.h"

void BuildChannelMap(CTolvarRadioDataManager& manager, CNode& root) { manager.Make<CNode>(&root, "Mch"); }
