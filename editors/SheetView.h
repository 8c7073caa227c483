// A view of the right-hand frame. The sheets derive from it; the frame offers
// every command to the sheet shown before anyone else.
#pragma once

#include <QWidget>
#include <vector>

#include "editors/Command.h"

class CSheetView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    // True when the sheet handled the command.
    virtual bool OnCommand(ECommand /*command*/) { return false; }
    // True when the sheet decides the command's state.
    virtual bool OnUpdateCommand(ECommand /*command*/, SCommandState& /*state*/) const {
        return false;
    }
    // Shows a view of the sheet's slot (the multiple-tone sheet shows 32 sets) with
    // its rows read from the nodes.
    virtual void ShowView(int /*id*/) {}
    // Text for the right header's trailing part.
    virtual QString TrailingText() const { return {}; }

signals:
    // The trailing text changed (another row was selected).
    void TrailingTextChanged();
    // What the sheet's commands show may have changed (selection, rows).
    void CommandStatesChanged();
    // The user asked for the context menu at a global position; commands lists its
    // items (ECommand::None for a separator).
    void ContextMenuRequested(const QPoint& at, const std::vector<ECommand>& commands);
};

// The empty view: no border, nothing in it.
class CNullView : public CSheetView {
    Q_OBJECT
public:
    using CSheetView::CSheetView;
};
