#include "CodeSheet.h"

#include <memory>

#include "datamodel/CloneManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/EditGuard.h"
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
    // A code dialog marks the document itself; a setting editor's OK does not.
    if (dialog && dialog->exec() == QDialog::Accepted && View().setting)
        if (IDocumentHost* document = registry.Document()) document->SetModifiedFlag(true);
}
