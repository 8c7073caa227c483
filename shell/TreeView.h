// The navigation tree: the items of the document's variant, each carrying its view
// id; selecting an item shows its view.
#pragma once

#include <QTreeWidget>
#include <functional>

class CTolvarTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit CTolvarTreeView(QWidget* parent = nullptr);

    // Rebuilds for a variant, selecting again what was selected (see
    // ReselectedItem); returns the view id to show.
    int RebuildTree(int model, bool makerReserve, int currentView);
    // The id of the selected item, -1 when none.
    int SelectedId() const;
    QTreeWidgetItem* ItemById(int id) const;
    // Selects the item with that id; false when there is none.
    bool SelectId(int id);

signals:
    // An item was selected (or Enter or a double-click on it): the view to show.
    void ViewChosen(int viewId);

protected:
    // New system colours: the images are drawn again on the new background.
    void changeEvent(QEvent* event) override;

private:
    void OnSelection();
    bool m_rebuilding = false;
};
