// A sheet's rows as a Qt table model over the core's rows of a view. It listens to
// the node tree: any change, made anywhere (an editor, a paste, a clone read, a
// variant change), reads the rows again once the change is done and repaints the
// rows whose texts changed, and only those.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

#include "datamodel/nodes/NodeObservers.h"
#include "document/SheetRows.h"

class CCloneManager;

class CSheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    CSheetModel(CCloneManager& registry, const SViewDef& view, QObject* parent = nullptr);

    // Shows another view of the same layout (a multiple-tone set).
    void SetView(const SViewDef& view);
    const SViewDef& View() const { return m_rows.View(); }
    const CSheetRows& Rows() const { return m_rows; }
    // Reads every row from the nodes now.
    void Refresh();
    // While not live (the sheet is hidden) changes are only noted; going live
    // reads what changed.
    void SetLive(bool live);
    QString CellText(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // The rows were read again (their number may have changed).
    void RowsRefreshed();

private:
    void OnNodeChanged();

    CCloneManager& m_registry;
    CSheetRows m_rows;
    std::vector<QStringList> m_cells;
    CNodeSubscription m_watch;
    bool m_live = true;
    bool m_dirty = false;
    bool m_flushPending = false;
};
