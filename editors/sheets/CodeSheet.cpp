#include "CodeSheet.h"

#include <map>
#include <memory>

#include "datamodel/DataManagers.h"
#include "datamodel/EditGuard.h"
#include "datamodel/memmap/CodeSheets.h"
#include "document/NavigationTree.h"
#include "editors/sheets/CodeDialog.h"
#include "shell/Document.h"

namespace {

// The grid's definition of a table, made once and kept for the program's life.
const SSheetDef& DefinitionOf(const SCodeSheet& table) {
    static std::map<const SCodeSheet*, SSheetDef> made;
    auto it = made.find(&table);
    if (it == made.end()) {
        SSheetDef def{table.name, table.rows, table.section, 132, {}};
        for (const SCodeColumn& c : table.columns)
            def.columns.push_back({c.title, c.format, c.width, c.minimum, c.maximum, 0xFFFFFFFF,
                                   0xFFFFFFFF, c.printWidth});
        it = made.emplace(&table, std::move(def)).first;
    }
    return it->second;
}

const SCodeSheet& TableOf(int view) {
    return *CodeSheetOf(view);
}

} // namespace

CCodeSheet::CCodeSheet(const SCodeSheet& table, CTolvarCloneSupportDoc& document, QWidget* parent)
    : CListSheet(DefinitionOf(table), document, parent), m_table(table) {
    SetChannelCommands(false);
}

void CCodeSheet::OnUpdate() {
    const CCloneManager& registry = Document().Registry();
    const bool multi = m_table.rowKind == ECodeRows::MultiTone;
    SetRows(CodeRowCount(registry, m_table, m_set), multi ? MultiToneOffset(registry, m_set) : 0);
    RefreshAll();
}

void CCodeSheet::RefreshRow(int row) {
    if (row < 0 || row >= RowCount())
        return;
    const std::vector<std::string> cells =
        CodeRowCells(Document().Registry(), m_table, row, Offset());
    for (size_t c = 0; c < cells.size(); ++c)
        SetCellText(row, static_cast<int>(c), QString::fromStdString(cells[c]));
}

QString CCodeSheet::TrailingText() const {
    const int row = GetSelectedRow();
    const int model = Document().Registry().Model()->GetModel();
    return QString::fromStdString(
        CodeRowStatus(m_table, model, row >= 0 && row < RowCount() ? row : -1));
}

void CCodeSheet::EditRow() {
    const int row = GetSelectedRow();
    if (row < 0 || row >= RowCount())
        return;
    CCloneManager& registry = Document().Registry();
    CNode* node = registry.Model()->GetNodeByPath(CodeRowPath(m_table, row, Offset()));
    if (!node)
        return;
    CEditScope guard(registry.EditGuard());
    if (!guard.Entered())
        return;
    const std::unique_ptr<QDialog> dialog = MakeCodeEditor(registry, m_table, row, *node, this);
    if (!dialog)
        return;
    const bool ok = m_runDialog ? m_runDialog(*dialog) : dialog->exec() == QDialog::Accepted;
    if (!ok)
        return;
    RefreshRow(row);
    emit TrailingTextChanged();
}

CTolvarMultiToneSheet::CTolvarMultiToneSheet(CTolvarCloneSupportDoc& document, QWidget* parent)
    : CCodeSheet(TableOf(kViewMultiToneFirst), document, parent) {}

void CTolvarMultiToneSheet::SetSetNumber(int set) {
    m_set = set;
}

QString CTolvarMultiToneSheet::GetSheetName() const {
    return QString::asprintf("%s %d", Definition().name, m_set);
}

CTolvar2ToneRxSheet::CTolvar2ToneRxSheet(CTolvarCloneSupportDoc& document, QWidget* parent)
    : CCodeSheet(TableOf(kView2ToneRx), document, parent) {}

CTolvar5ToneRxSheet::CTolvar5ToneRxSheet(CTolvarCloneSupportDoc& document, QWidget* parent)
    : CCodeSheet(TableOf(kView5ToneRx), document, parent) {}

CQ5ToneTxSheet::CQ5ToneTxSheet(CTolvarCloneSupportDoc& document, QWidget* parent)
    : CCodeSheet(TableOf(kView5ToneTx), document, parent) {}

CCodeSheet* MakeCodeSheet(int view, CTolvarCloneSupportDoc& document, QWidget* parent) {
    if (view >= kViewMultiToneFirst && view <= kViewMultiToneLast)
        return new CTolvarMultiToneSheet(document, parent);
    switch (view) {
    case kView2ToneRx:
        return new CTolvar2ToneRxSheet(document, parent);
    case kView5ToneRx:
        return new CTolvar5ToneRxSheet(document, parent);
    case kView5ToneTx:
        return new CQ5ToneTxSheet(document, parent);
    default:
        break;
    }
    const SCodeSheet* table = CodeSheetOf(view);
    return table ? new CCodeSheet(*table, document, parent) : nullptr;
}
