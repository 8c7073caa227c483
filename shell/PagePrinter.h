// Draws tables on printed pages: a printer, a PDF file or the print preview, all
// through one QPrinter. Page units are 0.1 mm from the top left corner of the area
// the printer prints on.
// Each page has the sheet's name in its header, the page title in its footer, a
// rule under the header and above the footer, the column titles and a block of
// rows, every cell in a box.
#pragma once

#include <QFont>
#include <QPainter>
#include <QString>
#include <functional>
#include <vector>

#include "document/PrintLayout.h"

class QPrinter;

struct SPrintColumn {
    QString title;
    int printWidth = 0; // in widths of "W"
    Qt::Alignment alignment = Qt::AlignLeft;
};

struct SPrintTable {
    QString name;  // the header
    QString title; // the footer
    std::vector<SPrintColumn> columns;
    int rows = 0;
    std::function<QString(int row, int column)> cell;
};

class CPagePrinter {
public:
    // The body text: 20 points at 96 dots per inch, taken as page units.
    static constexpr int kFontTenthsOfPoint = 100 * 5 * 40 / 100;
    static constexpr int kFontPixels = (kFontTenthsOfPoint * 96 + 360) / 720;

    explicit CPagePrinter(QPrinter& printer);
    ~CPagePrinter();
    CPagePrinter(const CPagePrinter&) = delete;
    CPagePrinter& operator=(const CPagePrinter&) = delete;

    // Asked before every page; true stops the job (the user cancelled).
    void SetAbortCheck(std::function<bool()> check) { m_abortCheck = std::move(check); }
    // Called after every page with the number of pages printed so far.
    void SetPageHook(std::function<void(int)> hook) { m_pageHook = std::move(hook); }

    // Prints the table over as many pages as it needs. False when the job is to
    // stop: cancelled, the output could not be opened, or a page failed.
    bool PrintTable(const SPrintTable& table);
    // Ends the job. False when the output could not be written or was cancelled.
    bool Finish();

    int PageCount() const { return m_pages; }
    bool Aborted() const { return m_aborted; }
    bool Failed() const { return m_failed; }
    int LineHeight() const { return m_lineHeight; }
    int CharUnit() const { return m_charUnit; }
    SPageRect Printable() const { return m_printable; }

private:
    bool StartPage();
    void DrawBands(const STableLayout& layout, const SPrintTable& table);
    void DrawCell(const QRectF& box, const QString& text, Qt::Alignment alignment);

    QPrinter& m_printer;
    QPainter m_painter;
    QFont m_font;
    int m_lineHeight = 0;
    int m_charUnit = 0;
    SPageRect m_printable;
    int m_pages = 0;
    bool m_aborted = false;
    bool m_failed = false;
    std::function<bool()> m_abortCheck;
    std::function<void(int)> m_pageHook;
};
