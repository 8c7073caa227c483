#include "SettingSheet.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSettings>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "datamodel/CloneManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/EditGuard.h"
#include "datamodel/memmap/TreeAccess.h"
#include "datamodel/nodes/Node.h"
#include "datamodel/nodes/ValueNodes.h"
#include "shell/Document.h"

namespace {

// The sheet definition of a table, made once and kept for the program's life.
const SSheetDef& DefinitionOf(const SSettingSheet& table) {
    static std::map<int, SSheetDef> definitions;
    auto it = definitions.find(table.view);
    if (it == definitions.end()) {
        SSheetDef def{table.title, static_cast<int>(table.rows.size()), table.section, 132, {}};
        const auto column = [](const char* title, const SSettingColumn& c) {
            return SColumnDef{title,     0,          c.width,    c.minimum,
                              c.maximum, 0xFFFFFFFF, 0xFFFFFFFF, c.printWidth};
        };
        def.columns = {column("", table.name), column("Value", table.value)};
        it = definitions.emplace(table.view, std::move(def)).first;
    }
    return it->second;
}

} // namespace

// ---------------------------------------------------------------------------------------

CTolvarSettingSheet::CTolvarSettingSheet(int view, CTolvarCloneSupportDoc& document,
                                         QWidget* parent)
    : CListSheet(DefinitionOf(*SettingSheetOf(view)), document, parent),
      m_table(*SettingSheetOf(view)) {
    SetChannelCommands(false);
    FitColumns();
}

void CTolvarSettingSheet::FitColumns() {
    // The default widths are for a narrower font than most desktops use: a column
    // the user never sized starts wide enough for its row titles and for the texts
    // its values can take.
    const QFontMetrics metrics(Grid().font());
    const CNode* node = SheetNode();
    int fit[2] = {0, 0};
    for (const SSettingRow& row : m_table.rows) {
        fit[0] = std::max(fit[0], metrics.horizontalAdvance(QString::fromUtf8(row.title)));
        QStringList texts;
        if (row.fields.size() > 1)
            texts << QString(static_cast<int>(row.fields.size()), QChar('8'));
        const CNode* field =
            node && row.fields.size() == 1 ? node->FindChild(row.fields[0].field) : nullptr;
        if (field)
            texts << QString::fromStdString(LeafText(*field));
        if (const auto* value = dynamic_cast<const CNumNode*>(field))
            for (const auto& option : value->Options())
                texts << QString::fromStdString(option.first);
        for (const QString& text : texts)
            fit[1] = std::max(fit[1], metrics.horizontalAdvance(text));
    }
    const QSettings profile(QStringLiteral("Velk"), QStringLiteral("CS-Tolvar"));
    const QSignalBlocker quiet(Grid().horizontalHeader());
    for (int column = 0; column < 2; ++column) {
        if (profile.contains(QString("%1/Width%2").arg(m_table.section).arg(column)))
            continue;
        const int wanted = std::min(fit[column] + 16, 400);
        if (wanted > Grid().columnWidth(column))
            Grid().setColumnWidth(column, wanted);
    }
}

CNode* CTolvarSettingSheet::SheetNode() const {
    CQModelManager* model = Document().Registry().Model();
    return model ? model->GetNodeByPath(m_table.node) : nullptr;
}

void CTolvarSettingSheet::OnUpdate() {
    SetRows(static_cast<int>(m_table.rows.size()), 0);
    RefreshAll();
}

void CTolvarSettingSheet::RefreshRow(int row) {
    if (row < 0 || row >= static_cast<int>(m_table.rows.size()))
        return;
    const SSettingRow& setting = m_table.rows[static_cast<size_t>(row)];
    SetCellText(row, 0, QString::fromUtf8(setting.title));
    const CNode* node = SheetNode();
    const std::string value =
        setting.Heading() || !node ? std::string() : SettingRowText(*node, setting);
    SetCellText(row, 1, QString::fromStdString(value));
}

void CTolvarSettingSheet::EditRow() {
    const int row = GetSelectedRow();
    if (row < 0 || row >= RowCount())
        return;
    CCloneManager& registry = Document().Registry();
    std::unique_ptr<CListEditPropSheet> editor =
        MakeSettingEditor(registry, m_table, Document().Model(), row, this);
    if (!editor)
        return;
    CEditScope guard(registry.EditGuard());
    if (!guard.Entered())
        return;
    const bool ok = m_runDialog ? m_runDialog(*editor) : editor->exec() == QDialog::Accepted;
    if (ok) {
        RefreshAll();
        MarkModified();
    }
    Grid().setFocus();
}
