// A sheet's grid on printed pages: its name, its column titles and print widths,
// and the cell texts its rows show now.
#include "ListSheet.h"
#include "shell/PagePrinter.h"

QString CListSheet::GetPrintTitle() const {
    return QString("%1 %2").arg(QStringLiteral("CS-Tolvar"), QStringLiteral("Revision 1.4"));
}

bool CListSheet::PrintSheet(CPagePrinter& printer) {
    SPrintTable table;
    table.name = GetSheetName();
    table.title = GetPrintTitle();
    const std::vector<SGridColumn>& shown = m_grid->Model().Columns();
    for (size_t i = 0; i < m_def.columns.size(); ++i)
        table.columns.push_back({QString::fromUtf8(m_def.columns[i].title),
                                 m_def.columns[i].printWidth,
                                 i < shown.size() ? shown[i].alignment : Qt::AlignLeft});
    table.rows = RowCount();
    const CGridModel& model = m_grid->Model();
    table.cell = [&model](int row, int column) { return model.CellText(row, column); };
    return printer.PrintTable(table);
}
