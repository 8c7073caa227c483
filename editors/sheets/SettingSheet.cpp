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

QString Trimmed(const char* title) {
    return QString::fromUtf8(title).trimmed();
}

} // namespace

// ---------------------------------------------------------------------------------------

CSettingPage::CSettingPage(CCloneManager& registry, const SSettingSheet& sheet, int page,
                           CNode& node, int model, QWidget* parent)
    : CListEditPropPage(QString::fromUtf8(sheet.pages[static_cast<size_t>(page)].title), parent) {
    const int first = sheet.pages[static_cast<size_t>(page)].firstRow;
    const int end = PageEndRow(sheet, page);
    std::vector<SEditorField> pageFields;
    for (int r = first; r < end; ++r)
        for (const SEditorField& editorField : sheet.rows[static_cast<size_t>(r)].fields)
            pageFields.push_back(editorField);
    m_fields = std::make_unique<CFieldSet>(node, pageFields, model, this);
    m_fields->SetRegistry(&registry);

    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(0, 150);
    grid->setColumnStretch(1, 1);
    outer->addLayout(grid);
    outer->addStretch(1);
    // The control table: the first control of each row; a heading names the first
    // control of its group.
    std::vector<QWidget*> items(static_cast<size_t>(end - first), nullptr);
    std::vector<size_t> headings;
    for (int r = first; r < end; ++r) {
        const SSettingRow& row = sheet.rows[static_cast<size_t>(r)];
        const int at = r - first;
        const bool indented = row.title[0] == ' ';
        if (row.Heading()) {
            auto* label = new QLabel(
                QStringLiteral("<b>%1</b>").arg(Trimmed(row.title).toHtmlEscaped()), this);
            grid->addWidget(label, at, 0, 1, 2);
            headings.push_back(static_cast<size_t>(at));
            continue;
        }
        QWidget* control = nullptr;
        if (row.fields.size() == 1) {
            CFieldControl* c = m_fields->Control(QString::fromUtf8(row.fields[0].field));
            if (c) {
                control = c->Widget();
                QLabel* label = m_fields->LabelOf(QString::fromUtf8(row.fields[0].field));
                if (label) {
                    label->setIndent(indented ? 16 * (1 + (row.title[4] == ' ')) : 0);
                    grid->addWidget(label, at, 0);
                }
                grid->addWidget(control, at, 1);
            }
        } else {
            auto* label = new QLabel(Trimmed(row.title), this);
            label->setIndent(indented ? 16 : 0);
            grid->addWidget(label, at, 0);
            auto* flags = new QHBoxLayout;
            for (const SEditorField& editorField : row.fields)
                if (CFieldControl* c = m_fields->Control(QString::fromUtf8(editorField.field))) {
                    if (!control)
                        control = c->Widget();
                    flags->addWidget(c->Widget());
                }
            flags->addStretch(1);
            grid->addLayout(flags, at, 1);
        }
        items[static_cast<size_t>(at)] = control;
        for (size_t h : headings)
            items[h] = control;
        headings.clear();
    }
    SetItems(std::move(items));
}

bool CSettingPage::CheckPage(QString& reason) const {
    return m_fields->CheckValues(reason);
}

bool CSettingPage::StorePage(QString& reason) {
    return m_fields->Store(reason);
}

std::unique_ptr<CListEditPropSheet> MakeSettingEditor(CCloneManager& registry,
                                                      const SSettingSheet& sheet, int model,
                                                      int row, QWidget* parent) {
    CNode* node = registry.Model() ? registry.Model()->GetNodeByPath(sheet.node) : nullptr;
    if (!node)
        return nullptr;
    const SEditorPlace place = EditorPlaceOf(sheet, row);
    const QString caption =
        QString::fromUtf8(sheet.editorTitle ? sheet.editorTitle : sheet.pages.front().title);
    auto editor = std::make_unique<CListEditPropSheet>(registry, caption, parent, place.page);
    for (size_t p = 0; p < sheet.pages.size(); ++p) {
        auto* page = new CSettingPage(registry, sheet, static_cast<int>(p), *node, model);
        page->SetFocusItem(static_cast<int>(p) == place.page ? place.item : 1);
        editor->AddPage(page);
    }
    // A single dialog shows its page without a tab.
    editor->Tabs()->setTabBarAutoHide(true);
    if (sheet.pages.size() == 1)
        editor->Tabs()->setDocumentMode(true);
    editor->SelectStartPage(place.page);
    return editor;
}

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
