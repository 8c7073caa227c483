#include "PagePrinter.h"

#include <QFontMetricsF>
#include <QPrinter>
#include <cmath>

CPagePrinter::CPagePrinter(QPrinter& printer) : m_printer(printer) {
    // Page units start at the corner of the area the printer can print on, and the
    // margins are taken inside that area (a PDF file's area is the page less 10 points).
    m_printer.setFullPage(false);
    m_font = QFont(QStringLiteral("Arial"));
    m_font.setStyleHint(QFont::SansSerif);
    m_font.setPixelSize(kFontPixels);
    const QFontMetricsF metrics(m_font);
    m_lineHeight = static_cast<int>(std::lround(metrics.height() + metrics.leading()));
    m_charUnit = static_cast<int>(std::lround(metrics.horizontalAdvance(QLatin1Char('W'))));
    const QRectF paper = m_printer.pageLayout().paintRect(QPageLayout::Millimeter);
    m_printable = PrintableRect(static_cast<int>(std::lround(paper.width() * 10)),
                                static_cast<int>(std::lround(paper.height() * 10)));
}

CPagePrinter::~CPagePrinter() {
    if (m_painter.isActive())
        m_painter.end();
}

bool CPagePrinter::StartPage() {
    if (m_abortCheck && m_abortCheck())
        m_aborted = true;
    if (m_aborted || m_failed)
        return false;
    if (!m_painter.isActive()) {
        // The output is opened with the first page: a job that prints nothing
        // leaves no file and sends nothing to the printer.
        if (!m_painter.begin(&m_printer)) {
            m_failed = true;
            return false;
        }
    } else if (!m_printer.newPage()) {
        m_failed = true;
        return false;
    }
    m_painter.resetTransform();
    m_painter.scale(m_printer.resolution() / 254.0, m_printer.resolution() / 254.0);
    m_painter.setFont(m_font);
    return true;
}

void CPagePrinter::DrawCell(const QRectF& box, const QString& text, Qt::Alignment alignment) {
    m_painter.drawText(box.adjusted(kCellInsetX, kCellInsetY, -kCellInsetX, -kCellInsetY),
                       static_cast<int>(alignment | Qt::AlignVCenter | Qt::TextSingleLine), text);
    m_painter.drawRect(box);
}

void CPagePrinter::DrawBands(const STableLayout& layout, const SPrintTable& table) {
    const SPageRect& r = layout.printable;
    m_painter.setPen(QPen(Qt::black, kRulePen, Qt::SolidLine, Qt::FlatCap));
    m_painter.drawLine(QPointF(r.left, layout.headerRule), QPointF(r.right, layout.headerRule));
    m_painter.drawLine(QPointF(r.left, layout.footerRule), QPointF(r.right, layout.footerRule));
    m_painter.setPen(QPen(Qt::black, kBoxPen));
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    m_painter.drawText(QRectF(r.left, r.top, r.Width(), m_lineHeight), flags, table.name);
    m_painter.drawText(QRectF(r.left, r.bottom - m_lineHeight, r.Width(), m_lineHeight), flags,
                       table.title);
}

bool CPagePrinter::PrintTable(const SPrintTable& table) {
    std::vector<int> widths;
    for (const SPrintColumn& column : table.columns)
        widths.push_back(column.printWidth);
    const STableLayout layout =
        LayoutTable(m_printable, m_lineHeight, m_charUnit, widths, table.rows);
    for (const SPageSlice& page : layout.pages) {
        if (!StartPage())
            return false;
        DrawBands(layout, table);
        double x = m_printable.left;
        for (int column : page.columns) {
            const SPrintColumn& c = table.columns[static_cast<size_t>(column)];
            const double width = layout.columnWidths[static_cast<size_t>(column)];
            double y = layout.tableTop;
            DrawCell(QRectF(x, y, width, m_lineHeight), c.title, c.alignment);
            for (int row = page.firstRow; row < page.firstRow + page.rowCount; ++row) {
                y += m_lineHeight;
                DrawCell(QRectF(x, y, width, m_lineHeight),
                         table.cell ? table.cell(row, column) : QString(), c.alignment);
            }
            x += width;
        }
        ++m_pages;
        if (m_pageHook)
            m_pageHook(m_pages);
    }
    return true;
}

bool CPagePrinter::Finish() {
    if (m_abortCheck && !m_aborted && m_abortCheck())
        m_aborted = true;
    if (!m_painter.isActive())
        return !m_failed && !m_aborted;
    if (m_aborted || m_failed)
        m_printer.abort();
    m_painter.end();
    return !m_failed && !m_aborted;
}
