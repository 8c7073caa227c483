#include "SheetModel.h"

#include <QTimer>

#include "datamodel/CloneManager.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/nodes/Node.h"

namespace {

// Cell texts are cut at 511 characters.
QStringList ToCells(const std::vector<std::string>& cells, int columns) {
    QStringList out;
    for (const std::string& cell : cells)
        out << QString::fromStdString(cell).left(511);
    while (out.size() < columns)
        out << QString();
    return out;
}

Qt::Alignment AlignmentOf(int format) {
    switch (format) {
    case 1: return Qt::AlignRight;
    case 2: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

} // namespace

CSheetModel::CSheetModel(CCloneManager& registry, const SViewDef& view, QObject* parent)
    : QAbstractTableModel(parent), m_registry(registry), m_rows(registry, view) {
    m_watch = registry.RadioData()->GetRootNode().Subscribe([this](CNode&) { OnNodeChanged(); });
    Refresh();
}

void CSheetModel::SetView(const SViewDef& view) {
    if (&view == &m_rows.View()) return;
    beginResetModel();
    m_rows = CSheetRows(m_registry, view);
    m_cells.clear();
    endResetModel();
    Refresh();
}

void CSheetModel::OnNodeChanged() {
    m_dirty = true;
    if (!m_live || m_flushPending) return;
    m_flushPending = true;
    QTimer::singleShot(0, this, [this] {
        m_flushPending = false;
        if (m_live && m_dirty) Refresh();
    });
}

void CSheetModel::SetLive(bool live) {
    m_live = live;
    if (live && m_dirty) Refresh();
}

void CSheetModel::Refresh() {
    m_dirty = false;
    const int count = m_rows.RowCount();
    const int columns = columnCount();
    std::vector<QStringList> cells;
    cells.reserve(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row)
        cells.push_back(ToCells(m_rows.Cells(row), columns));
    if (cells.size() != m_cells.size()) {
        beginResetModel();
        m_cells = std::move(cells);
        endResetModel();
    } else {
        for (size_t row = 0; row < cells.size(); ++row) {
            if (cells[row] == m_cells[row]) continue;
            m_cells[row] = std::move(cells[row]);
            const int r = static_cast<int>(row);
            emit dataChanged(index(r, 0), index(r, columns - 1), {Qt::DisplayRole});
        }
    }
    emit RowsRefreshed();
}

QString CSheetModel::CellText(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return {};
    return m_cells[static_cast<size_t>(row)][column];
}

int CSheetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_cells.size());
}

int CSheetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.View().columns.size());
}

QVariant CSheetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole: return CellText(index.row(), index.column());
    case Qt::TextAlignmentRole: {
        const SViewColumn& column = m_rows.View().columns[static_cast<size_t>(index.column())];
        return QVariant::fromValue(AlignmentOf(column.format) | Qt::AlignVCenter);
    }
    default: return {};
    }
}

QVariant CSheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columnCount())
        return QString::fromStdString(m_rows.View().columns[static_cast<size_t>(section)].title);
    return {};
}
