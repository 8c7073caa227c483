// The grid of every sheet: a table of cell texts the sheet sets, one selected row
// highlighted across the whole width, long texts ending in "...", per-column
// alignment and colours. Cells are never edited in place.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <vector>

class QFontMetrics;

// text shortened to fit width with inset pixels on each side: cut one character
// at a time from its end until it fits with "..." appended (one character at least).
QString ShortenText(const QString& text, int width, int inset, const QFontMetrics& metrics);

struct SGridColumn {
    QString title;
    Qt::Alignment alignment = Qt::AlignLeft;
    QColor text;       // invalid: none of its own
    QColor background; // invalid: none of its own
};

class CGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void SetColumns(std::vector<SGridColumn> columns);
    const std::vector<SGridColumn>& Columns() const { return m_columns; }
    void SetRowCount(int rows);
    void SetCellText(int row, int column, const QString& text);
    QString CellText(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<SGridColumn> m_columns;
    std::vector<QStringList> m_rows;
};

class CListViewExs : public QTableView {
    Q_OBJECT
public:
    explicit CListViewExs(QWidget* parent = nullptr);
    CGridModel& Model() { return m_model; }
    // The selected row, -1 when none.
    int GetSelectedRow() const;
    // The row height rule: the font's height and 5 pixels, at 96 dots per inch.
    int RowHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    // The selected row changes colours with the focus.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    CGridModel m_model;
};

// Draws one cell by the row rules: highlight colours when the row is selected and
// the grid has the focus, button colours when it is selected without it, the
// column's own colours otherwise; insets of 2 pixels in column 0 and 6 elsewhere.
class CGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
