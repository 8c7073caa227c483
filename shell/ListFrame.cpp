#include "ListFrame.h"

#include "shell/SheetView.h"

CTolvarListFrame::CTolvarListFrame(QWidget* parent, const SheetMaker& maker)
    : QStackedWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    for (int slot = 0; slot < kListSlots; ++slot) {
        CSheetView* view = maker ? maker(slot, this) : nullptr;
        if (!view) view = new CNullView(this);
        view->setObjectName(QString("Slot%1").arg(slot));
        m_views[static_cast<size_t>(slot)] = view;
        addWidget(view);
    }
    // At creation the LMR memory view is shown.
    setCurrentWidget(m_views[1]);
}

void CTolvarListFrame::ShowSheet(int id) {
    const int slot = ListSlotOf(id);
    if (slot < 0 || slot >= kListSlots) return;
    CSheetView* view = m_views[static_cast<size_t>(slot)];
    if (slot == 3) {
        m_multiToneSet = id - 2;
        view->SetSetNumber(m_multiToneSet);
    }
    m_slot = slot;
    setCurrentWidget(view);
    if (id != kViewNone) view->OnUpdate();
}

int CTolvarListFrame::GetCurrentViewId() const {
    return ViewIdOfSlot(m_slot, m_multiToneSet);
}

CSheetView* CTolvarListFrame::CurrentSheet() const {
    return m_views[static_cast<size_t>(m_slot)];
}

bool CTolvarListFrame::PrintSheet(int id, CPagePrinter& printer) {
    const int slot = ListSlotOf(id);
    if (id == kViewNone || slot <= 0 || slot >= kListSlots) return true;
    CSheetView* view = m_views[static_cast<size_t>(slot)];
    const bool multiTone = slot == ListSlotOf(kViewMultiToneFirst);
    if (multiTone) view->SetSetNumber(id - 2);
    view->OnUpdate();
    const bool go = view->PrintSheet(printer);
    if (multiTone && id - 2 != m_multiToneSet) {
        view->SetSetNumber(m_multiToneSet);
        view->OnUpdate();
    }
    return go;
}
