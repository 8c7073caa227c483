#include "RadioDataManager.h"

void BuildFiveToneMap(CTolvarRadioDataManager& manager, CNode& root) { manager.Make<CNode>(&root, "5ToneCodeCH"); }
