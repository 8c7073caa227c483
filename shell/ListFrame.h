// The right-hand frame: one view per slot, made at once, one shown at a time.
#pragma once

#include <QStackedWidget>
#include <array>
#include <functional>

#include "document/NavigationTree.h"

class CPagePrinter;
class CSheetView;

class CTolvarListFrame : public QStackedWidget {
    Q_OBJECT
public:
    // Makes the view of a slot; null gives the empty view.
    using SheetMaker = std::function<CSheetView*(int slot, QWidget* parent)>;

    explicit CTolvarListFrame(QWidget* parent = nullptr, const SheetMaker& maker = {});

    void ShowSheet(int id);
    void RefreshSheet(int id) { ShowSheet(id); }
    int GetCurrentViewId() const;
    // Prints the view of an id, its rows redrawn from the nodes first (the multiple-
    // tone sheet told its set, and given back the set it shows afterwards). Id 0
    // prints nothing. False stops the print job.
    bool PrintSheet(int id, CPagePrinter& printer);
    CSheetView* CurrentSheet() const;
    CSheetView* SheetOfSlot(int slot) const { return m_views[static_cast<size_t>(slot)]; }

private:
    std::array<CSheetView*, kListSlots> m_views{};
    int m_slot = 1;
    int m_multiToneSet = 1;
};
