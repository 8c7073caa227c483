#include "Sheets.h"

#include "document/ViewTable.h"
#include "editors/sheets/CodeSheet.h"
#include "editors/sheets/MchSheet.h"

CSheetView* MakeSheet(const SViewDef& view, CCloneManager& registry, QWidget* parent) {
    switch (view.sheet) {
    case ESheetKind::Memory: return new CTolvarMchSheet(registry, view, parent);
    case ESheetKind::Code:
    case ESheetKind::Setting: return new CEditorSheet(registry, view, parent);
    case ESheetKind::None: break;
    }
    return new CNullView(parent);
}
