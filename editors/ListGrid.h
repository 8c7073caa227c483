// The grid of every sheet: selected rows highlighted across the whole width, long
// texts ending in "...", per-column alignment. Cells are never edited in place.
#pragma once

#include <QStyledItemDelegate>
#include <QTableView>
#include <vector>

class QFontMetrics;

// text shortened to fit width with inset pixels on each side: cut one character
// at a time from its end until it fits with "..." appended (one character at least).
QString ShortenText(const QString& text, int width, int inset, const QFontMetrics& metrics);

class CListViewExs : public QTableView {
    Q_OBJECT
public:
    explicit CListViewExs(QWidget* parent = nullptr);
    // The selected row the keyboard is on, else the first selected row; -1 when none.
    int GetSelectedRow() const;
    // Every selected row, in order.
    std::vector<int> SelectedRows() const;
    // The row height rule: the font's height and 5 pixels, at 96 dots per inch.
    int RowHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    // The selected row changes colours with the focus.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // The highlight beyond the last column moves with the selected row.
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
};

// Draws one cell by the row rules: highlight colours when the row is selected and
// the grid has the focus, button colours when it is selected without it; insets of 2 pixels in column 0 and 6 elsewhere.
class CGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
