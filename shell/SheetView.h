// A view of the right-hand frame. The sheets derive from it; the frame offers
// every command to the sheet shown before anyone else.
#pragma once

#include <QWidget>

class CPagePrinter;
class CTolvarCloneSupportDoc;

// The enable and check state a command shows.
struct SCommandState {
    bool enabled = false;
    bool checked = false;
};

class CSheetView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    // True when the sheet handled the command.
    virtual bool OnCommand(int /*id*/) { return false; }
    // True when the sheet decides the command's state.
    virtual bool OnUpdateCommand(int /*id*/, SCommandState& /*state*/) { return false; }
    // Redraws every row from the nodes and brings the focused row into view.
    virtual void OnUpdate() {}
    // The multiple-tone sheet's set number (1..32).
    virtual void SetSetNumber(int /*set*/) {}
    // Text for the right header's trailing part.
    virtual QString TrailingText() const { return {}; }
    // Prints the view's rows as they are now; false stops the print job. A view
    // without rows prints nothing.
    virtual bool PrintSheet(CPagePrinter& /*printer*/) { return true; }

signals:
    // The trailing text changed (another row was selected).
    void TrailingTextChanged();
};

// The empty view: no border, nothing in it.
class CNullView : public CSheetView {
    Q_OBJECT
public:
    using CSheetView::CSheetView;
};
