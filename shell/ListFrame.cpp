#include "ListFrame.h"

#include <QApplication>

#include "document/ViewTable.h"
#include "editors/ListSheet.h"
#include "editors/sheets/Sheets.h"

CTolvarListFrame::CTolvarListFrame(CCloneManager& registry, QWidget* parent)
    : QStackedWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    for (int slot = 0; slot < ViewSlotCount(); ++slot) {
        const SViewDef* view = ViewOfSlot(slot);
        CSheetView* sheet = view ? MakeSheet(*view, registry, this) : new CNullView(this);
        sheet->setObjectName(QString("Slot%1").arg(slot));
        m_views.push_back(sheet);
        addWidget(sheet);
    }
    // At creation the LMR memory view is shown.
    ShowSheet(kViewMemoryLMR);
}

void CTolvarListFrame::ShowSheet(int id) {
    const SViewDef* view = ViewOf(id);
    const int slot = view ? view->slot : 0;
    if (id != kViewNone && !view) return;
    m_view = id;
    CSheetView* sheet = m_views[static_cast<size_t>(slot)];
    const bool focused = hasFocus() || (currentWidget() && currentWidget()->hasFocus()) ||
                         isAncestorOf(QApplication::focusWidget());
    // Hidden sheets only note changes; the one shown follows them.
    for (CSheetView* other : m_views)
        if (auto* list = qobject_cast<CListSheet*>(other); list && other != sheet)
            list->Model().SetLive(false);
    setCurrentWidget(sheet);
    setFocusProxy(sheet);
    if (id != kViewNone) sheet->ShowView(id);
    if (focused) sheet->setFocus();
}

CSheetView* CTolvarListFrame::CurrentSheet() const {
    return qobject_cast<CSheetView*>(currentWidget());
}
