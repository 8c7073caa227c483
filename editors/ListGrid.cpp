#include "ListGrid.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <algorithm>

QString ShortenText(const QString& text, int width, int inset, const QFontMetrics& metrics) {
    if (text.isEmpty() || metrics.horizontalAdvance(text) + inset <= width) return text;
    const QString dots = QStringLiteral("...");
    const int dotsWidth = metrics.horizontalAdvance(dots);
    qsizetype n = text.size() - 1;
    for (; n > 1; --n)
        if (metrics.horizontalAdvance(text.left(n)) + inset + dotsWidth <= width) break;
    return text.left(std::max<qsizetype>(n, 1)) + dots;
}

// ---------------------------------------------------------------------------------------

CListViewExs::CListViewExs(QWidget* parent) : QTableView(parent) {
    setItemDelegate(new CGridDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setDefaultSectionSize(RowHeight());
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

int CListViewExs::GetSelectedRow() const {
    const QModelIndex current = currentIndex();
    if (current.isValid() && selectionModel()->isRowSelected(current.row(), QModelIndex()))
        return current.row();
    const std::vector<int> rows = SelectedRows();
    return rows.empty() ? -1 : rows.front();
}

std::vector<int> CListViewExs::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int CListViewExs::RowHeight() const {
    const int dpi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    return (QFontMetrics(font()).height() + 5) * dpi / 96;
}

void CListViewExs::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        verticalHeader()->setDefaultSectionSize(RowHeight());
}

void CListViewExs::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    viewport()->update();
}

void CListViewExs::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    viewport()->update();
}

void CListViewExs::selectionChanged(const QItemSelection& selected,
                                    const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    viewport()->update();
}

void CListViewExs::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    // The selected rows' highlight reaches the right edge beyond the last column,
    // and, with the focus, a focus frame goes round the whole row the keyboard is on.
    const int row = GetSelectedRow();
    const int columns = model() ? model()->columnCount() : 0;
    if (row < 0 || columns == 0) return;
    const int right = columnViewportPosition(columns - 1) + columnWidth(columns - 1);
    const int width = viewport()->width();
    QPainter p(viewport());
    const bool focused = hasFocus();
    if (right < width)
        for (int selected : SelectedRows())
            p.fillRect(QRect(right, rowViewportPosition(selected), width - right, rowHeight(selected)),
                       palette().color(focused ? QPalette::Highlight : QPalette::Button));
    const QRect full(columnViewportPosition(0), rowViewportPosition(row),
                     std::max(right, width) - columnViewportPosition(0), rowHeight(row));
    if (focused) {
        QPen pen(palette().color(QPalette::HighlightedText), 1, Qt::DotLine);
        p.setPen(pen);
        p.drawRect(full.adjusted(0, 0, -1, -1));
    }
}

// ---------------------------------------------------------------------------------------

void CGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const bool selected = option.state & QStyle::State_Selected;
    const bool focused = view && view->hasFocus();
    const QPalette& pal = option.palette;
    QColor text = pal.color(QPalette::Text);
    QColor background = pal.color(QPalette::Base);
    if (selected) {
        text = pal.color(focused ? QPalette::HighlightedText : QPalette::ButtonText);
        background = pal.color(focused ? QPalette::Highlight : QPalette::Button);
    }
    painter->save();
    painter->fillRect(option.rect, background);
    const int inset = index.column() == 0 ? 2 : 6;
    const QString full = index.data(Qt::DisplayRole).toString();
    if (!full.isEmpty()) {
        const QFontMetrics metrics(option.font);
        const QString shown = ShortenText(full, option.rect.width(), 2 * inset, metrics);
        Qt::Alignment alignment = Qt::AlignLeft;
        if (shown == full)
            alignment = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()) &
                        Qt::AlignHorizontal_Mask;
        painter->setPen(text);
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(inset, 0, -inset, 0),
                          static_cast<int>(alignment | Qt::AlignVCenter | Qt::TextSingleLine), shown);
    }
    painter->restore();
}
