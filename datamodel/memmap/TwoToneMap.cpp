#include "RadioDataManager.h"

void BuildTwoToneMap(CTolvarRadioDataManager& manager, CNode& root) { manager.Make<CNode>(&root, "2ToneCodeCH"); }
