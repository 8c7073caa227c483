#include "SettingEditor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "datamodel/CloneManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/nodes/Node.h"

namespace {

QString Trimmed(const char* title) {
    return QString::fromUtf8(title).trimmed();
}

} // namespace

CSettingPage::CSettingPage(const SSettingSheet& sheet, int page, CNode& node, int model,
                           QWidget* parent)
    : CListEditPropPage(QString::fromUtf8(sheet.pages[static_cast<size_t>(page)].title), parent) {
    const int first = sheet.pages[static_cast<size_t>(page)].firstRow;
    const int end = PageEndRow(sheet, page);
    std::vector<SEditorField> pageFields;
    for (int r = first; r < end; ++r)
        for (const SEditorField& editorField : sheet.rows[static_cast<size_t>(r)].fields)
            pageFields.push_back(editorField);
    m_fields = std::make_unique<CFieldSet>(node, pageFields, model, this);

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
        auto* page = new CSettingPage(sheet, static_cast<int>(p), *node, model);
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
