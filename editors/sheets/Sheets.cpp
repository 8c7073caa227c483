#include "Sheets.h"

#include "document/NavigationTree.h"
#include "editors/sheets/CodeSheet.h"
#include "editors/sheets/MchSheet.h"
#include "editors/sheets/SettingSheet.h"

CSheetView* MakeTolvarSheet(int slot, CTolvarCloneSupportDoc& document, QWidget* parent) {
    switch (slot) {
    case 1: return new CTolvarMchLMRSheet(document, parent);
    case 2: return new CTolvarMchPMRSheet(document, parent);
    case 3: return MakeCodeSheet(kViewMultiToneFirst, document, parent);
    case 4: return MakeCodeSheet(kViewDtmfTx, document, parent);
    case 5: return MakeCodeSheet(kViewDtmfRx, document, parent);
    case 6: return MakeCodeSheet(kViewDtmfTxSys, document, parent);
    case 7: return MakeCodeSheet(kViewDtmfRxSys, document, parent);
    case 8: return new CTolvarDtmfSetSheet(document, parent);
    case 9: return MakeCodeSheet(kView2ToneRx, document, parent);
    case 10: return new CTolvar2ToneRxSetSheet(document, parent);
    case 11: return new CQ2ToneTxSheet(document, parent);
    case 12: return MakeCodeSheet(kView5ToneRx, document, parent);
    case 13: return new CTolvar5ToneRxSetSheet(document, parent);
    case 14: return MakeCodeSheet(kView5ToneTx, document, parent);
    case 15: return new CQ5ToneTxSetSheet(document, parent);
    case 16: return MakeCodeSheet(kView5ToneFormat, document, parent);
    case 17: return MakeCodeSheet(kView5ToneUserTone, document, parent);
    case 18: return new CTolvarKeyDispSheet(document, parent);
    case 19: return new CTolvarCommonSheet(document, parent);
    case 20: return new CTolvarExpertSheet(document, parent);
    case 21: return new CTolvarMakerReservedSheet(document, parent);
    default: return nullptr; // the empty view until the area has its sheet
    }
}
