#include "CodeSheet.h"

#include <memory>

#include "datamodel/CloneManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/EditGuard.h"
#include "datamodel/EditHistory.h"
#include "editors/sheets/CodeDialog.h"
#include "editors/sheets/SettingEditor.h"

void CEditorSheet::EditRow() {
    const int row = GetSelectedRow();
    CNode* node = Model().Rows().RowNode(row);
    if (!node) return;
    CCloneManager& registry = Registry();
    CEditScope guard(registry.EditGuard());
    if (!guard.Entered()) return;
    std::unique_ptr<QDialog> dialog;
    if (View().code)
        dialog = MakeCodeEditor(registry, *View().code, row, *node, this);
    else if (View().setting)
        dialog = MakeSettingEditor(registry, *View().setting, registry.Model()->GetModel(), row, this);
    if (!dialog) return;
    // What the editor's OK stores is one step, named as the editor is ("Edit Common").
    std::string name = dialog->windowTitle().toStdString();
    if (View().code) name += " " + Model().CellText(row, 0).trimmed().toStdString();
    CEditStep step(registry, name);
    dialog->exec();
}
