#include "PropSheet.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "editors/FieldControls.h"

CListEditPropPage::CListEditPropPage(const QString& title, QWidget* parent)
    : QWidget(parent), m_title(title) {}

bool CListEditPropPage::FocusItem() {
    if (m_focusItem < 1 || m_focusItem > Count())
        return false;
    QWidget* control = m_items[static_cast<size_t>(m_focusItem - 1)];
    if (!control)
        return false;
    control->setFocus(Qt::OtherFocusReason);
    return true;
}

void CListEditPropPage::showEvent(QShowEvent* event) {
    m_shown = true;
    QWidget::showEvent(event);
}

// ---------------------------------------------------------------------------------------

CListEditPropSheet::CListEditPropSheet(CCloneManager& registry, const QString& caption,
                                       QWidget* parent, int selectedPage)
    : QDialog(parent), m_registry(registry), m_tabs(new QTabWidget(this)),
      m_startPage(selectedPage) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    // OK and Cancel only: no Apply, no Help.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CListEditPropSheet::AddPage(CListEditPropPage* page) {
    m_pages.push_back(page);
    m_tabs->addTab(page, page->Title());
}

CListEditPropPage* CListEditPropSheet::Page(int index) const {
    return index >= 0 && index < PageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

void CListEditPropSheet::SelectStartPage(int index) {
    m_startPage = index;
    if (index >= 0 && index < PageCount())
        m_tabs->setCurrentIndex(index);
}

void CListEditPropSheet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_initialised)
        return;
    m_initialised = true;
    raise();
    activateWindow();
    // A start page beyond the last leaves the focus where Qt puts it.
    if (CListEditPropPage* page = Page(m_startPage))
        page->FocusItem();
}

void CListEditPropSheet::accept() {
    std::vector<SFieldEdit> edits;
    for (const CListEditPropPage* page : m_pages)
        page->CollectEdits(edits);
    QString reason;
    const SFieldEdit* refused = nullptr;
    if (!ApplyFieldEdits(m_registry, edits, reason, &refused)) {
        if (refused && refused->control)
            for (CListEditPropPage* page : m_pages)
                if (page->isAncestorOf(refused->control->Widget()))
                    m_tabs->setCurrentWidget(page);
        ShowRefusal(m_registry, reason, refused);
        return;
    }
    QDialog::accept();
}
