#include "Sheets.h"

#include "editors/sheets/MchSheet.h"

CSheetView* MakeTolvarSheet(int slot, CTolvarCloneSupportDoc& document, QWidget* parent) {
    switch (slot) {
    case 1: return new CTolvarMchLMRSheet(document, parent);
    case 2: return new CTolvarMchPMRSheet(document, parent);
    default: return nullptr; // the empty view until the area has its sheet
    }
}
